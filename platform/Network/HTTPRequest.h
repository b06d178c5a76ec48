#pragma once

#include <Network/HTTPHeaders.h>

#include <string>

namespace ios {

// One HTTP request as a transport sends it. A plain value: build it, hand it to a Transport.
struct HTTPRequest {
  std::string url;
  std::string method = "GET";
  HTTPHeaders headers;
  // The bytes sent as the request body; empty sends none.
  std::string body;
  // Seconds allowed to establish the connection (TLS handshake included).
  double connectTimeout = 10.0;
  // Seconds allowed for the whole transfer, from sending until the last byte of the reply.
  double timeout = 30.0;
};

}  // namespace ios
