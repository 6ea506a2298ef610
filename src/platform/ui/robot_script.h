#pragma once
// The headless robot's script: one command per line, "#" starts a comment,
// arguments separated by blanks, an argument in double quotes when it holds
// blanks (inside quotes \" is a quote and \\ a backslash; any other backslash
// stays as it is, so Windows paths need no doubling).
//
//   wait WINDOWNAME          go on when that window waits for input
//   type CONTROL TEXT        select the entry, type TEXT, leave it
//   press CONTROL            button, check box, radio or tab
//   focus CONTROL            give the control the focus
//   close                    the waiting window's close box
//   answer BUTTON [TEXT]     from now on answer boxes containing TEXT with BUTTON
//   access-code [CONTROL]    type today's access code (default: the focused entry)
//   dump CONTROL|WINDOWNAME  write the state to the transcript
//   select LISTBOX ROW       choose a row (1-based) of a list box
//   mark LISTBOX ROW         click a row's mark (ticks it, or clears a ticked one)
//   wait-progress WINDOWNAME go on during a blocking operation, once a progress
//                            bar of that window has moved: the lines after it,
//                            up to the first that acts, are done on that window
//                            where the program next lets window work run, as a
//                            person's click is handled there
// CONTROL is an identifier ("?LOCATIONID") or a number.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vl::ui {

struct ScriptCommand {
  int line = 0;                   // 1-based line in the script
  std::string verb;               // as above, lower case
  std::vector<std::string> args;  // quotes removed, escapes resolved
  std::string source;             // the line as written, for messages
};

// A script that cannot be read; what() is "script line N: why".
struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::vector<ScriptCommand> parseScript(std::string_view text);

// Splits one line into its words (no checks of the verb). Throws ScriptError
// without a line number for an unterminated quote or text glued to a quote.
std::vector<std::string> splitScriptLine(std::string_view line);

}  // namespace vl::ui
