// Feeds arbitrary bytes to the API client as a server reply, the way a real reply arrives: through
// the transport, the envelope check, the base64 body and the mapping of the envelope model. Exactly
// one of the two callbacks must run, and nothing may crash.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Foundation/DispatchQueue.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <ObjectMapper/Mapper.h>
#include <Service/APIService.h>

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    ios::RunLoop::main().useVirtualClock();
    return true;
  }();
  (void)ready;
  // A fresh transport per input, so that recorded requests do not pile up across runs.
  auto transport = ios::FakeTransport::create();
  ios::HTTPClient::shared()->setTransport(transport);

  int callbacks = 0;
  kerbelin::APIService::sharedInstance()->httpBodyRequestAPI(
      "http://127.0.0.1:1/kerbelin-app/category/req", ios::Dictionary::object(), kerbelin::MethodApi::POST,
      [&](const ios::Dictionary& reply) {
        ++callbacks;
        if (auto meta = ios::mapObject<kerbelin::MetaReponse>(reply); meta && meta->body) {
          for (const char* key : {"defCardDtos", "ownCardDtos", "lstCate"})
            if (auto it = meta->body->find(key); it != meta->body->end())
              (void)ios::mapArray<kerbelin::CardModel>(*it);
        }
      },
      [&](const std::string&) { ++callbacks; });
  transport->respond(0, ios::FakeTransport::reply(200, std::string(reinterpret_cast<const char*>(data), size)));
  ios::RunLoop::main().runUntilIdle();
  if (callbacks != 1) std::abort();
  return 0;
}
