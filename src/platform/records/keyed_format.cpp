#include "platform/records/keyed_format.h"

#include <sqlite3.h>

#include <cstring>

#include "platform/records/data_file.h"

namespace vl::records {

std::int64_t recordChecksum(std::int64_t seq, std::span<const std::uint8_t> data) {
  std::uint64_t hash = 14695981039346656037ull;
  auto mix = [&hash](std::uint8_t byte) {
    hash ^= byte;
    hash *= 1099511628211ull;
  };
  const auto useq = static_cast<std::uint64_t>(seq);
  for (int i = 0; i < 8; ++i) mix(static_cast<std::uint8_t>(useq >> (8 * i)));
  for (std::uint8_t byte : data) mix(byte);
  std::int64_t stored;
  std::memcpy(&stored, &hash, sizeof stored);
  return stored;
}

Outcome readHeader(const SqliteDb& db, KeyedHeader& header) {
  Statement query(db, "SELECT format, layout, record_size, owner_salt, owner_hash FROM vl_header WHERE id = 1");
  const int rc = query.step();
  if (rc == SQLITE_DONE) return fail(kInvalidRecordDeclaration);
  if (rc != SQLITE_ROW) {
    // A readable database without our tables is some other file.
    if (rc == SQLITE_ERROR) return fail(kInvalidRecordDeclaration);
    return db.error(rc);
  }
  if (query.integer(0) != kKeyedFormatVersion) return fail(kInvalidRecordDeclaration);
  header.layout = query.text(1);
  header.recordSize = query.integer(2);
  const auto salt = query.blob(3);
  const auto hash = query.blob(4);
  header.owner.salt.assign(salt.begin(), salt.end());
  header.owner.hash.assign(hash.begin(), hash.end());
  return {};
}

Outcome checkHeader(const KeyedHeader& header, const KeyedLayout& layout) {
  if (!passwordMatches(header.owner, layout.ownerPassword)) {
    Outcome refused = fail(kAccessDenied);
    refused.description = "Invalid Owner Password";
    return refused;
  }
  if (header.layout != layout.signature ||
      header.recordSize != static_cast<std::int64_t>(layout.recordSize)) {
    return fail(kInvalidRecordDeclaration);
  }
  return {};
}

Outcome writeSchema(SqliteDb& db, const KeyedHeader& header) {
  Outcome outcome = db.exec(
      "PRAGMA journal_mode=DELETE;"
      "CREATE TABLE vl_header(id INTEGER PRIMARY KEY CHECK (id = 1), format INTEGER NOT NULL,"
      " layout TEXT NOT NULL, record_size INTEGER NOT NULL, owner_salt BLOB, owner_hash BLOB);"
      "CREATE TABLE vl_records(seq INTEGER PRIMARY KEY, data BLOB NOT NULL, checksum INTEGER NOT NULL);");
  if (!outcome.ok()) return outcome;
  Statement insert(db, "INSERT INTO vl_header VALUES (1, ?, ?, ?, ?, ?)");
  insert.bind(1, kKeyedFormatVersion);
  insert.bind(2, header.layout);
  insert.bind(3, header.recordSize);
  insert.bind(4, std::span<const std::uint8_t>(header.owner.salt));
  insert.bind(5, std::span<const std::uint8_t>(header.owner.hash));
  const int rc = insert.step();
  return rc == SQLITE_DONE ? Outcome{} : db.error(rc);
}

Outcome insertRecord(const SqliteDb& db, std::int64_t seq, std::span<const std::uint8_t> data) {
  Statement insert(db, "INSERT INTO vl_records(seq, data, checksum) VALUES (?, ?, ?)");
  insert.bind(1, seq);
  insert.bind(2, data);
  insert.bind(3, recordChecksum(seq, data));
  const int rc = insert.step();
  return rc == SQLITE_DONE ? Outcome{} : db.error(rc);
}

}  // namespace vl::records
