// The server as a whole: images it serves itself, its options, and the real
// kerbelin-backend executable started as a process.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <httplib.h>

#include "BackendTestSupport.h"
#include "ImageFactory.h"
#include "OwnCardStore.h"

extern char** environ;

namespace kerbelin::backend::testing {
namespace {

using nlohmann::json;

class ServerTest : public BackendTest {};

bool isPng(const std::string& bytes) {
  return bytes.size() > 8 && bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") == 0;
}

TEST_F(ServerTest, ImageUrlsInRepliesLoadFromTheServerItself) {
  const json card = call("/def-card/detail/req", {{"code", "SV-GYM-1M"}}).body["defCardDto"];
  httplib::Client client("127.0.0.1", server->port());
  for (const std::string& url :
       {card["image"].get<std::string>(), card["providerDtos"][0]["logo"].get<std::string>(),
        card["promotionDtos"][0]["urlIcon"].get<std::string>()}) {
    ASSERT_EQ(url.rfind(server->baseURL(), 0), 0u) << url;
    auto result = client.Get(url.substr(server->baseURL().size()).c_str());
    ASSERT_TRUE(result) << url;
    EXPECT_EQ(result->status, 200);
    EXPECT_EQ(result->get_header_value("Content-Type"), "image/png");
    EXPECT_TRUE(isPng(result->body)) << url;
  }
  auto bad = client.Get("/images/..%2Fsecret.png");
  ASSERT_TRUE(bad);
  EXPECT_EQ(bad->status, 404);
}

// A range outside the picture gets the error envelope, and no envelope is cut to the range asked for.
TEST_F(ServerTest, AnImageRangeOutsideThePictureGetsTheErrorEnvelope) {
  struct Case {
    const char* path;
    const char* range;
    int status, code;  // code 0: the picture's first bytes
  } const cases[] = {
      {"/images/cover-a.png", "bytes=0-7", 206, 0},
      {"/images/cover-a.png", "bytes=99999999-", 416, 40000},
      {"/images/cover-a.png", "bytes=-0", 416, 40000},
      {"/images/cover-a.png", "bytes=0-1, 99999999-", 416, 40000},
      {"/images/cover-a.png", "bytes=abc", 416, 40000},
      {"/images/Cover.png", "bytes=0-7", 404, 40402},  // not a name a picture has
      {"/favicon.ico", "bytes=0-7", 404, 40401},
      {"/kerbelin-app/category/req", "bytes=0-7", 405, 40501},
  };
  httplib::Client client("127.0.0.1", server->port());
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.path) + " " + c.range);
    auto result = client.Get(c.path, {{"Range", c.range}});
    ASSERT_TRUE(result);
    EXPECT_EQ(result->status, c.status);
    if (c.code == 0) {
      EXPECT_EQ(result->body, "\x89PNG\r\n\x1a\n");
      continue;
    }
    EXPECT_EQ(result->get_header_value("Content-Type").rfind("application/json", 0), 0u);
    const Reply reply = decodeReply(result->status, result->body);
    EXPECT_EQ(reply.envelope.is_object() ? reply.resultCode() : -1, c.code) << result->body;
  }
}

// How the pictures look is checked by the reference pictures of the screens that load them.
TEST(ImageFactoryTest, NamesAreCheckedAndEachNameHasItsOwnPicture) {
  ImageFactory images;
  EXPECT_NE(*images.png("cover-a"), *images.png("cover-b"));
  EXPECT_FALSE(images.png("Cover"));
  EXPECT_FALSE(images.png("../etc"));
  EXPECT_FALSE(images.png(""));
}

TEST(ImageFactoryTest, KeepsOnlyTheNewestPictures) {
  ImageFactory images(3);
  const auto first = images.png("icon-a");
  for (const char* name : {"icon-b", "icon-c", "icon-d", "icon-e"}) ASSERT_TRUE(images.png(name));
  EXPECT_EQ(images.cachedCount(), 3u);
  EXPECT_EQ(images.png("icon-a"), first);  // drawn again, the same bytes
}

TEST(OwnCardStoreTest, KeepsTheSeedAndTheNewestOrders) {
  OwnCard seed;
  seed.cardNo = "KB0000000001";
  OwnCardStore store({seed}, 2);
  std::vector<std::string> orders;
  for (int i = 0; i < 3; ++i) orders.push_back(store.createOrder("SV-YOGA-12", "0912345678", "An", fixedNow()).orderNo);
  EXPECT_FALSE(store.findByOrderNo(orders[0]));
  EXPECT_TRUE(store.findByOrderNo(orders[1]) && store.findByOrderNo(orders[2]));
  EXPECT_TRUE(store.findByCardNo(seed.cardNo));
}

