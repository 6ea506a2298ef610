#include "data/fixed_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vl {
namespace {

TEST(FixedText, AssignmentPadsWithBlanksAndCutsSilently) {
  FixedText<5> text("AB");
  EXPECT_EQ(std::string(text.data(), 5), "AB   ");
  EXPECT_EQ(text.trimmed(), "AB");
  EXPECT_EQ(text.str(), "AB");

  text = "ABCDEFG";
  EXPECT_EQ(std::string(text.data(), 5), "ABCDE");

  text = "";
  EXPECT_TRUE(text.blank());
  EXPECT_TRUE(FixedText<3>().blank());
  EXPECT_EQ(std::string(FixedText<3>().data(), 3), "   ");
}

TEST(FixedText, LeadingAndInnerBlanksAreKept) {
  FixedText<8> text(" A B ");
  EXPECT_EQ(text.trimmed(), " A B");
  EXPECT_FALSE(text.blank());
}

TEST(FixedText, ComparisonsIgnoreTrailingBlanksAcrossWidths) {
  FixedText<4> shortText("ABCD");
  FixedText<10> longText("ABCD");
  EXPECT_EQ(shortText, longText);
  EXPECT_EQ(longText, shortText);
  EXPECT_EQ(shortText, "ABCD    ");
  EXPECT_EQ("ABCD", longText);
  EXPECT_NE(shortText, "ABC");
  EXPECT_NE(shortText, "abcd");  // case matters
  // A cut value compares as what the field now holds.
  EXPECT_EQ(FixedText<4>("ABCDEF"), "ABCD");
  EXPECT_EQ(FixedText<6>(""), std::string_view{});
}

TEST(FixedText, LessThanSortsByTrimmedText) {
  std::vector<FixedText<6>> names{FixedText<6>("B"), FixedText<6>("AB"), FixedText<6>("A")};
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names[0], "A");
  EXPECT_EQ(names[1], "AB");
  EXPECT_EQ(names[2], "B");
  EXPECT_FALSE(FixedText<3>("A") < FixedText<9>("A  "));
}

TEST(FixedText, TrailingNulBytesFromAForeignFileReadAsPadding) {
  FixedText<6> text;
  std::copy_n("AB\0\0\0\0", 6, text.data());
  EXPECT_EQ(text, "AB");
}

TEST(ZText, HoldsAtMostWidthMinusOneCharactersAndIsNulPadded) {
  ZText<4> text("ABCDEF");
  EXPECT_EQ(text.trimmed(), "ABC");
  EXPECT_EQ(std::string(text.data(), 4), std::string("ABC\0", 4));

  text = "A";
  EXPECT_EQ(std::string(text.data(), 4), std::string("A\0\0\0", 4));
  EXPECT_EQ(ZText<4>::kCapacity, 3u);
  EXPECT_TRUE(ZText<4>().blank());
}

TEST(ZText, ComparesWithFixedTextAndStopsAtTheFirstNul) {
  ZText<10> z("HOST ");
  EXPECT_EQ(z, FixedText<20>("HOST"));
  EXPECT_EQ(z, "HOST");
  std::copy_n("AB\0CD", 5, z.data());
  EXPECT_EQ(z.trimmed(), "AB");
}

TEST(FixedText, AssigningAnotherFieldCopiesItsTextCutOrPadded) {
  FixedText<20> address("ftp.example.test");
  FixedText<8> narrow(address);
  EXPECT_EQ(std::string(narrow.data(), 8), "ftp.exam");
  FixedText<30> wide;
  wide = address;
  EXPECT_EQ(std::string(wide.data(), 30), "ftp.example.test              ");

  ZText<255> computer("TILL-01");
  FixedText<15> stored;
  stored = computer;  // NUL padding does not leak into a blank-padded field
  EXPECT_EQ(std::string(stored.data(), 15), "TILL-01        ");
  ZText<4> host;
  host = address;
  EXPECT_EQ(std::string(host.data(), 4), std::string("ftp\0", 4));
}

}  // namespace
}  // namespace vl
