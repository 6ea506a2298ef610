#pragma once
// Entry layouts of the in-memory lists. They are never stored in a record
// file, but their sizes are fixed all the same so that every owner of a list
// of the same shape sees the same entry. Conversions: see records.h.

#include <cstddef>
#include <cstdint>
#include <tuple>

#include "data/fixed_text.h"
#include "data/records.h"

namespace vl {

// Update-file list LUF: the files chosen for download in the current run,
// also the list the transfer window shows.
struct UpdateFileEntry {
  FixedText<1> DUMMY;                 // always blank: the list's icon column
  std::int16_t ICON = 0;              // 0 none, 1 arrow (fetching), 2 tick (done)
  FixedText<50> UPDATEFILE;           // upper-case name without folder
  std::int32_t REMOTEKBCOUNT = 0;     // 1 up to 1,024 bytes, else bytes / 1,024
  FixedText<100> FTPDIRECTORY;        // remote folder, ending in '/'
  std::int32_t REMOTEBYTECOUNT = 0;
  std::int32_t LOCALBYTECOUNT = 0;    // declared only; left as found
  std::uint8_t SORTORDER = 0;         // 1 ordinary, 2 POSID flag, 3 software flag
  std::uint8_t MARK = 0;              // 1 when marked in the preview

  static constexpr std::size_t kSize = 167;
  static constexpr const char* kLayout =
      "LUF:DUMMY S1;LUF:ICON I16;LUF:UPDATEFILE S50;LUF:REMOTEKBCOUNT I32;"
      "LUF:FTPDIRECTORY S100;LUF:REMOTEBYTECOUNT I32;LUF:LOCALBYTECOUNT I32;"
      "LUF:SORTORDER U8;LUF:MARK U8";
  static constexpr auto fields() {
    using R = UpdateFileEntry;
    return std::tuple{&R::DUMMY,           &R::ICON,           &R::UPDATEFILE,
                      &R::REMOTEKBCOUNT,   &R::FTPDIRECTORY,   &R::REMOTEBYTECOUNT,
                      &R::LOCALBYTECOUNT,  &R::SORTORDER,      &R::MARK};
  }
};

// File attribute bits of FileListEntry::ATTRIB.
inline constexpr std::uint8_t kAttribReadOnly = 1;
inline constexpr std::uint8_t kAttribHidden = 2;
inline constexpr std::uint8_t kAttribSystem = 4;
inline constexpr std::uint8_t kAttribDirectory = 16;
inline constexpr std::uint8_t kAttribArchive = 32;

// One entry of a directory listing (local, or a remote folder over HTTP).
// Owners give it their own prefix (LSD:, LSP:, LOC:, REM:); the layout is one.
struct FileListEntry {
  FixedText<256> LONGNAME;  // name without folder
  FixedText<13> FILENAME;   // 8.3 form, or the long name when there is none
  std::int32_t DATE = 0;    // day number
  std::int32_t TIME = 0;    // hundredths of a second after midnight, plus one
  std::int32_t SIZE = 0;    // low 32 bits of the size
  std::uint8_t ATTRIB = 0;  // kAttrib* bits

  static constexpr std::size_t kSize = 282;
  static constexpr const char* kLayout =
      "LONGNAME S256;FILENAME S13;DATE I32;TIME I32;SIZE I32;ATTRIB U8";
  static constexpr auto fields() {
    using R = FileListEntry;
    return std::tuple{&R::LONGNAME, &R::FILENAME, &R::DATE, &R::TIME, &R::SIZE, &R::ATTRIB};
  }
};

// One part of a text split at a separator (prefixes: none, LPI:, LRD:, LRE:).
struct ParsedItem {
  FixedText<1024> PARSEDITEM;

  static constexpr std::size_t kSize = 1024;
  static constexpr const char* kLayout = "PARSEDITEM S1024";
  static constexpr auto fields() { return std::tuple{&ParsedItem::PARSEDITEM}; }
};

static_assert(record_codec::consistent<UpdateFileEntry>());
static_assert(record_codec::consistent<FileListEntry>());
static_assert(record_codec::consistent<ParsedItem>());

}  // namespace vl
