#pragma once
// Runs the program's main procedure with the headless backend: the robot
// plays the script, the transcript records what a person would see.
//
//   int main(int argc, char** argv) {   // vlsinet-headless SCRIPT TRANSCRIPT
//     vl::ui::RobotOptions options;
//     options.accessCode = [] { return std::to_string(vl::dailyAccessCode()); };
//     return vl::ui::runHeadless(argv[1], argv[2], runProgram, options);
//   }
//
// The exit code is the program's (0 when the main procedure returns, the
// code of a ProgramHalt that escapes it), or kRobotFailed when the script is
// bad, a line cannot act, the script is left unfinished, the program throws,
// or the stall bound passes (the watchdog then ends the process itself, since
// the program may be stuck in a blocking call). The transcript's last line is
// always {"event":"exit","code":N}; a failure is written just before it as
// {"event":"error","message":TEXT} and also to standard error.
#include <functional>
#include <string>

#include "platform/ui/headless_backend.h"

namespace vl::ui {

inline constexpr int kRobotFailed = 3;

int runHeadless(const std::string& scriptPath, const std::string& transcriptPath,
                const std::function<void()>& mainProcedure, RobotOptions options = {});

}  // namespace vl::ui
