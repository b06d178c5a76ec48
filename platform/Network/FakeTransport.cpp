#include <Network/FakeTransport.h>

#include <Foundation/DispatchQueue.h>

namespace ios {

namespace {
void post(Transport::Completion completion, HTTPResult result) {
  DispatchQueue::main().async(
      [completion = std::move(completion), result = std::move(result)]() mutable { completion(std::move(result)); });
}
}  // namespace

// Cancelling releases the request as `cancelled`, the way the real transport reports it.
class FakeTransport::Task : public TransportTask {
 public:
  Task(std::weak_ptr<FakeTransport> transport, std::size_t index)
      : transport_(std::move(transport)), index_(index) {}

  void cancel() override {
    if (auto transport = transport_.lock())
      transport->release(index_, HTTPError{HTTPError::Kind::cancelled, {}});
  }

 private:
  std::weak_ptr<FakeTransport> transport_;
  std::size_t index_;
};

std::shared_ptr<FakeTransport> FakeTransport::create() {
  std::shared_ptr<FakeTransport> transport(new FakeTransport());
  transport->self_ = transport;
  return transport;
}

std::shared_ptr<TransportTask> FakeTransport::send(HTTPRequest request, Completion completion) {
  const std::size_t index = requests_.size();
  requests_.push_back(std::move(request));
  held_.push_back(std::move(completion));
  if (handler_) {
    if (std::optional<HTTPResult> result = handler_(requests_[index])) release(index, std::move(*result));
  }
  return std::make_shared<Task>(self_, index);
}

std::vector<std::size_t> FakeTransport::pending() const {
  std::vector<std::size_t> indexes;
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (held_[i]) indexes.push_back(i);
  }
  return indexes;
}

bool FakeTransport::respond(std::size_t index, HTTPResponse response) {
  return release(index, std::move(response));
}

bool FakeTransport::respond(const std::function<bool(const HTTPRequest&)>& matches, HTTPResponse response) {
  for (std::size_t i = 0; i < held_.size(); ++i) {
    if (held_[i] && matches(requests_[i])) return release(i, std::move(response));
  }
  return false;
}

bool FakeTransport::fail(std::size_t index, HTTPError error) {
  return release(index, std::move(error));
}

HTTPResponse FakeTransport::reply(int statusCode, std::string body) {
  HTTPResponse response;
  response.statusCode = statusCode;
  response.body = std::move(body);
  return response;
}

bool FakeTransport::release(std::size_t index, HTTPResult result) {
  if (index >= held_.size() || !held_[index]) return false;
  Completion completion = std::move(held_[index]);
  held_[index] = nullptr;
  if (!result.ok() || !result.response().url.empty()) {
    post(std::move(completion), std::move(result));
    return true;
  }
  // A reply without an address comes from the URL that was asked for, as with no redirect.
  HTTPResponse response = std::move(result).response();
  response.url = requests_[index].url;
  post(std::move(completion), std::move(response));
  return true;
}

}  // namespace ios
