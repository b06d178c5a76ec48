// Mapping card-search replies: the store's and the my-cards list's hot path after a reply arrives;
// and the whole way such a reply travels, from the transport to the card models, beside a plain
// parse of the same cards.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Foundation/Base64.h>
#include <Foundation/JSONSerialization.h>
#include <Foundation/RunLoop.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <ObjectMapper/Mapper.h>
#include <Service/APIService.h>
#include <Service/ReplyDecoding.h>

#include <benchmark/benchmark.h>
#include <time.h>

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace {

using ios::Dictionary;

Dictionary service(int card, int index) {
  const std::string id = std::to_string(card) + "-" + std::to_string(index);
  return {{"code", "DV-" + id},
          {"status", index % 2 ? "A" : "W"},
          {"namDefService", "Gội đầu " + id},
          {"unitPrice", "120.000 đ"},
          {"expiryDate", "90 ngày"},
          {"ownAccountDtos", {{{"allocatedUnit", "10 lần"}, {"availableUnit", "8 lần"}}}}};
}

Dictionary card(int index) {
  const std::string id = std::to_string(index);
  Dictionary services = Dictionary::array();
  services.push_back(service(index, 0));
  return {{"id", index},
          {"code", "GOI-SPA-" + id},
          {"name", "Gói chăm sóc sắc đẹp " + id},
          {"image", "https://cdn.halvet.vn/card/spa-" + id + ".jpg"},
          {"price", "1.200.000 đ"},
          {"priceNumber", 1200000},
          {"listedPrice", "1.500.000 đ"},
          {"listedPriceNumber", 1500000},
          {"discountValue", "-20%"},
          {"discountValueNumber", 20},
          {"status", "A"},
          {"providerDtos", {{{"id", index % 17}, {"logo", "https://cdn.halvet.vn/p/" + id + ".png"}}}},
          {"promotionDtos",
           {{{"urlIcon", "https://cdn.halvet.vn/i/gift.png"}, {"description", "Tặng <b>1 buổi</b>"}}}},
          {"defServiceDtos", services},
          {"styleDto", {{"rgb", "#FF5722"}}}};
}

Dictionary searchReply(int cards) {
  Dictionary list = Dictionary::array();
  for (int i = 0; i < cards; ++i) list.push_back(card(i));
  return {{"resultCode", "0"},
          {"resultDesc", "Thành công"},
          {"secure", ""},
          {"cost", 12},
          {"body", {{"defCardDtos", std::move(list)}, {"total", cards}}}};
}

// What a screen does with a decoded reply: the envelope, then the card list.
void mapReply(const Dictionary& reply) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(reply);
  auto cards = ios::mapArrayIfAllObjects<kerbelin::CardModel>(meta->body->at("defCardDtos"));
  benchmark::DoNotOptimize(cards);
}

// The same for a reply the screen owns and drops afterwards: its values move into the models.
void mapReply(Dictionary&& reply) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(std::move(reply));
  auto cards = ios::mapArrayIfAllObjects<kerbelin::CardModel>(std::move(meta->body->at("defCardDtos")));
  benchmark::DoNotOptimize(cards);
}

