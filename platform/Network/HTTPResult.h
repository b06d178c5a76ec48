#pragma once

#include <Network/HTTPError.h>
#include <Network/HTTPResponse.h>

#include <variant>

namespace ios {

// The outcome of one transfer: the server's reply (whatever its status) or the error that kept
// one from arriving.
class HTTPResult {
 public:
  HTTPResult(HTTPResponse response) : value_(std::move(response)) {}
  HTTPResult(HTTPError error) : value_(std::move(error)) {}

  bool ok() const { return std::holds_alternative<HTTPResponse>(value_); }
  // Only valid when ok(). From a result about to go, the response moves out.
  const HTTPResponse& response() const& { return std::get<HTTPResponse>(value_); }
  HTTPResponse&& response() && { return std::get<HTTPResponse>(std::move(value_)); }
  // Only valid when !ok().
  const HTTPError& error() const { return std::get<HTTPError>(value_); }

 private:
  std::variant<HTTPResponse, HTTPError> value_;
};

}  // namespace ios
