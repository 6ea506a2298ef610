#pragma once
// Text routines shared by the setup window, the transfer runs and the remote
// log writers. Inputs are the data model's blank-padded fixed-length texts, so
// trailing blanks of an input never count.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vl::services {

// A list of split-off parts. Each entry is what a 1,024-character text field
// would hold: cut to 1,024 characters, trailing blanks removed (blank-padded
// fields compare equal without them).
using TextList = std::vector<std::string>;
inline constexpr std::size_t kTextListEntryWidth = 1024;

// Empties `list` and fills it with the parts of `text` between occurrences of
// `delimiter` (one or more characters, never blank). Returns the entry count.
//  - one-character delimiter: every delimiter ends an entry, also an empty
//    one; a text ending in the delimiter gets an empty last entry;
//  - longer delimiter: the same, except that a text ending in the delimiter
//    gets no empty last entry;
//  - a last part that is blank is not an entry. A blank text gives no entries.
std::int16_t SplitText(TextList& list, std::string_view text, std::string_view delimiter);

// Replaces every occurrence of `find` in `text` by `replacement`, left to right,
// never rescanning replaced text. One character by one character (a blank
// replacement counts as one blank) overwrites in place and keeps the text's
// length; otherwise trimmed `find` is replaced by trimmed `replacement`.
// A blank `find`, or `find` equal to `replacement`, leaves the text unchanged.
std::string ReplaceText(std::string_view text, std::string_view find, std::string_view replacement);

// The text without commas and without trailing blanks, at most 2,048 characters.
inline constexpr std::size_t kRemoveCommasWidth = 2048;
std::string RemoveCommas(std::string_view text);

}  // namespace vl::services