void BM_MapSearchReply(benchmark::State& state) {
  const Dictionary reply = searchReply(static_cast<int>(state.range(0)));
  for (auto _ : state) mapReply(reply);
  state.counters["replyBytes"] = static_cast<double>(reply.dump().size());
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_MapSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// The yardstick for the next one: parsing the same reply text alone.
void BM_ParseSearchReply(benchmark::State& state) {
  const std::string text = searchReply(static_cast<int>(state.range(0))).dump();
  for (auto _ : state) benchmark::DoNotOptimize(ios::JSONSerialization::read(text));
  state.counters["replyBytes"] = static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// Parsing the reply text as well, as the client does once per reply.
void BM_ParseAndMapSearchReply(benchmark::State& state) {
  const std::string text = searchReply(static_cast<int>(state.range(0))).dump();
  for (auto _ : state) mapReply(std::get<Dictionary>(ios::JSONSerialization::read(text)));
  state.counters["replyBytes"] = static_cast<double>(text.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ParseAndMapSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

void BM_WriteCards(benchmark::State& state) {
  const auto meta = ios::mapObject<kerbelin::MetaReponse>(searchReply(static_cast<int>(state.range(0))));
  const auto cards = ios::mapArray<kerbelin::CardModel>(meta->body->at("defCardDtos"));
  for (auto _ : state) benchmark::DoNotOptimize(ios::toJSONArray(cards));
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_WriteCards)->Arg(150)->Unit(benchmark::kMicrosecond);

// The reply as it comes off the wire: the envelope around the base64 text of its body.
std::string wireText(int cards) {
  Dictionary reply = searchReply(cards);
  reply["body"] = ios::base64Encode(reply["body"].dump());
  return reply.dump();
}

// A search answered through APIService, read by the shared rule and mapped into cards by a
// completion handler written as the screens write theirs: the number of cards it mapped.
std::size_t searchThroughTheWire() {
  std::size_t mapped = 0;
  kerbelin::APIService::post(
      "/v1/def-card/search/req", {{"pageIndex", 1}},
      [&mapped](Dictionary&& reply) {
        auto body = kerbelin::bodyUnlessResultCodePresentAndNonZero(std::move(reply));
        if (!body) return;
        auto cards = ios::mapArray<kerbelin::CardModel>(std::move((*body)["defCardDtos"]));
        mapped = cards.size();
        benchmark::DoNotOptimize(cards);
      },
      [](const std::string&) {});
  ios::RunLoop::main().runUntilIdle();
  return mapped;
}

// The reply's bytes answered by a fake transport for as long as it lives. Each reply's bytes are a
// fresh copy made on this thread, inside the wire path's time, where the curl transport makes them on
// its own I/O thread: the copy, and the allocator's sorting of the last reply's freed blocks that a
// block of its size sets off, are about 5 % of a five-card wire path's instructions, and with the
// copies made beforehand the 150-card rawOverWire reads about 0.06 higher.
struct WireServer {
  std::string text;
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();

  explicit WireServer(int cards) : text(wireText(cards)) {
    fake->setHandler([this](const ios::HTTPRequest&) -> std::optional<ios::HTTPResult> {
      return ios::FakeTransport::reply(200, text);  // the bytes a transport would have received
    });
    ios::HTTPClient::shared()->setTransport(fake);
  }
  ~WireServer() { ios::HTTPClient::shared()->setTransport(nullptr); }
};

// Envelope, base64, JSON and models, from the transport's reply bytes to the completion handler.
void BM_WireSearchReply(benchmark::State& state) {
  const int cards = static_cast<int>(state.range(0));
  WireServer server(cards);
  for (auto _ : state) {
    if (searchThroughTheWire() != static_cast<std::size_t>(cards)) return state.SkipWithError("no cards arrived");
  }
  state.counters["wireBytes"] = static_cast<double>(server.text.size());
  state.SetItemsProcessed(state.iterations() * cards);
}
BENCHMARK(BM_WireSearchReply)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// The floor for the one before: a plain parse of the decoded body, no envelope and no models.
void BM_RawParseOfWireBody(benchmark::State& state) {
  const std::string body = searchReply(static_cast<int>(state.range(0)))["body"].dump();
  for (auto _ : state) benchmark::DoNotOptimize(Dictionary::parse(body));
  state.counters["bodyBytes"] = static_cast<double>(body.size());
}
BENCHMARK(BM_RawParseOfWireBody)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

// Out of line so that a profiler tells the raw parse apart from the wire path beside it.
[[gnu::noinline]] void rawParse(const std::string& body) {
  benchmark::DoNotOptimize(Dictionary::parse(body));
}

double threadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The two before, one after the other in each iteration, each timed on this thread's clock: on a
// shared machine the load then weighs on both alike. `rawOverWire` is the raw parse's time over the
// wire's, the share of the raw parse's speed the wire path reaches.
void BM_WireBesideRawParse(benchmark::State& state) {
  const int cards = static_cast<int>(state.range(0));
  WireServer server(cards);
  const std::string body = searchReply(cards)["body"].dump();
  double wire = 0, raw = 0;
  for (auto _ : state) {
    const double start = threadSeconds();
    if (searchThroughTheWire() != static_cast<std::size_t>(cards)) return state.SkipWithError("no cards arrived");
    const double middle = threadSeconds();
    rawParse(body);
    wire += middle - start;
    raw += threadSeconds() - middle;
  }
  state.counters["wireUs"] = wire * 1e6 / static_cast<double>(state.iterations());
  state.counters["rawUs"] = raw * 1e6 / static_cast<double>(state.iterations());
  state.counters["rawOverWire"] = raw / wire;
}
BENCHMARK(BM_WireBesideRawParse)->Arg(5)->Arg(100)->Arg(150)->Unit(benchmark::kMicrosecond);

}  // namespace
