#include "platform/records/keyed_store.h"

#include <sqlite3.h>

#include <algorithm>

#include "platform/records/data_file.h"
#include "platform/records/keyed_format.h"

namespace vl::records {
namespace {

// SQLite's own check of pages and structure ("ok" or a list of problems).
Outcome checkStructure(const SqliteDb& db) {
  Statement check(db, "PRAGMA integrity_check(1)");
  const int rc = check.step();
  if (rc != SQLITE_ROW) return db.error(rc);
  if (check.text(0) == "ok") return {};
  Outcome damaged = fail(kKeysMustBeRebuilt);
  damaged.driverMessage = check.text(0);
  return damaged;
}

bool recordSound(std::int64_t seq, std::span<const std::uint8_t> data, std::int64_t checksum,
                 std::size_t recordSize) {
  return data.size() == recordSize && recordChecksum(seq, data) == checksum;
}

Outcome checkRecords(const SqliteDb& db, std::size_t recordSize) {
  Statement rows(db, "SELECT seq, data, checksum FROM vl_records ORDER BY seq");
  int rc;
  while ((rc = rows.step()) == SQLITE_ROW) {
    if (!recordSound(rows.integer(0), rows.blob(1), rows.integer(2), recordSize)) {
      return fail(kKeysMustBeRebuilt);
    }
  }
  return rc == SQLITE_DONE ? Outcome{} : db.error(rc);
}

Outcome lastSeq(const SqliteDb& db, std::int64_t& seq) {
  Statement last(db, "SELECT COALESCE(MAX(seq), 0) FROM vl_records");
  const int rc = last.step();
  if (rc != SQLITE_ROW) return db.error(rc);
  seq = last.integer(0);
  return {};
}

}  // namespace

Outcome KeyedStore::open(const std::filesystem::path& path, const KeyedLayout& layout) {
  Outcome outcome = db_.open(path, SqliteDb::Mode::Existing);
  KeyedHeader header;
  if (outcome.ok()) outcome = readHeader(db_, header);
  if (outcome.ok()) outcome = checkHeader(header, layout);
  if (outcome.ok()) outcome = checkStructure(db_);
  if (outcome.ok()) outcome = checkRecords(db_, layout.recordSize);
  if (!outcome.ok()) {
    db_.close();
    return outcome;
  }
  recordSize_ = layout.recordSize;
  return {};
}

Outcome KeyedStore::readAfter(std::int64_t afterSeq, std::span<std::uint8_t> out, std::int64_t& foundSeq) {
  Statement query(db_, "SELECT seq, data, checksum FROM vl_records WHERE seq > ? ORDER BY seq LIMIT 1");
  query.bind(1, afterSeq);
  const int rc = query.step();
  if (rc == SQLITE_DONE) return fail(kRecordNotAvailable);
  if (rc != SQLITE_ROW) return db_.error(rc);
  const auto data = query.blob(1);
  if (!recordSound(query.integer(0), data, query.integer(2), recordSize_)) {
    return fail(kKeysMustBeRebuilt);
  }
  std::copy(data.begin(), data.end(), out.begin());
  foundSeq = query.integer(0);
  return {};
}

Outcome KeyedStore::add(std::span<const std::uint8_t> record, std::int64_t& newSeq) {
  // The next seq is read and used inside one write transaction, so two
  // processes adding at once cannot take the same place.
  Outcome outcome = db_.exec("BEGIN IMMEDIATE");
  if (!outcome.ok()) return outcome;
  std::int64_t seq = 0;
  outcome = lastSeq(db_, seq);
  if (outcome.ok()) outcome = insertRecord(db_, ++seq, record);
  if (outcome.ok()) outcome = db_.exec("COMMIT");
  if (!outcome.ok()) {
    db_.exec("ROLLBACK");
    return outcome;
  }
  newSeq = seq;
  return {};
}

Outcome KeyedStore::rewrite(std::int64_t seq, std::span<const std::uint8_t> record) {
  Statement update(db_, "UPDATE vl_records SET data = ?, checksum = ? WHERE seq = ?");
  update.bind(1, record);
  update.bind(2, recordChecksum(seq, record));
  update.bind(3, seq);
  const int rc = update.step();
  if (rc != SQLITE_DONE) return db_.error(rc);
  return sqlite3_changes(db_.handle()) == 1 ? Outcome{} : fail(kRecordNotAvailable);
}

}  // namespace vl::records
