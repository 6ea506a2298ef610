#include "services/remote_name.h"

#include <gtest/gtest.h>

#include <string>

namespace vl::services {
namespace {

TEST(IsSafeRemoteName, PlainFileNamesOnly) {
  const std::string good[] = {"VLSECR.EXE", "A.B.ZIP", "NAME WITH BLANK.TXT", "A..B.ZIP", "...X",
                              std::string(46, 'N') + ".ZIP"};
  for (const auto& name : good) EXPECT_TRUE(IsSafeRemoteName(name)) << name;
  const std::string bad[] = {"",        ".",          "..",         "../X.EXE", "..\\X.EXE", "SUB/X.EXE",
                             "C:X.EXE", "X.EXE\n",    "X\x7f.EXE",  "A|B.ZIP",  "A*.ZIP",    "A?.ZIP",
                             "A<B.ZIP", "A>B.ZIP",    "A\"B.ZIP",   std::string("A\0B.ZIP", 7),
                             "X.ZIP ",  std::string(47, 'N') + ".ZIP"};
  for (const auto& name : bad) EXPECT_FALSE(IsSafeRemoteName(name)) << name;
}

TEST(IsValidRemoteSize, PositiveAndWithinTheSigned32BitField) {
  EXPECT_FALSE(IsValidRemoteSize(0));
  EXPECT_TRUE(IsValidRemoteSize(1));
  EXPECT_TRUE(IsValidRemoteSize(0x7FFFFFFF));
  EXPECT_FALSE(IsValidRemoteSize(0x80000000));
  EXPECT_FALSE(IsValidRemoteSize(0x1'0000'0001));
}

TEST(LeftOutTexts, NameThenReasonThenAdvice) {
  EXPECT_EQ(InvalidByteSizeText("MENU.ZIP  "),
            "The incoming file MENU.ZIP|has an invalid byte size.||The file will not be downloaded."
            "|If possible, contact the sender and ask for|the file to be uploaded again.");
  EXPECT_EQ(InvalidRemoteNameText("../X\r.EXE"),
            "The incoming file ../X?.EXE|has an invalid file name.||The file will not be downloaded."
            "|If possible, contact the sender and ask for|the file to be uploaded again.");
}

}  // namespace
}  // namespace vl::services
