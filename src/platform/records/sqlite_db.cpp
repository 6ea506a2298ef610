#include "platform/records/sqlite_db.h"

#include <sqlite3.h>

#include "platform/records/data_file.h"

namespace vl::records {

Outcome SqliteDb::open(const std::filesystem::path& path, Mode mode) {
  close();
  const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
  if (rc != SQLITE_OK) {
    Outcome outcome = error(rc);
    close();
    return outcome;
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, 5000);
  // Must come before the first statement: that one already reads page 1.
  if (mode == Mode::Salvage) sqlite3_db_config(db_, SQLITE_DBCONFIG_WRITABLE_SCHEMA, 1, nullptr);
  // DELETE keeps no side files between writes; FULL syncs the journal before
  // the database is changed, which is what makes a killed write roll back.
  return exec("PRAGMA synchronous=FULL");
}

void SqliteDb::close() {
  if (db_ != nullptr) sqlite3_close_v2(db_);
  db_ = nullptr;
}

Outcome SqliteDb::exec(const char* sql) {
  const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  return rc == SQLITE_OK ? Outcome{} : error(rc);
}

Outcome SqliteDb::error(int rc) const {
  switch (rc & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE: return {};
    case SQLITE_CORRUPT: return fail(kKeysMustBeRebuilt);
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return fail(kFileLocked);
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH: return fail(kAccessDenied);
    default: break;
  }
  const char* message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
  return Outcome{kFileSystemError, message != nullptr ? message : sqlite3_errstr(rc),
                 std::to_string(rc), {}};
}

Statement::Statement(const SqliteDb& db, const char* sql) {
  prepareRc_ = sqlite3_prepare_v2(db.handle(), sql, -1, &stmt_, nullptr);
}

Statement::~Statement() { sqlite3_finalize(stmt_); }

void Statement::bind(int index, std::int64_t value) { sqlite3_bind_int64(stmt_, index, value); }

void Statement::bind(int index, std::span<const std::uint8_t> blob) {
  // A zero-length blob must still bind as a blob, not as NULL.
  static const std::uint8_t kEmpty = 0;
  sqlite3_bind_blob(stmt_, index, blob.empty() ? &kEmpty : blob.data(),
                    static_cast<int>(blob.size()), SQLITE_TRANSIENT);
}

void Statement::bind(int index, const std::string& text) {
  sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
}

int Statement::step() { return stmt_ != nullptr ? sqlite3_step(stmt_) : prepareRc_; }

std::int64_t Statement::integer(int column) const { return sqlite3_column_int64(stmt_, column); }

std::span<const std::uint8_t> Statement::blob(int column) const {
  const void* data = sqlite3_column_blob(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  if (data == nullptr || size <= 0) return {};
  return {static_cast<const std::uint8_t*>(data), static_cast<std::size_t>(size)};
}

std::string Statement::text(int column) const {
  const unsigned char* data = sqlite3_column_text(stmt_, column);
  const int size = sqlite3_column_bytes(stmt_, column);
  return data != nullptr ? std::string(reinterpret_cast<const char*>(data), static_cast<std::size_t>(size))
                         : std::string();
}

}  // namespace vl::records
