#pragma once
// Robot lines that fill in the setup window as an installer does for the
// simulator's sample location (12 of Client/Store), shared by the whole-run
// tests over the real headless program.

namespace vl::test {

// The access prompt, then every field of the General tab, Full Download on.
inline constexpr const char* kInstallerForm =
    "wait P1$MODALWINDOW\naccess-code ?OUTNUMBER\npress ?OKKEY\n"
    "wait P1$FTPINSTALLER\n"
    "press ?BSTOREOWNER:RADIO1\n"
    "type ?USERNAME \"Ann Till\"\n"
    "type ?USERLOCATION \"Main Street\"\n"
    "type ?FTP:LOCALFTP Client/Store\n"
    "type ?LOCATIONID 12\n"
    "press ?POSRDBMS:RADIO1\n"
    "press ?CMDFULL\n";
// Answers the Internet retry question with No, so a fault ends the run at once.
inline constexpr const char* kNoRetry = "answer No \"Do you want to retry the internet operation?\"\n";
inline constexpr const char* kDownloadAndClose = "press ?OKBUTTON\npress ?CANCELBUTTON\n";

}  // namespace vl::test
