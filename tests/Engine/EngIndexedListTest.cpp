#include "Engine/EngIndexedList.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

bool Contains(const std::string &text, const std::string &part) { return text.find(part) != std::string::npos; }

class EngIndexedListTest : public ::testing::Test {
 protected:
  void StartLog() { testing::internal::CaptureStderr(); }
  std::string EndLog() { return testing::internal::GetCapturedStderr(); }
};

int AddText(EngIndexedList &list, const char *text) { return list.AddEntry(text, int(strlen(text) + 1)); }

const char *TextAt(EngIndexedList &list, int index) { return static_cast<const char *>(list.GetEntryData(index, nullptr)); }

TEST_F(EngIndexedListTest, GrowsBySixtyFourAndKeepsEveryIndex) {
  EngIndexedList list(0);
  EXPECT_EQ(list.GetNumEntries(), 0);
  EXPECT_EQ(list.GetCapacityForTests(), 0);  // no array before the first add
  void *data_of_first = nullptr;
  for (int i = 0; i < 200; i++) {
    std::string text = "line " + std::to_string(i);
    ASSERT_EQ(AddText(list, text.c_str()), i);
    if (i == 0) data_of_first = list.GetEntryData(0, nullptr);
    if (i == 63) {
      EXPECT_EQ(list.GetCapacityForTests(), 64);
    }
    if (i == 64) {
      EXPECT_EQ(list.GetCapacityForTests(), 128);
    }
  }
  EXPECT_EQ(list.GetCapacityForTests(), 256);
  EXPECT_EQ(list.GetNumEntries(), 200);
  EXPECT_EQ(list.GetNumEntriesQuick(), 200);
  EXPECT_EQ(list.GetEntryData(0, nullptr), data_of_first);  // growing moves slots, not data
  for (int i = 0; i < 200; i++) {
    int size = 0;
    std::string expected = "line " + std::to_string(i);
    ASSERT_STREQ(static_cast<const char *>(list.GetEntryData(i, &size)), expected.c_str());
    ASSERT_EQ(size, int(expected.size() + 1));
    ASSERT_EQ(list.GetEntryDataQuick(i), list.GetEntryData(i, nullptr));
  }

  EngIndexedList small(3);
  for (int i = 0; i < 7; i++) AddText(small, "x");
  EXPECT_EQ(small.GetCapacityForTests(), 9);
  EngIndexedList negative(-5);
  AddText(negative, "x");
  EXPECT_EQ(negative.GetCapacityForTests(), 64);
}

TEST_F(EngIndexedListTest, RefusedAdditions) {
  EngIndexedList list(0);
  int value = 5;
  void *pointer = &value;
  StartLog();
  EXPECT_EQ(list.AddEntry(&value, 0), -1);
  EXPECT_EQ(list.AddEntry(&value, -4), -1);
  EXPECT_EQ(list.DoAdd(&value, &pointer, 4, 0), -1);
  EXPECT_EQ(list.AddEmptyEntry(0), -1);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Data size not ok"));
  EXPECT_TRUE(Contains(log, "Parameters not ok"));
  EXPECT_EQ(list.GetNumEntries(), 0);
}

TEST_F(EngIndexedListTest, OwnedBorrowedAndEmptyEntries) {
  EngIndexedList list(0);
  char source[8] = "copy me";
  EXPECT_EQ(list.AddEntry(source, sizeof(source)), 0);
  source[0] = 'X';  // the list keeps its own copy
  EXPECT_STREQ(TextAt(list, 0), "copy me");
  EXPECT_NE(list.GetEntryData(0, nullptr), static_cast<void *>(source));

  EngIndexedList empties(0);
  EXPECT_EQ(empties.AddEmptyEntry(16), 0);
  int size = 0;
  const unsigned char *zeros = static_cast<const unsigned char *>(empties.GetEntryData(0, &size));
  EXPECT_EQ(size, 16);
  for (int i = 0; i < 16; i++) EXPECT_EQ(zeros[i], 0);

  EngIndexedList borrowed(0);
  int values[3] = {1, 2, 3};
  for (int i = 0; i < 3; i++) {
    void *p = &values[i];
    EXPECT_EQ(borrowed.AddEntryP(&p, sizeof(int)), i);
  }
  EXPECT_EQ(borrowed.GetEntryData(1, &size), &values[1]);
  EXPECT_EQ(size, int(sizeof(int)));
  EXPECT_EQ(borrowed.AddEntryP(nullptr, 4), 3);  // a borrowed entry without data
  StartLog();
  EXPECT_EQ(borrowed.GetEntryData(3, &size), nullptr);
  EXPECT_TRUE(Contains(EndLog(), "No data at index 3"));
  EXPECT_EQ(size, 0);
  EXPECT_TRUE(borrowed.RemoveEntry(0));
  EXPECT_EQ(borrowed.GetEntryData(0, nullptr), &values[1]);  // the caller's data stays put
  EXPECT_EQ(values[0], 1);
}

