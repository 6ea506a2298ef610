#pragma once
// A thin RAII layer over one SQLite connection and its statements, with the
// mapping of SQLite's result codes onto the layer's file errors.
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

#include "platform/records/record_errors.h"

struct sqlite3;
struct sqlite3_stmt;

namespace vl::records {

class SqliteDb {
 public:
  SqliteDb() = default;
  ~SqliteDb() { close(); }
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  enum class Mode {
    Existing,  // the database must be there
    Salvage,   // also read a file cut shorter than its header says, to save
               // what is left; nothing may change the schema on such a connection
  };
  // Opens a database with a rollback journal and full syncs, so that a write
  // either happened whole or not at all even when the process is killed in
  // the middle of it.
  Outcome open(const std::filesystem::path& path, Mode mode);
  void close();
  sqlite3* handle() const { return db_; }

  Outcome exec(const char* sql);
  // The layer's error for a SQLite result code on this connection:
  // corruption 46, busy 32, read-only or no permission 5, anything else 90
  // with SQLite's message and extended code.
  Outcome error(int rc) const;

 private:
  sqlite3* db_ = nullptr;
};

class Statement {
 public:
  Statement(const SqliteDb& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  int prepareResult() const { return prepareRc_; }
  void bind(int index, std::int64_t value);
  void bind(int index, std::span<const std::uint8_t> blob);
  void bind(int index, const std::string& text);
  // SQLITE_ROW, SQLITE_DONE or an error code.
  int step();
  std::int64_t integer(int column) const;
  std::span<const std::uint8_t> blob(int column) const;
  std::string text(int column) const;

 private:
  sqlite3_stmt* stmt_ = nullptr;
  int prepareRc_ = 0;
};

}  // namespace vl::records
