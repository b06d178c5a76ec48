#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "Params.h"

namespace kerbelin::backend {

class Catalog;
class OwnCardStore;

// What the endpoint groups share: the data, the state and the clock. The base
// URL is the server's own address ("http://127.0.0.1:PORT"), known once bound.
struct BackendContext {
  const Catalog& catalog;
  OwnCardStore& cards;
  std::function<std::chrono::system_clock::time_point()> now;
  int qrValiditySeconds = 60;
  std::string baseURL;
};

// An endpoint turns a call's checked parameters into its reply object, or
// throws RequestError.
using Endpoint = std::function<nlohmann::json(const Params&)>;
// Endpoints by path below "/kerbelin-app" (e.g. "/category/req").
using EndpointTable = std::map<std::string, Endpoint>;

}  // namespace kerbelin::backend
