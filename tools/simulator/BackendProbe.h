#pragma once

#include <optional>
#include <string>

namespace kerbelin::sim {

// Whether a back-end given by address accepts connections, asked once at start-up.
class BackendProbe {
 public:
  // Nullopt when a TCP connection to the URL's host and port opens within two seconds of real time;
  // otherwise why not ("Connection refused", "no answer within 2 s", "not an http://HOST:PORT address").
  static std::optional<std::string> check(const std::string& url);
};

}  // namespace kerbelin::sim
