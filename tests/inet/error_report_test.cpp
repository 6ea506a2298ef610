// The Internet error report in both forms, and the attempt counting before it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "data/builtin_account.h"
#include "inet/error_report.h"
#include "inet/session.h"
#include "inet_fixture.h"
#include "platform/base/errors.h"
#include "platform/fs/paths.h"

namespace vl::inet {
namespace {

using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::StartsWith;

constexpr std::string_view kFtpStart =
    "The system has detected an Internet connection error.|Contact your system administrator and quote the "
    "following message:";

class ErrorReport : public test::InetTest {
 protected:
  ErrorReport() {
    sandbox.writeFile("drive_c/VORLAN/T1/INBOX/.keep", "");
    fs::setCurrentDirectory("C:\\VORLAN\\T1\\INBOX");
    ctx.savedDirectory = "C:\\VORLAN\\T1";
    state.FTP.ADDRESS = kBuiltInAddress;
    OpenTransferWindow(state, TransferProtocol::Ftp);
    ShowTransferStatus(state, "Downloading updates...");
  }

  // Runs `steps` as a run's body would and returns the run's result.
  int run(const std::function<void()>& steps) { return RunUntilEnded(ctx, steps); }
  void fail(std::uint32_t code, std::string_view operation) {
    platform::setLastWinError(code);
    ctx.operationName = operation;
  }
  const ui::MessageBoxRequest& onlyBox() {
    EXPECT_EQ(boxes.shown.size(), 1u);
    return boxes.shown.at(0);
  }

