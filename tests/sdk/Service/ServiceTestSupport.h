#pragma once

// What a request's closures reported, for tests on the shared fake back-end fixture
// (tests/support/FakeBackendTest.h).

#include <Service/APIService.h>
#include <support/FakeBackendTest.h>

#include <string>
#include <vector>

namespace kerbelin::test {

struct Outcome {
  std::vector<ios::Dictionary> replies;
  std::vector<std::string> failures;
  int calls() const { return static_cast<int>(replies.size() + failures.size()); }

  APIService::CompletionHandler completion() {
    return [this](const ios::Dictionary& reply) { replies.push_back(reply); };
  }
  APIService::Failure failure() {
    return [this](const std::string& message) { failures.push_back(message); };
  }
};

}  // namespace kerbelin::test