TEST_F(EngIndexedListTest, RemovalShiftsLaterEntriesDown) {
  EngIndexedList list(0);
  AddText(list, "zero");
  AddText(list, "one");
  AddText(list, "two");
  void *data_of_two = list.GetEntryData(2, nullptr);
  EXPECT_TRUE(list.RemoveEntry(1));
  EXPECT_EQ(list.GetNumEntries(), 2);
  EXPECT_STREQ(TextAt(list, 0), "zero");
  EXPECT_EQ(list.GetEntryData(1, nullptr), data_of_two);
  EXPECT_STREQ(TextAt(list, 1), "two");

  StartLog();
  EXPECT_FALSE(list.RemoveEntry(2));
  EXPECT_FALSE(list.RemoveEntry(-1));
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Bad num 2 (2)."));
  EXPECT_TRUE(Contains(log, "Bad num -1 (2)."));

  EXPECT_TRUE(list.RemoveEntry(0));
  EXPECT_TRUE(list.RemoveEntry(0));  // the only entry: the array goes too
  EXPECT_EQ(list.GetNumEntries(), 0);
  EXPECT_EQ(list.GetCapacityForTests(), 0);
  StartLog();
  EXPECT_FALSE(list.RemoveEntry(0));
  EXPECT_TRUE(Contains(EndLog(), "No list."));
  EXPECT_EQ(AddText(list, "again"), 0);
  EXPECT_EQ(list.GetCapacityForTests(), 64);
}

TEST_F(EngIndexedListTest, MixedListsRefuseRemovalButEmptyCleanly) {
  EngIndexedList list(0);
  static int borrowed_value = 9;
  void *p = &borrowed_value;
  AddText(list, "owned");
  list.AddEntryP(&p, sizeof(int));
  StartLog();
  EXPECT_FALSE(list.RemoveEntry(0));
  EXPECT_FALSE(list.RemoveEntry(1));
  EXPECT_TRUE(Contains(EndLog(), "Not implemented for mixed type lists."));
  EXPECT_EQ(list.GetNumEntries(), 2);
  EXPECT_TRUE(list.RemoveAllEntries());  // frees only the copy (ASan checks the rest)
  EXPECT_EQ(list.GetNumEntries(), 0);
  EXPECT_EQ(borrowed_value, 9);
  list.Exit();
}

TEST_F(EngIndexedListTest, LookupFailures) {
  EngIndexedList list(0);
  int size = 77;
  StartLog();
  EXPECT_EQ(list.GetEntryData(0, &size), nullptr);
  AddText(list, "a");
  EXPECT_EQ(list.GetEntryData(-1, &size), nullptr);
  EXPECT_EQ(list.GetEntryData(1, &size), nullptr);
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Entry does not exist (0, 0)"));
  EXPECT_TRUE(Contains(log, "Entry does not exist (-1, 1)"));
  EXPECT_TRUE(Contains(log, "Entry does not exist (1, 1)"));
  EXPECT_EQ(size, 0);
}

TEST_F(EngIndexedListTest, CopyingOutNeverOverrunsTheDestination) {
  EngIndexedList list(0);
  const char text[] = "twelve bytes";
  AddText(list, text);
  char exact[sizeof(text)];
  EXPECT_TRUE(list.CopyEntryData(0, sizeof(exact), exact));
  EXPECT_STREQ(exact, text);
  char large[32];
  memset(large, '#', sizeof(large));
  EXPECT_TRUE(list.CopyEntryData(0, sizeof(large), large));
  EXPECT_STREQ(large, text);
  EXPECT_EQ(large[sizeof(text)], '#');

  char small[4] = {'#', '#', '#', '#'};
  StartLog();
  EXPECT_FALSE(list.CopyEntryData(0, sizeof(small), small));
  EXPECT_FALSE(list.CopyEntryData(0, 100, nullptr));
  EXPECT_FALSE(list.CopyEntryData(3, 100, large));
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Destination too small (4 < 13)"));
  EXPECT_TRUE(Contains(log, "Entry does not exits (3, 1)"));
  EXPECT_EQ(memcmp(small, "####", 4), 0);
}

