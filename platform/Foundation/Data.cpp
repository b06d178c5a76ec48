#include <Foundation/Data.h>

#include <Foundation/Base64.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ios {
namespace {

bool writeAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// Read without calling umask(), which would briefly change it for every other thread.
mode_t processUmask() {
  FILE* status = std::fopen("/proc/self/status", "r");
  if (!status) return 022;
  char line[256];
  unsigned mask = 022;
  while (std::fgets(line, sizeof line, status)) {
    if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
  }
  std::fclose(status);
  return static_cast<mode_t>(mask);
}

}  // namespace

std::string Data::base64EncodedString() const {
  return base64Encode(bytes);
}

std::optional<Data> Data::fromBase64(std::string_view text) {
  auto decoded = base64Decode(text);
  if (!decoded) return std::nullopt;
  return Data(std::move(*decoded));
}

std::optional<Data> Data::contentsOfFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return std::nullopt;  // a directory, or a read error
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  ::close(fd);
  return Data(std::move(bytes));
}

bool Data::write(const std::string& toFile) const {
  std::string tmpl = toFile + ".XXXXXX";
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return false;
  bool ok = writeAll(fd, bytes) && ::fsync(fd) == 0;
  // mkostemp creates the file 0600; give it the usual permissions of a newly created file.
  ok = ::fchmod(fd, 0666 & ~processUmask()) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (ok && ::rename(name.data(), toFile.c_str()) == 0) return true;
  ::unlink(name.data());
  return false;
}

}  // namespace ios
