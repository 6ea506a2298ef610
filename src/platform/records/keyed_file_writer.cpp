// Creating and rebuilding keyed files. Both write a complete new database
// under a temporary name beside the file and rename it into place, so the
// file is at every moment either the old one or the finished new one.
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/records/data_file.h"
#include "platform/records/keyed_format.h"
#include "platform/records/keyed_store.h"

namespace vl::records {
namespace {

namespace stdfs = std::filesystem;
using Records = std::map<std::int64_t, std::vector<std::uint8_t>>;

stdfs::path temporaryName(const stdfs::path& path) {
  return path.parent_path() /
         ("." + path.filename().string() + ".vlnew." + std::to_string(::getpid()));
}

void syncFolder(const stdfs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Makes the empty temporary file ourselves first, so that a missing folder or
// a folder we may not write gives 3 or 5 rather than SQLite's vaguer message.
Outcome startTemporary(const stdfs::path& temp) {
  removeKeyedSideFiles(temp);
  ::unlink(temp.c_str());
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return outcomeFromErrno(errno, temp);
  ::close(fd);
  return {};
}

Outcome fillDatabase(const stdfs::path& temp, const KeyedHeader& header, const Records& records) {
  SqliteDb db;
  Outcome outcome = db.open(temp, SqliteDb::Mode::Existing);
  if (outcome.ok()) outcome = db.exec("PRAGMA journal_mode=DELETE");
  if (outcome.ok()) outcome = db.exec("BEGIN IMMEDIATE");
  if (outcome.ok()) outcome = writeSchema(db, header);
  std::int64_t seq = 0;
  for (const auto& [oldSeq, data] : records) {
    if (outcome.ok()) outcome = insertRecord(db, ++seq, data);
  }
  if (outcome.ok()) outcome = db.exec("COMMIT");
  return outcome;
}

Outcome writeFreshFile(const stdfs::path& path, const KeyedHeader& header, const Records& records) {
  const stdfs::path temp = temporaryName(path);
  Outcome outcome = startTemporary(temp);
  if (!outcome.ok()) return outcome;
  outcome = fillDatabase(temp, header, records);
  if (outcome.ok()) {
    // A journal left by the old file must never be played into the new one.
    removeKeyedSideFiles(path);
    if (::rename(temp.c_str(), path.c_str()) != 0) outcome = outcomeFromErrno(errno, path);
  }
  if (!outcome.ok()) {
    removeKeyedSideFiles(temp);
    ::unlink(temp.c_str());
    return outcome;
  }
  syncFolder(path.parent_path());
  return {};
}

// Collects the sound records in one direction until the first unreadable page.
void salvage(const SqliteDb& db, const char* sql, std::size_t recordSize, Records& into) {
  Statement rows(db, sql);
  while (rows.step() == SQLITE_ROW) {
      const std::int64_t seq = rows.integer(0);
    const auto data = rows.blob(1);
    if (data.size() == recordSize && recordChecksum(seq, data) == rows.integer(2)) {
      into.emplace(seq, std::vector<std::uint8_t>(data.begin(), data.end()));
    }
  }
}

}  // namespace

void removeKeyedSideFiles(const stdfs::path& path) {
  for (const char* suffix : {"-journal", "-wal", "-shm"}) {
    ::unlink((path.string() + suffix).c_str());
  }
}

Outcome createKeyedFile(const stdfs::path& path, const KeyedLayout& layout) {
  KeyedHeader header{layout.signature, static_cast<std::int64_t>(layout.recordSize),
                     makePasswordCheck(layout.ownerPassword)};
  if (!header.owner.salt.empty() && header.owner.hash.empty()) {
    return Outcome{kFileSystemError, "cannot hash the owner password", "owner", {}};
  }
  return writeFreshFile(path, header, {});
}

Outcome rebuildKeyedFile(const stdfs::path& path, const KeyedLayout& layout) {
  // A sound file of another layout or owner, or no database at all, is not
  // ours to rewrite: only a file that is fine or damaged goes on.
  KeyedStore probe;
  Outcome first = probe.open(path, layout);
  probe.close();
  if (!first.ok() && first.code != kKeysMustBeRebuilt) return first;

  SqliteDb db;
  Outcome outcome = db.open(path, SqliteDb::Mode::Salvage);
  if (!outcome.ok()) return outcome;
  KeyedHeader header;
  if (readHeader(db, header).ok()) {
    outcome = checkHeader(header, layout);
    if (!outcome.ok()) return outcome;
  } else {
    // The header itself is damaged: the declaration says what it held.
    header = KeyedHeader{layout.signature, static_cast<std::int64_t>(layout.recordSize),
                         makePasswordCheck(layout.ownerPassword)};
  }
  // Read from both ends: a damaged page in the middle stops a scan, and the
  // records beyond it can still be reached from the other side.
  Records records;
  salvage(db, "SELECT seq, data, checksum FROM vl_records ORDER BY seq", layout.recordSize, records);
  salvage(db, "SELECT seq, data, checksum FROM vl_records ORDER BY seq DESC", layout.recordSize, records);
  db.close();
  return writeFreshFile(path, header, records);
}

}  // namespace vl::records
