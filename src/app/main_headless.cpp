// vlsinet-headless SCRIPT TRANSCRIPT: the program with the headless backend.
// A robot plays the person from SCRIPT; what a person would see goes to
// TRANSCRIPT. The platform prefix comes from VLSINET_PREFIX, the program's
// start directory is the current directory.
#include <iostream>
#include <string>

#include "app/program.h"
#include "platform/ui/headless_run.h"
#include "touch/keypad.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vlsinet-headless SCRIPT TRANSCRIPT\n";
    return vl::ui::kRobotFailed;
  }
  vl::ui::RobotOptions options;
  options.accessCode = [] { return std::to_string(vl::touch::DailyAccessCode()); };
  const vl::TransferRuns runs = vl::defaultTransferRuns();
  vl::ProgramState state;
  // runHeadless is this process's entry: it catches the ProgramHalt that ends
  // the program and turns it into the exit code.
  return vl::ui::runHeadless(argv[1], argv[2], [&] { vl::MainProcedure(state, runs); }, std::move(options));
}
