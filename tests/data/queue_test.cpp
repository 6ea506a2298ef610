#include "data/queue.h"
#include "data/queue_entries.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vl {
namespace {

UpdateFileEntry luf(std::string_view name, std::int32_t bytes, std::uint8_t group) {
  UpdateFileEntry e;
  e.UPDATEFILE = name;
  e.REMOTEBYTECOUNT = bytes;
  e.SORTORDER = group;
  return e;
}

std::vector<std::string> names(const Queue<UpdateFileEntry>& q) {
  std::vector<std::string> out;
  for (const auto& e : q.entries()) out.push_back(e.UPDATEFILE.str());
  return out;
}

TEST(Queue, GetCountsFromOneAndReportsMissingEntries) {
  Queue<UpdateFileEntry> q;
  EXPECT_FALSE(q.get(1));
  q.add(luf("A", 1, 1));
  q.add(luf("B", 2, 1));
  EXPECT_EQ(q.count(), 2u);

  ASSERT_TRUE(q.get(2));
  EXPECT_EQ(q.current.UPDATEFILE, "B");
  EXPECT_EQ(q.pointer(), 2u);

  // Out of range: failure, the buffer keeps what it held, no current entry.
  EXPECT_FALSE(q.get(0));
  EXPECT_FALSE(q.get(3));
  EXPECT_EQ(q.current.UPDATEFILE, "B");
  EXPECT_EQ(q.pointer(), 0u);
  EXPECT_FALSE(q.put());
  EXPECT_FALSE(q.remove());
  EXPECT_EQ(kEntryNotFound, 30);
}

TEST(Queue, PutRewritesAndRemoveDeletesTheCurrentEntry) {
  Queue<UpdateFileEntry> q;
  for (auto n : {"A", "B", "C"}) q.add(luf(n, 1, 1));

  ASSERT_TRUE(q.get(2));
  q.current.ICON = 2;
  q.current.UPDATEFILE = "B2";
  ASSERT_TRUE(q.put());
  EXPECT_EQ(q.at(2).ICON, 2);
  EXPECT_EQ(names(q), (std::vector<std::string>{"A", "B2", "C"}));

  ASSERT_TRUE(q.get(1));
  ASSERT_TRUE(q.remove());
  EXPECT_EQ(names(q), (std::vector<std::string>{"B2", "C"}));
  EXPECT_FALSE(q.remove()) << "remove leaves no current entry";

  // add() makes the new entry current, so put() right after it changes it.
  q.current = luf("D", 4, 1);
  q.add();
  q.current.MARK = 1;
  ASSERT_TRUE(q.put());
  EXPECT_EQ(q.at(3).MARK, 1);

  q.free();
  EXPECT_EQ(q.count(), 0u);
  EXPECT_FALSE(q.put());
}

TEST(Queue, UpdateListOrderGroupAscendingThenSizeDescendingStable) {
  Queue<UpdateFileEntry> q;
  q.add(luf("SWUPD12.TXT", 10, 3));
  q.add(luf("SMALL.DLL", 100, 1));
  q.add(luf("POSID12.TPS", 2000, 2));
  q.add(luf("BIG.EXE", 90000, 1));
  q.add(luf("SAME1.DAT", 100, 1));
  q.add(luf("SAME2.DAT", 100, 1));

  q.sort({ascending(&UpdateFileEntry::SORTORDER), descending(&UpdateFileEntry::REMOTEBYTECOUNT)});
  EXPECT_EQ(names(q), (std::vector<std::string>{"BIG.EXE", "SMALL.DLL", "SAME1.DAT", "SAME2.DAT",
                                                "POSID12.TPS", "SWUPD12.TXT"}));
  EXPECT_EQ(q.pointer(), 0u);

  // Sorting again keeps the order of equal keys (the preview's "by size").
  q.sort({ascending(&UpdateFileEntry::REMOTEKBCOUNT)});
  EXPECT_EQ(names(q).front(), "BIG.EXE");

  q.sort({ascending(&UpdateFileEntry::UPDATEFILE)});
  EXPECT_EQ(names(q), (std::vector<std::string>{"BIG.EXE", "POSID12.TPS", "SAME1.DAT", "SAME2.DAT",
                                                "SMALL.DLL", "SWUPD12.TXT"}));
}

TEST(Queue, AddInOrderPlacesAfterEqualKeys) {
  Queue<FileListEntry> q;
  const auto byName = {ascending(&FileListEntry::LONGNAME)};
  for (auto [name, size] : std::vector<std::pair<const char*, int>>{
           {"M.TXT", 1}, {"B.TXT", 2}, {"Z.TXT", 3}, {"M.TXT", 4}, {"A.TXT", 5}}) {
    q.current.LONGNAME = name;
    q.current.SIZE = size;
    q.addInOrder(byName);
    EXPECT_EQ(q.at(q.pointer()).SIZE, size) << "the added entry is current";
  }
  std::vector<std::pair<std::string, int>> got;
  for (const auto& e : q.entries()) got.emplace_back(e.LONGNAME.str(), e.SIZE);
  EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{
                     {"A.TXT", 5}, {"B.TXT", 2}, {"M.TXT", 1}, {"M.TXT", 4}, {"Z.TXT", 3}}));
}

}  // namespace
}  // namespace vl