TEST(ServerOptionsTest, OnlyLoopbackAddressesAndReadableDataAreAccepted) {
  BackendServer::Options anyAddress;
  anyAddress.host = "0.0.0.0";
  EXPECT_THROW(BackendServer{anyAddress}, std::runtime_error);
  BackendServer::Options noData;
  noData.dataDir = "/nonexistent/kerbelin-data";
  EXPECT_THROW(BackendServer{noData}, std::runtime_error);

  // Each broken file stops the server with an error naming the file, never a crash.
  const std::vector<std::pair<std::string, std::string>> broken = {
      {"def_cards.json", R"([{"id": 1, "code": "X"}])"},
      {"def_cards.json", R"({"not": "an array"})"},
      {"own_cards.json", R"([{"cardNo": 5}])"},
      {"own_cards.json",
       R"([{"cardNo": "K1", "defCardCode": "NOPE", "status": "A", "orderNo": "D", "transactionCode": "G"}])"},
      {"own_cards.json", R"([{"cardNo": "K1", "defCardCode": "SV-GYM-1M", "status": "A", "orderNo": "D",
                              "transactionCode": "G", "usages": [{"service": "first"}]}])"},
      {"branches.json", R"([{"id": 1}])"},
      {"payment_guides.json", R"({"providers": {}})"},
      {"areas.json", "not json"},
  };
  for (const auto& [name, text] : broken) {
    const auto dir =
        std::filesystem::temp_directory_path() / ("kerbelin-backend-data-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    for (const auto& entry : std::filesystem::directory_iterator(BackendServer::defaultDataDir())) {
      std::filesystem::copy_file(entry.path(), dir / entry.path().filename(),
                                 std::filesystem::copy_options::overwrite_existing);
    }
    std::ofstream(dir / name) << text;
    BackendServer::Options options;
    options.dataDir = dir;
    try {
      BackendServer server(options);
      ADD_FAILURE() << name << " accepted: " << text;
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(name), std::string::npos) << e.what();
    }
    std::filesystem::remove_all(dir);
  }
}

TEST(ServerOptionsTest, ResultCodeCanBeSentAsText) {
  BackendServer::Options options;
  options.textResultCode = true;
  BackendServer server(options);
  ASSERT_TRUE(server.start());
  httplib::Client client("127.0.0.1", server.port());
  auto ok = client.Post("/kerbelin-app/category/req", {{"Authorization", BackendServer::authorization()}},
                        envelopeFor({{"type", "PKG"}}), "application/json");
  auto refused = client.Post("/kerbelin-app/category/req", envelopeFor({}), "application/json");
  ASSERT_TRUE(ok && refused);
  EXPECT_EQ(nlohmann::json::parse(ok->body)["resultCode"], "0");
  EXPECT_EQ(nlohmann::json::parse(refused->body)["resultCode"], "40101");
  EXPECT_EQ(refused->status, 401);
}

TEST_F(ServerTest, OverlongRequestLineGetsAnEnvelopeToo) {
  httplib::Client client("127.0.0.1", server->port());
  auto result = client.Get(("/kerbelin-app/" + std::string(10000, 'x')).c_str());
  ASSERT_TRUE(result);
  EXPECT_EQ(result->status, 414);
  const Reply reply = decodeReply(result->status, result->body);
  EXPECT_EQ(reply.resultCode(), 40000);
}

// Spawns the executable with its stdout on a pipe.
class BackendProcess {
 public:
  explicit BackendProcess(const std::string& binary) {
    int fds[2];
    if (pipe(fds) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addclose(&actions, fds[1]);
    char* argv[] = {const_cast<char*>(binary.c_str()), const_cast<char*>("--port"), const_cast<char*>("0"),
                    nullptr};
    if (posix_spawn(&pid_, binary.c_str(), &actions, nullptr, argv, environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    out_ = fds[0];
  }
  ~BackendProcess() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (out_ >= 0) close(out_);
  }

  pid_t pid() const { return pid_; }

  // Blocks until a whole line arrives (or the pipe closes).
  std::string readLine() {
    std::string line;
    char c;
    while (read(out_, &c, 1) == 1 && c != '\n') line += c;
    return line;
  }

  // Sends `signal` and returns the exit status.
  int terminate(int signal) {
    kill(pid_, signal);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }

 private:
  pid_t pid_ = -1;
  int out_ = -1;
};

TEST(BackendProcessTest, ExecutableAnnouncesItsPortServesAndStopsOnSigterm) {
  const char* buildDir = std::getenv("KERBELIN_BUILD_DIR");
  ASSERT_NE(buildDir, nullptr) << "ctest sets KERBELIN_BUILD_DIR";
  BackendProcess process(std::string(buildDir) + "/bin/kerbelin-backend");
  ASSERT_GT(process.pid(), 0);
  const std::string first = process.readLine();
  const std::string prefix = "listening on http://127.0.0.1:";
  ASSERT_EQ(first.rfind(prefix, 0), 0u) << first;
  const int port = std::stoi(first.substr(prefix.size()));
  ASSERT_GT(port, 0);

  httplib::Client client("127.0.0.1", port);
  auto result = client.Post("/kerbelin-app/category/req", {{"Authorization", BackendServer::authorization()}},
                            envelopeFor({{"providerId", ""}, {"type", "PKG"}}), "application/json");
  ASSERT_TRUE(result);
  const Reply reply = decodeReply(result->status, result->body);
  EXPECT_EQ(reply.resultCode(), 0);
  EXPECT_FALSE(reply.body["lstCate"].empty());
  EXPECT_EQ(process.readLine().rfind("POST /kerbelin-app/category/req 200 0 ", 0), 0u);

  const int status = process.terminate(SIGTERM);
  ASSERT_TRUE(WIFEXITED(status)) << "a clean stop, not death by the signal";
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace kerbelin::backend::testing
