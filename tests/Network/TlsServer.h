#pragma once

#include <memory>
#include <string>
#include <thread>

namespace httplib {
class SSLServer;
}

namespace ios::test {

// An HTTPS server on 127.0.0.1 with a freshly made self-signed certificate, answering GET /hello
// with "secure hello". `subjectAltName` is what the certificate is issued for, in OpenSSL's
// notation ("IP:127.0.0.1", "DNS:other.example"), so a test can make the host name not match.
class TlsServer {
 public:
  explicit TlsServer(const std::string& subjectAltName);
  ~TlsServer();

  std::string url(const std::string& path) const;
  // A PEM file holding the server's certificate, to trust it explicitly.
  const std::string& certificatePath() const { return certificatePath_; }

 private:
  std::unique_ptr<httplib::SSLServer> server_;
  std::thread thread_;
  int port_ = 0;
  std::string certificatePath_;
};

}  // namespace ios::test