  RunContext ctx{state};
};

TEST_F(ErrorReport, DetailTextByErrorNumber) {
  const std::pair<std::uint32_t, std::string> cases[] = {
      {12002, "Internet timeout error.|The internet server may be down.||Try connecting again later."},
      {12007, "Internet name not resolved.|The internet server may be down.||Try connecting again later."},
      {12014, "Invalid Internet logon password."},
      {12029, "Cannot connect to the internet."},
      {12031, "The internet connection was reset."},
      {12159, "Internet TCP/IP not installed."},
      {12163, "Internet disconnected.||Ensure that you have a current open connection to the internet."},
      {12164, "Internet server unreachable."},
      {12165, "Internet proxy server unreachable."},
      {12004, ""},
      {0, ""},
      {5, ""},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(InternetErrorDetail(ctx, code), text) << code;
}

TEST_F(ErrorReport, FtpReportEndsTheRunWithItsMessage) {
  const int result = run([&] {
    fail(net::kErrorInternetCannotConnect, kOpGetFile);
    ReportFtpInternetError(ctx);
    ADD_FAILURE() << "the report returned";
  });
  EXPECT_EQ(result, kResultInternetError);
  const ui::MessageBoxRequest& box = onlyBox();
  EXPECT_EQ(box.caption, "Internet Access Error");
  EXPECT_EQ(box.text, std::string(kFtpStart) +
                          "||Error: 12029 FTPGetFile|Cannot connect to the internet.|Server address:ftp.vorlanpos.net"
                          "||Currrent database directory:|C:\\VORLAN\\T1\\INBOX");
  EXPECT_EQ(box.icon, ui::Icon::Exclamation);
  EXPECT_EQ(box.buttons, std::vector<ui::Button>{ui::Button::Ok});
  EXPECT_TRUE(box.beep);
  // The end of the run: window closed, directory back, the status line of
  // the close step on the way.
  EXPECT_EQ(OpenTransferWindowOf(state), nullptr);
  EXPECT_EQ(fs::currentDirectory(), "C:\\VORLAN\\T1");
  EXPECT_EQ(state.STRFTPSTATUS.str(), "Closing Internet connection...");
  EXPECT_THAT(transcriptText(), HasSubstr(R"("text":"Internet error...")"));
}

TEST_F(ErrorReport, OnlyCallbackRegistrationAndFlagDeletionLetTheRunGoOn) {
  const std::pair<std::string_view, bool> cases[] = {
      {kOpInternetOpen, true},    {kOpSetStatusCallback, false}, {kOpInternetConnect, true},
      {kOpFindFirstFile, true},   {kOpFindNextFile, true},       {kOpGetFile, true},
      {kOpDelete, false},         {kOpPutLog, true},             {kOpHttpOpenRequest, true},
      {kOpHttpSendRequest, true},
  };
  for (const auto& [operation, ends] : cases) {
    SCOPED_TRACE(operation);
    ctx.resultCode = kResultDone;
    OpenTransferWindow(state, TransferProtocol::Ftp);
    bool returned = false;
    const int result = run([&, operation = operation] {
      fail(net::kErrorInternetTimeout, operation);
      ReportFtpInternetError(ctx);
      returned = true;
    });
    EXPECT_EQ(returned, !ends);
    EXPECT_EQ(result, kResultInternetError) << "the result code is 2 either way";
    EXPECT_EQ(OpenTransferWindowOf(state) == nullptr, ends);
    EXPECT_EQ(EndsRun(operation), ends);
  }
}

TEST_F(ErrorReport, OperationNameIsCutToTwentyCharacters) {
  run([&] {
    fail(net::kErrorInternetTimeout, kOpSetStatusCallback);
    ReportFtpInternetError(ctx);
  });
  EXPECT_THAT(onlyBox().text, HasSubstr("||Error: 12002 InternetSetStatusCal|Internet timeout error."));
}

TEST_F(ErrorReport, UnknownNumberLeavesTheDetailLineEmpty) {
  run([&] {
    fail(net::kErrorInternetInternalError, kOpPutLog);
    ReportFtpInternetError(ctx);
  });
  EXPECT_THAT(onlyBox().text, HasSubstr("||Error: 12004 FTPPutLog||Server address:ftp.vorlanpos.net||"));
}

TEST_F(ErrorReport, ExtendedErrorWithoutAServerResponse) {
  // A refused connect clears the last response and brings none.
  net::Session session;
  ASSERT_TRUE(session.open());
  sandbox.writePlatformIni("[Network]\r\nConnectTo=nowhere.test:21:127.0.0.1:1\r\n");
  net::FtpConnection ftp;
  ASSERT_FALSE(ftp.connect(session, "nowhere.test", 21, "u", "p", 0));
  run([&] {
    fail(net::kErrorInternetExtendedError, kOpFindFirstFile);
    ReportFtpInternetError(ctx);
  });
  EXPECT_THAT(onlyBox().text, HasSubstr("||Error: 12003 FTPFindFirstFile|Internet path not found.|Server"));
}

TEST_F(ErrorReport, HttpYesRetriesWithTheStatusLineRestored) {
  boxes.answers = {ui::Button::Yes};
  bool retry = false;
  const int result = run([&] {
    fail(net::kErrorInternetCannotConnect, kOpHttpSendRequest);
    retry = ReportHttpInternetError(ctx);
  });
  EXPECT_TRUE(retry);
  EXPECT_EQ(result, kResultDone) << "Yes leaves the result code as it was";
  EXPECT_EQ(state.STRFTPSTATUS.str(), "Downloading updates...");
  EXPECT_NE(OpenTransferWindowOf(state), nullptr);
  const ui::MessageBoxRequest& box = onlyBox();
  EXPECT_EQ(box.caption, "Message");
  EXPECT_EQ(box.text,
            "An Internet connection error has been detected:||Error: 12029 HTTPSendRequest|Cannot connect to the "
            "internet.|Server address:ftp.vorlanpos.net||Currrent database directory:|C:\\VORLAN\\T1\\INBOX"
            "||Do you want to retry the internet operation?|");
  EXPECT_EQ(box.icon, ui::Icon::Question);
  EXPECT_EQ(box.buttons, (std::vector<ui::Button>{ui::Button::Yes, ui::Button::No}));
  EXPECT_EQ(box.defaultButton, ui::Button::Yes);
}

TEST_F(ErrorReport, HttpNoEndsTheRunOrGoesOnWithoutTheOperation) {
  const std::pair<std::string_view, bool> cases[] = {{kOpGetFile, true}, {kOpDelete, false}};
  for (const auto& [operation, ends] : cases) {
    SCOPED_TRACE(operation);
    ctx.resultCode = kResultDone;
    OpenTransferWindow(state, TransferProtocol::Http);
    boxes.answers = {ui::Button::No};
    bool returned = false;
    bool retry = false;
    const int result = run([&, operation = operation] {
      fail(net::kErrorInternetTimeout, operation);
      retry = ReportHttpInternetError(ctx);
      returned = true;
    });
    EXPECT_EQ(returned, !ends);
    EXPECT_FALSE(retry);
    EXPECT_EQ(result, kResultInternetError);
    EXPECT_EQ(OpenTransferWindowOf(state) == nullptr, ends);
  }
}

// An operation that fails a given number of times, then succeeds.
struct FlakyOperation {
  int failures;
  int calls = 0;
  net::InetResult operator()() {
    if (++calls <= failures) {
      platform::setLastWinError(net::kErrorInternetConnectionReset);
      return {net::kErrorInternetConnectionReset};
    }
    return {};
  }
};

TEST_F(ErrorReport, EachOperationIsTriedFourTimesBeforeItIsReported) {
  for (int failures = 0; failures <= 3; ++failures) {
    FlakyOperation op{failures};
    EXPECT_TRUE(TryFtpOperation(ctx, kOpGetFile, std::ref(op)));
    EXPECT_EQ(op.calls, failures + 1);
  }
  EXPECT_TRUE(boxes.shown.empty());

  FlakyOperation always{1000};
  const int result = run([&] { TryFtpOperation(ctx, kOpGetFile, std::ref(always)); });
  EXPECT_EQ(always.calls, 4);
  EXPECT_EQ(result, kResultInternetError);
  EXPECT_THAT(onlyBox().text, HasSubstr("||Error: 12031 FTPGetFile|The internet connection was reset."));
}

TEST_F(ErrorReport, FlagDeletionGivesUpAfterFourTriesAndTheRunGoesOn) {
  FlakyOperation always{1000};
  bool done = true;
  const int result = run([&] { done = TryFtpOperation(ctx, kOpDelete, std::ref(always)); });
  EXPECT_FALSE(done);
  EXPECT_EQ(always.calls, 4);
  EXPECT_EQ(result, kResultInternetError);
  EXPECT_NE(OpenTransferWindowOf(state), nullptr);
}

TEST_F(ErrorReport, HttpAsksAfterTheFourthFailureAndAfterEveryFurtherOne) {
  FlakyOperation op{5};  // fourth and fifth failures are asked about; the sixth try succeeds
  boxes.answers = {ui::Button::Yes, ui::Button::Yes};
  EXPECT_TRUE(TryHttpOperation(ctx, kOpGetFile, std::ref(op)));
  EXPECT_EQ(op.calls, 6);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(ctx.resultCode, kResultDone);

  FlakyOperation always{1000};
  boxes.shown.clear();
  boxes.answers = {ui::Button::Yes, ui::Button::No};
  const int result = run([&] { TryHttpOperation(ctx, kOpGetFile, std::ref(always)); });
  EXPECT_EQ(always.calls, 5);
  EXPECT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(result, kResultInternetError);
}

}  // namespace
}  // namespace vl::inet
