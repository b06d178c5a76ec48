#include <Foundation/Data.h>

#include <gtest/gtest.h>
#include <support/ScratchDirectory.h>

#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

namespace ios {
namespace {

class DataFileTest : public testing::Test {
 protected:
  std::vector<std::string> entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_)) names.push_back(entry.path().filename());
    return names;
  }
  test::ScratchDirectory scratch_;
  std::string dir_ = scratch_.path();
};

TEST_F(DataFileTest, WriteReplacesTheFileWholeAndLeavesNoTemporary) {
  std::string bytes;
  for (int i = 0; i < 300000; ++i) bytes.push_back(static_cast<char>(i * 7));
  const std::string path = dir_ + "/blob.bin";
  ASSERT_TRUE(Data(bytes).write(path));
  EXPECT_EQ(Data::contentsOfFile(path), Data(bytes));
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_NE(info.st_mode & S_IRUSR, 0u);

  ASSERT_TRUE(Data::fromText("short").write(path));
  EXPECT_EQ(Data::contentsOfFile(path), Data::fromText("short"));
  ASSERT_TRUE(Data().write(path));
  EXPECT_EQ(Data::contentsOfFile(path), Data());
  EXPECT_EQ(entries(), std::vector<std::string>{"blob.bin"});
}

TEST_F(DataFileTest, FailuresLeaveNothingBehind) {
  EXPECT_FALSE(Data::fromText("x").write(dir_ + "/missing/dir/file"));
  ASSERT_EQ(::mkdir((dir_ + "/sub").c_str(), 0700), 0);
  EXPECT_FALSE(Data::fromText("x").write(dir_ + "/sub"));  // cannot replace a directory
  EXPECT_EQ(entries(), std::vector<std::string>{"sub"});
  EXPECT_EQ(Data::contentsOfFile(dir_ + "/nope"), std::nullopt);
  EXPECT_EQ(Data::contentsOfFile(dir_ + "/sub"), std::nullopt);
}

}  // namespace
}  // namespace ios
