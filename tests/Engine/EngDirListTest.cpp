// Listing a folder: hidden files, the parent entry, the match callback's indices, and the
// calling order.
#include "Engine/EngDirList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "tests/support/TestSupport.h"

namespace {

std::vector<std::string> ListAll(DirList &list) {
  std::vector<std::string> names;
  EXPECT_EQ(list.PrepareToGetFilenamesInDir(), 1);
  for (;;) {
    std::string name = list.GetNextFilenameInDir();
    if (name.empty()) break;
    names.push_back(name);
  }
  list.CleanupAfterGettingFilenamesInDir();
  std::sort(names.begin(), names.end());
  return names;
}

class EngDirListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    qwtest::WriteWholeFile(dir.File("a.txt"), "a");
    qwtest::WriteWholeFile(dir.File(".hidden"), "h");
    mkdir(dir.File("b").c_str(), 0755);
  }
  qwtest::TempDir dir;
};

TEST_F(EngDirListTest, HiddenFilesAndTheParentEntry) {
  DirList list;
  ASSERT_EQ(list.OpenDir(dir.Path().c_str(), nullptr, nullptr), 1);
  EXPECT_EQ(list.CountMatchedFilesInDir(), 3);
  EXPECT_EQ(ListAll(list), (std::vector<std::string>{".hidden", "a.txt", "b"}));
  list.IncludeParentDirectory(1);
  EXPECT_EQ(list.CountMatchedFilesInDir(), 4);
  EXPECT_EQ(ListAll(list), (std::vector<std::string>{"..", ".hidden", "a.txt", "b"}));
  EXPECT_EQ(std::string(list.GetFilenameWithPath("a.txt")), dir.File("a.txt"));
  list.CloseDir();
  EXPECT_STREQ(list.GetFilenameWithPath("a.txt"), "");
}

struct Seen {
  std::vector<std::pair<int, std::string>> offers;
};
char AcceptTxt(EngInt32 index, const char *name, const char *, void *user_data) {
  static_cast<Seen *>(user_data)->offers.push_back({index, name});
  size_t n = strlen(name);
  return n >= 4 && strcmp(name + n - 4, ".txt") == 0;
}

TEST_F(EngDirListTest, CallbackIndexCountsAcceptedEntries) {
  qwtest::TempDir only;
  for (const char *name : {"x.dat", "a.txt", "b.txt"}) qwtest::WriteWholeFile(only.File(name), "");
  Seen seen;
  DirList list;
  ASSERT_EQ(list.OpenDir(only.Path().c_str(), AcceptTxt, &seen), 1);
  EXPECT_EQ(list.CountMatchedFilesInDir(), 2);
  seen.offers.clear();
  EXPECT_EQ(ListAll(list), (std::vector<std::string>{"a.txt", "b.txt"}));
  // Whatever the file system's order, each offer carries the count accepted before it.
  ASSERT_EQ(seen.offers.size(), 3u);
  int accepted = 0;
  for (const auto &offer : seen.offers) {
    EXPECT_EQ(offer.first, accepted) << offer.second;
    if (offer.second != "x.dat") accepted++;
  }
}

TEST_F(EngDirListTest, CallsOutOfOrderChangeNothing) {
  DirList list;
  EXPECT_EQ(list.PrepareToGetFilenamesInDir(), 0);
  EXPECT_STREQ(list.GetNextFilenameInDir(), "");
  EXPECT_EQ(list.CountMatchedFilesInDir(), 0);
  list.CleanupAfterGettingFilenamesInDir();
  EXPECT_EQ(list.OpenDir(dir.File("missing").c_str(), nullptr, nullptr), 0);
  EXPECT_EQ(list.PrepareToGetFilenamesInDir(), 0);
  EXPECT_EQ(list.OpenDir("", nullptr, nullptr), 0);
  EXPECT_EQ(list.OpenDir(nullptr, nullptr, nullptr), 0);

  ASSERT_EQ(list.OpenDir(dir.Path().c_str(), nullptr, nullptr), 1);
  ASSERT_EQ(list.PrepareToGetFilenamesInDir(), 1);
  EXPECT_EQ(list.PrepareToGetFilenamesInDir(), 0);  // in progress
  EXPECT_EQ(list.CountMatchedFilesInDir(), 0);
  EXPECT_STRNE(list.GetNextFilenameInDir(), "");
  list.CleanupAfterGettingFilenamesInDir();  // ends the listing early
  EXPECT_STREQ(list.GetNextFilenameInDir(), "");
  // After the end, further calls keep answering the end.
  ASSERT_EQ(list.PrepareToGetFilenamesInDir(), 1);
  while (*list.GetNextFilenameInDir()) {
  }
  EXPECT_STREQ(list.GetNextFilenameInDir(), "");
  list.CleanupAfterGettingFilenamesInDir();
}

TEST_F(EngDirListTest, RootFolderPaths) {
  DirList list;
  ASSERT_EQ(list.OpenDir("/", nullptr, nullptr), 1);
  EXPECT_STREQ(list.GetFilenameWithPath("etc"), "/etc");
  EXPECT_STREQ(list.GetFilenameWithPath(""), "");
  std::string long_name(2000, 'n');  // cut to the buffer, never past it
  EXPECT_EQ(strlen(list.GetFilenameWithPath(long_name.c_str())), 513u);
}

}  // namespace
