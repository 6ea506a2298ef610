#include "services/text_utils.h"

#include <gtest/gtest.h>

namespace {

using vl::services::RemoveCommas;
using vl::services::ReplaceText;
using vl::services::SplitText;
using vl::services::TextList;

struct SplitCase {
  std::string text;
  std::string delimiter;
  TextList entries;
};

TEST(SplitText, OneCharacterDelimiterKeepsEmptyEntriesAndAnEmptyLastOne) {
  const SplitCase cases[] = {
      {"a/b/", "/", {"a", "b", ""}},
      {"a//b", "/", {"a", "", "b"}},
      {"/a", "/", {"", "a"}},
      {"a/b", "/", {"a", "b"}},
      {"/", "/", {"", ""}},
      {"", "/", {}},
      {"      ", "/", {}},
      // trailing blanks of the text and of the delimiter never count
      {"a/b/    ", "/  ", {"a", "b", ""}},
      // a last part that is blank is not an entry; a blank inner part is
      {"a/  /b", "/", {"a", "", "b"}},
      {"a/b/  ", "/", {"a", "b", ""}},
      {"VORLAN/STORES/S042", "/", {"VORLAN", "STORES", "S042"}},
      {"PosLoc.tps,1234,2023-07-18", ",", {"PosLoc.tps", "1234", "2023-07-18"}},
      {"ab", "/", {"ab"}},
  };
  for (const auto& c : cases) {
    TextList list{"stale"};
    EXPECT_EQ(SplitText(list, c.text, c.delimiter), static_cast<std::int16_t>(c.entries.size())) << c.text;
    EXPECT_EQ(list, c.entries) << '"' << c.text << '"';
  }
}

TEST(SplitText, LongerDelimiterGivesNoEmptyLastEntry) {
  const SplitCase cases[] = {
      {"a\r\nb\r\n", "\r\n", {"a", "b"}},
      {"a\r\n\r\nb", "\r\n", {"a", "", "b"}},
      {"\r\na", "\r\n", {"", "a"}},
      {"a\r\nb", "\r\n", {"a", "b"}},
      {"a\r\n   ", "\r\n", {"a"}},
      {"a", "\r\n", {"a"}},
      {"", "\r\n", {}},
      // a lone CR or LF is part of an entry
      {"a\rb\r\nc", "\r\n", {"a\rb", "c"}},
      {"x<>y<><>", "<>", {"x", "y", ""}},
  };
  for (const auto& c : cases) {
    TextList list{"stale"};
    EXPECT_EQ(SplitText(list, c.text, c.delimiter), static_cast<std::int16_t>(c.entries.size()));
    EXPECT_EQ(list, c.entries) << '"' << c.text << '"';
  }
}

TEST(SplitText, EntriesAreCutTo1024Characters) {
  const std::string longPart(1500, 'x');
  TextList list;
  ASSERT_EQ(SplitText(list, longPart + "|" + longPart + " tail", "|"), 2);
  EXPECT_EQ(list[0], std::string(1024, 'x'));
  EXPECT_EQ(list[1], std::string(1024, 'x'));
}

TEST(SplitText, CountNeverOverflowsSixteenBits) {
  // 70,000 line breaks of a listing would be 70,000 empty entries.
  std::string text;
  for (int i = 0; i < 35000; ++i) text += "|";
  TextList list;
  EXPECT_EQ(SplitText(list, text, "|"), 32767);
  EXPECT_EQ(list.size(), 32767u);
}

TEST(ReplaceText, CasesOfTheCallersAndEdges) {
  struct Case {
    std::string text, find, replacement, result;
  } cases[] = {
      {"C:\\VORLAN\\T1\\", "\\", "/", "C:/VORLAN/T1/"},
      // one by one keeps the text's length, trailing blanks included
      {"\\A\\B   ", "\\", "/", "/A/B   "},
      {"a,b,c", ",", "", "a b c"},
      {"a,b,c", ",", " ", "a b c"},
      {"C:\\VORLAN\\BIN\\VLSECR_SQL.EXE", "VLSECR_SQL.EXE", "VLSECR.EXE", "C:\\VORLAN\\BIN\\VLSECR.EXE"},
      {"C:\\VORLAN\\T1\\INBOX\\DATA.TPS", ".TPS", ".FTP", "C:\\VORLAN\\T1\\INBOX\\DATA.FTP"},
      {"ab-ab-ab", "ab", "X", "X-X-X"},
      // the replacement contains the text to find: no loop, no rescan
      {"a.b", ".", "..", "a..b"},
      {"xx", "x", "xx", "xxxx"},
      {"aaa", "aa", "b", "ba"},
      // nothing to do
      {"a.b", ".", ".", "a.b"},
      {"a.b  ", ".  ", ".", "a.b  "},
      {"a b", " ", "-", "a b"},
      {"a b", "", "-", "a b"},
      {"abc   ", "zz", "y", "abc   "},
      // trailing blanks: only the part after the last occurrence keeps them
      {"A--B--   ", "--", "+", "A+B+   "},
      {"A--B--", "--", "+  ", "A+B+"},
      {"A--B", "--", "", "AB"},
      {"A--B", "--", "   ", "AB"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReplaceText(c.text, c.find, c.replacement), c.result)
        << '"' << c.text << "\" \"" << c.find << "\" \"" << c.replacement << '"';
  }
}

TEST(RemoveCommas, RemovesCommasAndTrailingBlanksKeepsOtherBlanks) {
  struct Case {
    std::string text, result;
  } cases[] = {
      {"Main St, Unit 4", "Main St Unit 4"},
      {"Main St, Unit 4                                   ", "Main St Unit 4"},
      {",,,", ""},
      {"a ,", "a"},
      {"", ""},
      {"  x", "  x"},
  };
  for (const auto& c : cases) EXPECT_EQ(RemoveCommas(c.text), c.result) << c.text;
}

TEST(RemoveCommas, CopyHoldsAtMost2048Characters) {
  const std::string text = "," + std::string(3000, 'n');
  EXPECT_EQ(RemoveCommas(text), std::string(2048, 'n'));
  EXPECT_EQ(RemoveCommas(std::string(2047, 'n') + " ,x"), std::string(2047, 'n'));
}

}  // namespace
