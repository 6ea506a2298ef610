// "Preview Update List" in whole HTTP runs: nothing is fetched before
// Continue, Cancel fetches nothing, marks choose the files, and the sort
// order the user picks is the order of the list and of the downloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "host_files.h"
#include "http/http_run.h"
#include "http_run_fixture.h"

namespace vl::http {
namespace {

struct Row {
  std::string name;
  int kb = 0;
};

// The rows of every dump of the file list in the transcript, dump by dump.
std::vector<std::vector<Row>> DumpedLists(const std::string& transcript) {
  static const std::regex row(R"re(\{"icon":\d+,"columns":\["[^"]*","([^"]*)","(\d+)"\]\})re");
  std::vector<std::vector<Row>> dumps;
  std::istringstream lines(transcript);
  for (std::string line; std::getline(lines, line);) {
    if (line.find("\"rows\":") == std::string::npos) continue;
    std::vector<Row>& rows = dumps.emplace_back();
    for (std::sregex_iterator it(line.begin(), line.end(), row), end; it != end; ++it)
      rows.push_back({(*it)[1], std::stoi((*it)[2])});
  }
  return dumps;
}

std::vector<std::string> NamesOf(const std::vector<Row>& rows) {
  std::vector<std::string> names;
  for (const Row& r : rows) names.push_back(r.name);
  return names;
}

// The files the server was asked for, in the order asked.
std::vector<std::string> FetchOrder(const std::vector<std::string>& requestLog) {
  static const std::regex fetched(R"re(getFile\.pyc\?fullpath=[^"]*/([^/"]+)")re");
  std::vector<std::string> names;
  std::smatch m;
  for (const std::string& line : requestLog)
    if (std::regex_search(line, m, fetched)) names.push_back(m[1]);
  return names;
}

class HttpPreviewCancelTest : public HttpRunTest {
 protected:
  HttpPreviewCancelTest() : HttpRunTest("press ?CMDCANCEL\n") {}
};

TEST_F(HttpPreviewCancelTest, CancelReturnsOneWithAnEmptyInbox) {
  state.BPREVIEWUPDATELIST = 1;
  EXPECT_EQ(RunHttpTransfer(state), 1);
  EXPECT_TRUE(test::NamesIn(inbox()).empty());
  EXPECT_GT(state.LUF.count(), 0u);
}

class HttpPreviewNothingMarkedTest : public HttpRunTest {
 protected:
  HttpPreviewNothingMarkedTest() : HttpRunTest("press ?BMULTIPLESELECTION\npress ?CMDCONTINUE\n") {}
};

TEST_F(HttpPreviewNothingMarkedTest, ContinueWithNothingMarkedStillLogsAndUpdates) {
  state.BPREVIEWUPDATELIST = 1;
  EXPECT_EQ(RunHttpTransfer(state), 0);
  EXPECT_EQ(test::NamesIn(inbox()), (std::vector<std::string>{"UPDOK.TXT", "UpdFlags.INI"}));
  EXPECT_EQ(test::NamesIn(remote("Client/Store/FTPLog")).size(), 1u);
  EXPECT_EQ(boxes.shown.back().text, "Successfully downloaded: 0 bytes in 0 files.");
}

class HttpPreviewSortTest : public HttpRunTest {
 protected:
  HttpPreviewSortTest()
      : HttpRunTest(
            "dump ?LSTTRANSFERFILES\n"
            "press ?SORTORDER:RADIO2\n"
            "dump ?LSTTRANSFERFILES\n"
            "press ?SORTORDER:RADIO1\n"
            "dump ?LSTTRANSFERFILES\n"
            "press ?CMDCONTINUE\n") {}
};

TEST_F(HttpPreviewSortTest, ByNameAndBySizeOrderTheListAndTheDownloads) {
  state.BPREVIEWUPDATELIST = 1;
  boxes.answers = {ui::Button::No};
  EXPECT_EQ(RunHttpTransfer(state), 0);
  const auto dumps = DumpedLists(transcriptText());
  ASSERT_EQ(dumps.size(), 3u) << transcriptText();
  const std::vector<Row>& found = dumps[0];
  const std::vector<Row>& byName = dumps[1];
  const std::vector<Row>& bySize = dumps[2];
  ASSERT_GE(found.size(), 5u);
  // As found: ordinary files largest first, then the database flag, then the
  // software flag.
  EXPECT_EQ(found[0].name, "VLSECR.EXE");
  EXPECT_EQ(found[found.size() - 2].name, "POSID12.TPS");
  EXPECT_EQ(found.back().name, "SWUPD12.TXT");
  std::vector<std::string> names = NamesOf(found);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(NamesOf(byName), names);
  std::vector<std::string> sizeNames = NamesOf(bySize);
  std::sort(sizeNames.begin(), sizeNames.end());
  EXPECT_EQ(sizeNames, names);
  EXPECT_TRUE(std::is_sorted(bySize.begin(), bySize.end(), [](const Row& a, const Row& b) { return a.kb < b.kb; }));
  EXPECT_NE(NamesOf(bySize), NamesOf(found));
  EXPECT_EQ(bySize.back().name, "VLSECR.EXE");
  // The last order chosen is the order of the downloads.
  EXPECT_EQ(FetchOrder(sim->requestLog()), NamesOf(bySize));
  EXPECT_TRUE(fsys::exists(inbox() / "VLSECR.EXE"));
}

}  // namespace
}  // namespace vl::http
