#include "Envelope.h"

#include <Foundation/Base64.h>

#include <limits>
#include <optional>

namespace kerbelin::backend {
namespace {

// Walks a parameter object's JSON text for an integer that does not fit 64 bits. The JSON library
// reads an integer literal too long for its integer types as a double, which could then pass for an
// integer in range (-9223372036854775809 rounds to -2^63); only the literal's text tells them apart.
class WideIntegerFinder final : public nlohmann::json_sax<nlohmann::json> {
 public:
  // The key the first such integer is found under, if one is.
  const std::optional<std::string>& found() const { return found_; }

  bool number_float(number_float_t, const string_t& text) override {
    return flagIf(text.find_first_of(".eE") == std::string::npos);
  }
  bool number_unsigned(number_unsigned_t value) override {
    return flagIf(value > number_unsigned_t(std::numeric_limits<int64_t>::max()));
  }
  bool key(string_t& name) override {
    key_ = name;
    return true;
  }
  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool string(string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool start_object(std::size_t) override { return true; }
  bool end_object() override { return true; }
  bool start_array(std::size_t) override { return true; }
  bool end_array() override { return true; }
  bool parse_error(std::size_t, const std::string&, const nlohmann::json::exception&) override { return false; }

 private:
  bool flagIf(bool wide) {
    if (wide) found_ = key_;
    return !wide;
  }

  std::string key_;
  std::optional<std::string> found_;
};

}  // namespace

const std::vector<std::string>& Envelope::restHeaderKeys() {
  static const std::vector<std::string> keys = {"clientId",   "clientVersion",   "channel",     "platform",
                                                "osVersion",  "deviceId",        "language",    "countryCode",
                                                "currency",   "timeZone",        "partnerCode", "serviceCode",
                                                "apiVersion", "contentEncoding", "contentType"};
  return keys;
}

nlohmann::json Envelope::parseLimited(std::string_view text) {
  // The parser takes a NUL byte for the end of the text ("{}\0garbage" would pass); a NUL is
  // never valid JSON.
  if (text.find('\0') != std::string_view::npos) return nlohmann::json(nlohmann::json::value_t::discarded);
  bool tooDeep = false;
  // `depth` counts the arrays and objects around the event's value: 0 for the outermost one.
  auto callback = [&tooDeep](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
    const bool opens = event == nlohmann::json::parse_event_t::object_start ||
                       event == nlohmann::json::parse_event_t::array_start;
    if (opens && depth >= kMaxDepth) tooDeep = true;
    return !tooDeep;
  };
  nlohmann::json value =
      nlohmann::json::parse(text.begin(), text.end(), callback, /*allow_exceptions=*/false);
  if (tooDeep) return nlohmann::json(nlohmann::json::value_t::discarded);
  return value;
}

nlohmann::json Envelope::decodeRequest(std::string_view httpBody, nlohmann::json& restHeader) {
  const nlohmann::json envelope = parseLimited(httpBody);
  if (envelope.is_discarded()) {
    throw RequestError(ResultCode::InvalidJson, "Nội dung yêu cầu không phải JSON hợp lệ");
  }
  if (!envelope.is_object()) {
    throw RequestError(ResultCode::InvalidEnvelope, "Nội dung yêu cầu phải là một đối tượng JSON");
  }
  auto header = envelope.find("restHeader");
  if (header == envelope.end() || !header->is_object()) {
    throw RequestError(ResultCode::InvalidEnvelope,
                       "Thiếu \"restHeader\" hoặc \"restHeader\" không phải đối tượng", "restHeader");
  }
  restHeader = *header;
  for (const auto& key : restHeaderKeys()) {
    auto field = header->find(key);
    if (field == header->end() || !field->is_string()) {
      throw RequestError(ResultCode::InvalidEnvelope, "restHeader thiếu trường \"" + key + "\"", key);
    }
  }
  auto body = envelope.find("body");
  if (body == envelope.end() || !body->is_string()) {
    throw RequestError(ResultCode::InvalidEnvelope, "Thiếu \"body\" hoặc \"body\" không phải chuỗi", "body");
  }
  const auto decoded = ios::base64Decode(body->get_ref<const std::string&>());
  if (!decoded) {
    throw RequestError(ResultCode::InvalidBase64, "Trường \"body\" không phải chuỗi base64 hợp lệ", "body");
  }
  nlohmann::json params = parseLimited(*decoded);
  if (params.is_discarded() || !params.is_object()) {
    throw RequestError(ResultCode::BodyNotObject, "Trường \"body\" không chứa một đối tượng JSON", "body");
  }
  WideIntegerFinder wide;
  nlohmann::json::sax_parse(*decoded, &wide);
  if (const auto& field = wide.found()) {
    throw RequestError(ResultCode::WrongParameterType,
                       "Tham số \"" + *field + "\" vượt quá phạm vi số nguyên 64 bit", *field);
  }
  return params;
}

std::string Envelope::encodeReply(ResultCode code, const std::string& description,
                                  const nlohmann::json& restHeader, const nlohmann::json& body,
                                  int64_t costMs, bool textResultCode) {
  nlohmann::json reply = {
      {"resultCode",
       textResultCode ? nlohmann::json(std::to_string(rawValue(code))) : nlohmann::json(rawValue(code))},
      {"resultDesc", description},
      {"secure", ""},
      {"cost", costMs},
      {"restHeader", restHeader.is_object() ? restHeader : nlohmann::json::object()},
      {"body", ios::base64Encode(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace))},
  };
  // A description may quote what the request sent (a path, for one), which need not be UTF-8.
  return reply.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace kerbelin::backend
