#include "touch_fixture.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vl::touch::test {
namespace {

// The JSON string that starts at `at` (just after its opening quote).
std::string jsonStringAt(const std::string& line, std::size_t at) {
  std::string out;
  for (std::size_t i = at; i < line.size() && line[i] != '"'; ++i) {
    if (line[i] != '\\') {
      out += line[i];
      continue;
    }
    const char e = line[++i];
    if (e == 'u') {
      out += static_cast<char>(std::stoi(line.substr(i + 1, 4), nullptr, 16));
      i += 4;
    } else {
      out += e == 'n' ? '\n' : e == 't' ? '\t' : e;
    }
  }
  return out;
}

}  // namespace

TouchTest::TouchTest() {
  sandbox.writePlatformIni(kFrozenClock);
  state.IniPath = "C:\\VLSInet.INI";
}

int TouchTest::run(const std::string& text, const std::function<void()>& program) {
  std::ofstream(script) << text;
  ui::RobotOptions options;
  options.stallTimeout = std::chrono::seconds(10);
  options.accessCode = [] { return std::to_string(kFrozenDayCode); };
  return ui::runHeadless(script.string(), transcriptFile.string(), program, options);
}

std::vector<std::string> TouchTest::transcript() const {
  std::ifstream in(transcriptFile);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> TouchTest::linesWith(const std::vector<std::string>& pieces) const {
  std::vector<std::string> found;
  for (const std::string& line : transcript()) {
    bool all = true;
    for (const std::string& piece : pieces) all = all && line.find(piece) != std::string::npos;
    if (all) found.push_back(line);
  }
  return found;
}

std::vector<std::string> TouchTest::shown(const std::string& id) const {
  std::vector<std::string> texts;
  const std::string idField = "\"id\":\"" + id + "\"";
  for (const std::string& line : linesWith({"\"event\":\"state\"", idField})) {
    const std::size_t text = line.find("\"text\":\"", line.find(idField));
    texts.push_back(jsonStringAt(line, text + 8));
  }
  return texts;
}

std::string presses(const std::string& ids) {
  std::istringstream in(ids);
  std::string lines;
  for (std::string id; in >> id;) lines += "press ?" + id + "\n";
  return lines;
}

void StepBackend::waitForInput(ui::Window& w) {
  if (steps_.empty()) throw std::runtime_error("window " + std::string(w.name()) + " waits, but no step is left");
  Step step = std::move(steps_.front());
  steps_.pop_front();
  step(w);
}

}  // namespace vl::touch::test
