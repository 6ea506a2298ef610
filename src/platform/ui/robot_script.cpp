#include "platform/ui/robot_script.h"

#include <algorithm>
#include <cctype>

namespace vl::ui {
namespace {

struct Arity {
  std::string_view verb;
  std::size_t min, max;
  std::string_view usage;
};

constexpr Arity kCommands[] = {
    {"wait", 1, 1, "wait WINDOWNAME"},
    {"type", 2, 2, "type CONTROL TEXT"},
    {"press", 1, 1, "press CONTROL"},
    {"focus", 1, 1, "focus CONTROL"},
    {"close", 0, 0, "close"},
    {"answer", 1, 2, "answer OK|Yes|No [TEXT]"},
    {"access-code", 0, 1, "access-code [CONTROL]"},
    {"dump", 1, 1, "dump CONTROL|WINDOWNAME"},
    {"select", 2, 2, "select LISTBOX ROW"},
    {"mark", 2, 2, "mark LISTBOX ROW"},
    {"wait-progress", 1, 1, "wait-progress WINDOWNAME"},
};

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string quoted(std::string_view line, std::size_t& i) {
  std::string word;
  for (++i; i < line.size(); ++i) {
    char c = line[i];
    if (c == '"') {
      ++i;
      if (i < line.size() && !blank(line[i])) throw ScriptError("text follows a closing quote");
      return word;
    }
    if (c == '\\' && i + 1 < line.size() && (line[i + 1] == '"' || line[i + 1] == '\\')) c = line[++i];
    word += c;
  }
  throw ScriptError("a quote is not closed");
}

void checkCommand(const ScriptCommand& cmd) {
  for (const Arity& a : kCommands) {
    if (a.verb != cmd.verb) continue;
    if (cmd.args.size() < a.min || cmd.args.size() > a.max) {
      throw ScriptError("expected \"" + std::string(a.usage) + "\"");
    }
    if (cmd.verb == "answer") {
      const std::string b = lower(cmd.args[0]);
      if (b != "ok" && b != "yes" && b != "no") throw ScriptError("answer takes OK, Yes or No, not " + cmd.args[0]);
    }
    return;
  }
  throw ScriptError("unknown command \"" + cmd.verb + "\"");
}

}  // namespace

std::vector<std::string> splitScriptLine(std::string_view line) {
  std::vector<std::string> words;
  std::size_t i = 0;
  while (i < line.size()) {
    if (blank(line[i])) {
      ++i;
    } else if (line[i] == '#') {
      break;
    } else if (line[i] == '"') {
      words.push_back(quoted(line, i));
    } else {
      const std::size_t start = i;
      while (i < line.size() && !blank(line[i])) ++i;
      words.emplace_back(line.substr(start, i - start));
    }
  }
  return words;
}

std::vector<ScriptCommand> parseScript(std::string_view text) {
  std::vector<ScriptCommand> commands;
  int number = 0;
  while (!text.empty()) {
    const std::size_t eol = text.find('\n');
    const std::string_view line = text.substr(0, eol);
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    ++number;
    try {
      std::vector<std::string> words = splitScriptLine(line);
      if (words.empty()) continue;
      ScriptCommand cmd{number, lower(words[0]), {words.begin() + 1, words.end()}, std::string(line)};
      while (!cmd.source.empty() && blank(cmd.source.back())) cmd.source.pop_back();
      checkCommand(cmd);
      commands.push_back(std::move(cmd));
    } catch (const ScriptError& e) {
      throw ScriptError("script line " + std::to_string(number) + ": " + e.what());
    }
  }
  return commands;
}

}  // namespace vl::ui
