#pragma once

#include <Network/HTTPHeaders.h>

#include <string>

namespace ios {

// What the server answered. Any status counts as an answer: deciding what a 404 or a 500 means is
// the caller's business.
struct HTTPResponse {
  int statusCode = 0;
  HTTPHeaders headers;
  // The reply's bytes, already decoded from any content encoding.
  std::string body;
  // The address that produced this reply, after any redirects were followed.
  std::string url;
};

}  // namespace ios
