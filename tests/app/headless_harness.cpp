#include "headless_harness.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <thread>

namespace vl::test {
namespace {

namespace fs = std::filesystem;

void skipBlanks(const std::string& s, std::size_t& i) {
  while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\r' || s[i] == '\n')) ++i;
}

void appendUtf8(std::string& out, unsigned code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// A string starting at s[i] == '"'; leaves i after the closing quote.
std::string readString(const std::string& s, std::size_t& i) {
  std::string out;
  for (++i; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') {
      ++i;
      return out;
    }
    if (c != '\\' || i + 1 >= s.size()) {
      out += c;
      continue;
    }
    c = s[++i];
    switch (c) {
      case 'n': out += '\n'; break;
      case 't': out += '\t'; break;
      case 'r': out += '\r'; break;
      case 'b': out += '\b'; break;
      case 'f': out += '\f'; break;
      case 'u':
        appendUtf8(out, static_cast<unsigned>(std::stoul(s.substr(i + 1, 4), nullptr, 16)));
        i += 4;
        break;
      default: out += c; break;
    }
  }
  throw std::runtime_error("unterminated string");
}

// Any other value: its raw text (nested arrays and objects balanced).
std::string readRaw(const std::string& s, std::size_t& i) {
  const std::size_t start = i;
  int depth = 0;
  while (i < s.size()) {
    const char c = s[i];
    if (c == '"') {
      readString(s, i);
      continue;
    }
    if (c == '[' || c == '{') ++depth;
    if (c == ']' || c == '}') {
      if (depth == 0) break;
      --depth;
    }
    if (c == ',' && depth == 0) break;
    ++i;
    if (depth == 0 && (c == ']' || c == '}')) break;
  }
  std::string raw = s.substr(start, i - start);
  while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\r')) raw.pop_back();
  return raw;
}

std::map<std::string, std::string> readObject(const std::string& s, std::size_t& i) {
  std::map<std::string, std::string> fields;
  skipBlanks(s, i);
  if (i >= s.size() || s[i] != '{') throw std::runtime_error("not an object");
  ++i;
  for (;;) {
    skipBlanks(s, i);
    if (i < s.size() && s[i] == '}') {
      ++i;
      return fields;
    }
    if (i >= s.size() || s[i] != '"') throw std::runtime_error("expected a key");
    std::string key = readString(s, i);
    skipBlanks(s, i);
    if (i >= s.size() || s[i] != ':') throw std::runtime_error("expected a colon");
    ++i;
    skipBlanks(s, i);
    fields[key] = i < s.size() && s[i] == '"' ? readString(s, i) : readRaw(s, i);
    skipBlanks(s, i);
    if (i < s.size() && s[i] == ',') ++i;
  }
}

// The objects of a JSON array of objects.
std::vector<std::map<std::string, std::string>> readObjects(const std::string& array) {
  std::vector<std::map<std::string, std::string>> objects;
  std::size_t i = 0;
  skipBlanks(array, i);
  if (i >= array.size() || array[i] != '[') return objects;
  ++i;
  for (;;) {
    skipBlanks(array, i);
    if (i >= array.size() || array[i] != '{') return objects;
    objects.push_back(readObject(array, i));
    skipBlanks(array, i);
    if (i < array.size() && array[i] == ',') ++i;
  }
}

std::string readHostFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream all;
  all << in.rdbuf();
  return all.str();
}

pid_t startChild(const HeadlessRun& run, const fs::path& dir, const fs::path& script, const fs::path& transcript,
                 const fs::path& errors) {
  // Built before the fork: the child only execs.
  std::vector<std::string> args = run.wrapper;
  for (const fs::path& a : {run.executable, script, transcript}) args.push_back(a.string());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) {
    if (pid > 0) ::setpgid(pid, pid);  // also here, so a kill right after the fork finds the group
    return pid;
  }
  // Its own process group, so a wrapper and the program are killed together.
  ::setpgid(0, 0);
  if (::chdir(dir.c_str()) != 0) ::_exit(126);
  const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (err >= 0) ::dup2(err, 2);
  const int null = ::open("/dev/null", O_RDONLY);
  if (null >= 0) ::dup2(null, 0);
  ::execvp(argv[0], argv.data());
  ::_exit(127);
}

// Exit status of the child, or nullopt when it did not end in time (it is then killed).
std::optional<int> waitChild(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    const pid_t got = ::waitpid(pid, &status, WNOHANG);
    if (got == pid) return status;
    if (got < 0) return -1;
    if (std::chrono::steady_clock::now() >= deadline) {
      ::kill(-pid, SIGKILL);
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return std::nullopt;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace

std::optional<TranscriptLine> parseTranscriptLine(const std::string& line) {
  try {
    std::size_t i = 0;
    TranscriptLine parsed{readObject(line, i), line};
    return parsed;
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

std::vector<TranscriptLine> HeadlessResult::events(const std::string& event) const {
  std::vector<TranscriptLine> found;
  for (const TranscriptLine& l : lines) {
    if (l.event() == event) found.push_back(l);
  }
  return found;
}

std::optional<TranscriptLine> HeadlessResult::message(const std::string& part) const {
  for (const TranscriptLine& l : lines) {
    if (l.event() == "message" && l.text().find(part) != std::string::npos) return l;
  }
  return std::nullopt;
}

int HeadlessResult::transcriptExitCode() const {
  if (lines.empty() || lines.back().event() != "exit") return -1;
  return std::stoi(lines.back().get("code"));
}

std::vector<std::string> HeadlessResult::dumps(const std::string& id, const std::string& key) const {
  std::vector<std::string> values;
  for (const TranscriptLine& l : lines) {
    if (l.event() != "state") continue;
    for (const auto& control : readObjects(l.get("controls"))) {
      auto found = control.find("id");
      if (found == control.end() || found->second != id) continue;
      auto value = control.find(key);
      values.push_back(value == control.end() ? std::string() : value->second);
    }
  }
  return values;
}

std::string HeadlessResult::dumped(const std::string& id, const std::string& key) const {
  const std::vector<std::string> values = dumps(id, key);
  return values.empty() ? std::string() : values.back();
}

HeadlessResult runHeadlessProgram(const Sandbox& sandbox, const HeadlessRun& run) {
  const fs::path work = sandbox.prefix() / run.robotDir;
  fs::create_directories(work);
  const fs::path startDir = sandbox.driveC() / run.startDir;
  fs::create_directories(startDir);
  const fs::path script = work / "script.txt";
  const fs::path transcript = work / "transcript.jsonl";
  const fs::path errors = work / "stderr.txt";
  std::ofstream(script, std::ios::binary | std::ios::trunc) << run.script;

  HeadlessResult result;
  const pid_t pid = startChild(run, startDir, script, transcript, errors);
  if (pid < 0) return result;
  const std::optional<int> status = waitChild(pid, run.limit);
  result.timedOut = !status.has_value();
  if (status && WIFEXITED(*status)) result.exitCode = WEXITSTATUS(*status);
  result.transcript = readHostFile(transcript);
  result.errors = readHostFile(errors);
  std::istringstream in(result.transcript);
  for (std::string line; std::getline(in, line);) {
    if (auto parsed = parseTranscriptLine(line)) result.lines.push_back(std::move(*parsed));
  }
  return result;
}

}  // namespace vl::test
