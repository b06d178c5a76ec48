#include <Network/HTTPClient.h>

#include <Network/CurlTransport.h>

#include <Foundation/JSONSerialization.h>

namespace ios {

std::shared_ptr<HTTPClient> HTTPClient::shared() {
  // Destroyed at exit, which joins its transport's I/O thread. The cancellations that destruction
  // posts are safe: the main run loop is never destroyed.
  static const std::shared_ptr<HTTPClient> client = create();
  return client;
}

std::shared_ptr<HTTPClient> HTTPClient::create(std::shared_ptr<Transport> transport) {
  return std::shared_ptr<HTTPClient>(new HTTPClient(std::move(transport)));
}

std::shared_ptr<Transport> HTTPClient::transport() {
  if (!transport_) transport_ = CurlTransport::create();
  return transport_;
}

std::shared_ptr<TransportTask> HTTPClient::postJSON(const std::string& url, const Dictionary& body,
                                                    const HTTPHeaders& headers, JSONCompletion completion) {
  HTTPRequest request;
  request.url = url;
  request.method = "POST";
  request.headers = {{"Content-Type", "application/json"}, {"Accept", "application/json"}};
  for (const auto& [name, value] : headers) request.headers[name] = value;
  // Text that is not valid UTF-8 is replaced rather than allowed to throw out of the call.
  request.body = body.dump(-1, ' ', false, Dictionary::error_handler_t::replace);
  request.connectTimeout = connectTimeout;
  request.timeout = timeout;
  return transport()->send(
      std::move(request),
      [completion = std::move(completion)](HTTPResult&& result) { completion(jsonResult(std::move(result))); });
}

std::shared_ptr<TransportTask> HTTPClient::get(const std::string& url, Transport::Completion completion) {
  HTTPRequest request;
  request.url = url;
  request.connectTimeout = connectTimeout;
  request.timeout = timeout;
  return transport()->send(std::move(request), std::move(completion));
}

HTTPClient::JSONResult HTTPClient::jsonResult(HTTPResult result) {
  JSONResult outcome;
  if (!result.ok()) {
    outcome.error = result.error();
    return outcome;
  }
  outcome.response = std::move(result).response();
  auto parsed =
      JSONSerialization::read(outcome.response->body, JSONSerialization::ReadingOptions::fragmentsAllowed);
  if (auto* value = std::get_if<Dictionary>(&parsed)) {
    outcome.value = std::move(*value);
  } else if (std::get<JSONSerialization::ReadError>(parsed) == JSONSerialization::ReadError::tooDeep) {
    outcome.error = HTTPError{HTTPError::Kind::nestedTooDeep, "the reply body nests too deeply"};
  } else {
    outcome.error = HTTPError{HTTPError::Kind::notJSON, "the reply body is not JSON"};
  }
  return outcome;
}

}  // namespace ios
