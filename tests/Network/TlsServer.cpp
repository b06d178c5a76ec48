#include "Network/TlsServer.h"

#include <httplib.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace ios::test {

namespace {

struct KeyAndCertificate {
  EVP_PKEY* key = nullptr;
  X509* certificate = nullptr;
  ~KeyAndCertificate() {
    X509_free(certificate);
    EVP_PKEY_free(key);
  }
};

void addExtension(X509* certificate, int nid, const char* value) {
  X509V3_CTX context;
  X509V3_set_ctx_nodb(&context);
  X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
  X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
  if (!extension) throw std::runtime_error("bad certificate extension");
  X509_add_ext(certificate, extension, -1);
  X509_EXTENSION_free(extension);
}

void makeSelfSigned(KeyAndCertificate& made, const std::string& subjectAltName) {
  made.key = EVP_EC_gen("P-256");
  made.certificate = X509_new();
  if (!made.key || !made.certificate) throw std::runtime_error("could not make a test certificate");
  X509* certificate = made.certificate;
  X509_set_version(certificate, 2);
  ASN1_INTEGER_set(X509_get_serialNumber(certificate), 1);
  X509_gmtime_adj(X509_getm_notBefore(certificate), -3600);
  X509_gmtime_adj(X509_getm_notAfter(certificate), 24 * 3600);
  X509_set_pubkey(certificate, made.key);
  X509_NAME* name = X509_get_subject_name(certificate);
  X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                             reinterpret_cast<const unsigned char*>("Kerbelin test"), -1, -1, 0);
  X509_set_issuer_name(certificate, name);
  addExtension(certificate, NID_basic_constraints, "critical,CA:TRUE");
  addExtension(certificate, NID_subject_alt_name, subjectAltName.c_str());
  if (X509_sign(certificate, made.key, EVP_sha256()) == 0) throw std::runtime_error("could not sign");
}

std::string writeCertificate(X509* certificate) {
  std::string path = (std::filesystem::temp_directory_path() / "kerbelin-tls-XXXXXX").string();
  const int fd = ::mkstemp(path.data());
  FILE* file = fd >= 0 ? ::fdopen(fd, "w") : nullptr;
  if (!file) throw std::runtime_error("could not write the test certificate");
  PEM_write_X509(file, certificate);
  std::fclose(file);
  return path;
}

}  // namespace

TlsServer::TlsServer(const std::string& subjectAltName) {
  KeyAndCertificate made;
  makeSelfSigned(made, subjectAltName);
  certificatePath_ = writeCertificate(made.certificate);
  server_ = std::make_unique<httplib::SSLServer>(made.certificate, made.key);
  server_->Get("/hello", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("secure hello", "text/plain");
  });
  port_ = server_->bind_to_any_port("127.0.0.1");
  if (!server_->is_valid() || port_ <= 0) throw std::runtime_error("the TLS test server could not start");
  thread_ = std::thread([this] { server_->listen_after_bind(); });
  // stop() only reaches a server whose loop has started; the wait is a few microseconds.
  while (!server_->is_running()) std::this_thread::yield();
}

TlsServer::~TlsServer() {
  server_->stop();
  thread_.join();
  std::filesystem::remove(certificatePath_);
}

std::string TlsServer::url(const std::string& path) const {
  return "https://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace ios::test