TEST_F(EngIndexedListTest, OverwritingOwnedEntriesOnly) {
  EngIndexedList list(0);
  int a = 1, b = 2;
  list.AddEntry(&a, sizeof(a));
  EXPECT_TRUE(list.OverwriteEntryData(0, &b, sizeof(b)));
  EXPECT_EQ(*static_cast<int *>(list.GetEntryData(0, nullptr)), 2);
  long long big = 5;
  StartLog();
  EXPECT_FALSE(list.OverwriteEntryData(0, &big, sizeof(big)));
  EXPECT_FALSE(list.OverwriteEntryData(0, nullptr, sizeof(int)));
  EXPECT_FALSE(list.OverwriteEntryData(4, &b, sizeof(b)));
  std::string log = EndLog();
  EXPECT_TRUE(Contains(log, "Size not ok (can be updated to re-alloc if desired)"));
  EXPECT_TRUE(Contains(log, "No data passed in"));
  EXPECT_TRUE(Contains(log, "Entry does not exits (4, 1)"));

  EngIndexedList borrowed(0);
  int callers = 10;
  void *p = &callers;
  borrowed.AddEntryP(&p, sizeof(int));
  StartLog();
  EXPECT_FALSE(borrowed.OverwriteEntryData(0, &b, sizeof(b)));
  EXPECT_TRUE(Contains(EndLog(), "Did not create the data memory 0"));
  EXPECT_EQ(callers, 10);
}

TEST_F(EngIndexedListTest, FindingEqualData) {
  EngIndexedList list(0);
  AddText(list, "alpha");
  AddText(list, "beta");
  AddText(list, "beta");
  int index = -1;
  char beta[] = "beta";
  EXPECT_TRUE(list.DoesEntryDataExist(beta, sizeof(beta), &index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(list.DoesEntryDataExist(beta, 4, &index));  // same bytes, other size
  EXPECT_TRUE(list.DoesEntryDataExist(beta, sizeof(beta), nullptr));
  EXPECT_FALSE(list.DoesEntryDataExist(nullptr, 5, &index));
  EngIndexedList empty(0);
  EXPECT_FALSE(empty.DoesEntryDataExist(beta, sizeof(beta), &index));
}

int CompareTexts(const void *a, const void *b) {
  const char *ta = static_cast<const char *>(EngIndexedList_GetDataFromSortPointer(a, 1));
  const char *tb = static_cast<const char *>(EngIndexedList_GetDataFromSortPointer(b, 1));
  return strcmp(ta, tb);
}

TEST_F(EngIndexedListTest, SortingMovesSlotsNotData) {
  EngIndexedList list(2);
  const char *words[] = {"pear", "apple", "fig", "kiwi", "banana"};
  for (const char *w : words) AddText(list, w);
  void *data_of_apple = list.GetEntryData(1, nullptr);
  list.Sort(CompareTexts);
  const char *sorted[] = {"apple", "banana", "fig", "kiwi", "pear"};
  for (int i = 0; i < 5; i++) EXPECT_STREQ(TextAt(list, i), sorted[i]);
  EXPECT_EQ(list.GetEntryData(0, nullptr), data_of_apple);
  EXPECT_TRUE(list.RemoveEntry(0));
  EXPECT_STREQ(TextAt(list, 0), "banana");

  _EngIndexedListEntry hollow = {nullptr, 0, 0};
  _EngIndexedListEntry *slot = &hollow;
  StartLog();
  EXPECT_EQ(EngIndexedList_GetDataFromSortPointer(&slot, 1), nullptr);
  EXPECT_TRUE(Contains(EndLog(), "No data"));
  StartLog();
  EXPECT_EQ(EngIndexedList_GetDataFromSortPointer(&slot, 0), nullptr);
  EXPECT_EQ(EndLog(), "");
}

}  // namespace
