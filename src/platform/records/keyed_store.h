#pragma once
// Keyed record files kept in SQLite: one database per file with
//   vl_header(id 1, format, layout, record_size, owner_salt, owner_hash)
//   vl_records(seq INTEGER PRIMARY KEY, data BLOB, checksum INTEGER)
// Records are the program's bytes exactly as laid out, in seq order. Each
// carries a checksum over its seq and bytes: together with SQLite's own
// structure check it is what "the keys" are here. A file whose structure or
// any checksum fails gives 46; rebuilding keeps the records that pass.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/records/record_errors.h"
#include "platform/records/sqlite_db.h"

namespace vl::records {

struct KeyedLayout {
  std::string signature;
  std::size_t recordSize = 0;
  std::string ownerPassword;
};

class KeyedStore {
 public:
  // Opens an existing file and checks owner password (5), layout (47) and
  // integrity (46). Nothing is written on a failed check.
  Outcome open(const std::filesystem::path& path, const KeyedLayout& layout);
  void close() { db_.close(); }

  // The first record whose seq is above afterSeq; 33 when there is none.
  Outcome readAfter(std::int64_t afterSeq, std::span<std::uint8_t> out, std::int64_t& foundSeq);
  Outcome add(std::span<const std::uint8_t> record, std::int64_t& newSeq);
  Outcome rewrite(std::int64_t seq, std::span<const std::uint8_t> record);

 private:
  SqliteDb db_;
  std::size_t recordSize_ = 0;
};

// Makes an empty file (replacing one that is there) in one atomic step.
Outcome createKeyedFile(const std::filesystem::path& path, const KeyedLayout& layout);

// Rewrites the file from the records that pass their checks, renumbered in
// their order. The owner password must match when the header is readable.
Outcome rebuildKeyedFile(const std::filesystem::path& path, const KeyedLayout& layout);

// Removes what SQLite may keep beside a database (journal, WAL, shared memory).
void removeKeyedSideFiles(const std::filesystem::path& path);

}  // namespace vl::records
