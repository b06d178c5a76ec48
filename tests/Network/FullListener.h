#pragma once

#include <string>

namespace ios::test {

// A loopback listening socket whose accept queue is already full: it never accepts, and its one
// queue slot holds a connection of its own. The kernel drops every further connection attempt
// without an answer, so a client's connect stalls until its connect time-out ends it.
class FullListener {
 public:
  FullListener();
  ~FullListener();
  FullListener(const FullListener&) = delete;
  FullListener& operator=(const FullListener&) = delete;

  std::string url(const std::string& path) const;

 private:
  int listener_ = -1;
  int filler_ = -1;
  int port_ = 0;
};

}  // namespace ios::test
