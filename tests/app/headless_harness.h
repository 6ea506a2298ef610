#pragma once
// Runs the real headless program as a child process in a Sandbox prefix: a
// robot script in, the transcript back as lines a test can assert on, and
// the exit status. The wait is bounded: a child that does not end in time is
// killed and the run reports it.
//
//   vl::test::Sandbox box;
//   vl::test::HeadlessRun run{.executable = VL_HEADLESS_BIN};
//   run.script = "wait P1$FTPINSTALLER\npress ?CANCELBUTTON\n";
//   vl::test::HeadlessResult r = vl::test::runHeadlessProgram(box, run);
//   EXPECT_EQ(r.exitCode, 0);
//   EXPECT_TRUE(r.hasMessage("Download complete."));
#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "support/sandbox.h"

namespace vl::test {

// One transcript line: its fields as text (strings unescaped, numbers and
// booleans as written, arrays and objects as raw JSON).
struct TranscriptLine {
  std::map<std::string, std::string> fields;
  std::string raw;

  std::string get(const std::string& key) const {
    auto it = fields.find(key);
    return it == fields.end() ? std::string() : it->second;
  }
  std::string event() const { return get("event"); }
  std::string caption() const { return get("caption"); }
  std::string text() const { return get("text"); }
  std::string answer() const { return get("answer"); }
};

// Parses one JSON object of the transcript; nullopt when it is not one.
std::optional<TranscriptLine> parseTranscriptLine(const std::string& line);

struct HeadlessRun {
  std::filesystem::path executable;
  std::string script;
  // The program's start directory, below drive C: of the sandbox; made when missing.
  std::filesystem::path startDir = "VLSInet";
  std::chrono::milliseconds limit = std::chrono::seconds(60);
  // A command the program runs under ("strace", "-f", "-e", "inject=..."),
  // given before the program and its arguments; empty: run it directly.
  std::vector<std::string> wrapper = {};
  // Where the script, transcript and standard error go, below the prefix; a
  // copy started while another runs in the same sandbox needs its own.
  std::filesystem::path robotDir = "robot";
};

struct HeadlessResult {
  // The process's exit code; -1 when it was killed or did not end in time.
  int exitCode = -1;
  bool timedOut = false;
  std::vector<TranscriptLine> lines;
  std::string transcript;  // the whole transcript, for failure messages
  std::string errors;      // what the program wrote to standard error

  // Lines of one event kind, in order.
  std::vector<TranscriptLine> events(const std::string& event) const;
  // Message boxes shown, in order.
  std::vector<TranscriptLine> messages() const { return events("message"); }
  // A message box whose text contains `part`.
  std::optional<TranscriptLine> message(const std::string& part) const;
  bool hasMessage(const std::string& part) const { return message(part).has_value(); }
  // The exit code the transcript's last line reports (-1 when missing).
  int transcriptExitCode() const;
  // What the "state" dumps (script line "dump") showed for control `id`
  // under `key` ("text", "value", "enabled", ...), one value per dump that
  // holds the control, in order; dumped() gives the last one ("" if none).
  std::vector<std::string> dumps(const std::string& id, const std::string& key) const;
  std::string dumped(const std::string& id, const std::string& key) const;
};

HeadlessResult runHeadlessProgram(const Sandbox& sandbox, const HeadlessRun& run);

}  // namespace vl::test
