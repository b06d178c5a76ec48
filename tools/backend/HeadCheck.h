#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kerbelin::backend {

// Whether `text` is an HTTP token: one or more of the characters a method or a field name is made of.
bool isHttpToken(std::string_view text);

// A request's head read line by line before httplib reads it, and the lines httplib is given instead.
// httplib skips a field line it cannot split, keeps NUL bytes, drops a field whose value is empty, trusts
// the first of two lengths, reads a length past 64 bits as the largest one, reads a request without a
// length until the client closes, and answers 416 to a range in a unit it does not know. Most of these
// leave it waiting out the request time-out for a body that is not coming; here each is either refused
// (status()) or rewritten to what HTTP says it means.
class HeadCheck {
 public:
  // `maxBody`: the largest declared body that is not refused.
  explicit HeadCheck(uint64_t maxBody) : maxBody_(maxBody) {}

  // Takes the next line of the head, with its line end, and returns what httplib should read in its
  // place: the line itself, a rewritten one, or nothing. Linear in the line's length.
  std::string take(std::string_view line);
  // The head was cut short (a line too long, or the end of the stream): it is not checked further.
  void giveUp();
  // Whether the blank line ending the head has been taken (or the check given up).
  bool ended() const { return ended_; }
  // What the head deserves so far: 400 for one httplib would misread, 413 for a declared body over the
  // limit, 0 when it may be served.
  int status() const;

 private:
  std::string field(std::string_view line);
  void takeLength(std::string_view value);

  uint64_t maxBody_;
  bool requestLine_ = true;
  bool ended_ = false;
  bool malformed_ = false;
  bool framed_ = false;  // a length or a transfer coding says where the body ends
  std::optional<uint64_t> length_;
};

}  // namespace kerbelin::backend
