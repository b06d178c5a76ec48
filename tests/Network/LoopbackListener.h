#pragma once

namespace ios::test {

// A TCP socket listening on 127.0.0.1 at a port the system picks, with `backlog` as its accept
// queue; sets `port`. Throws std::runtime_error when the socket cannot be opened.
int openLoopbackListener(int backlog, int& port);

}  // namespace ios::test
