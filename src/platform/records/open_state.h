#pragma once
// What an open DataFile holds. The members are destroyed in reverse order:
// the SQLite connection is closed before the lock's descriptor, because
// closing any descriptor of a file drops the process's POSIX locks on it,
// SQLite's own among them.
#include <cstdint>
#include <filesystem>
#include <string>

#include "platform/records/file_lock.h"
#include "platform/records/keyed_store.h"

namespace vl::records {

struct OpenState {
  FileLock lock;
  KeyedStore keyed;
  std::string key;               // this process's mark that the file is open
  std::int64_t currentSeq = 0;   // keyed: the record last read or added
  std::int64_t cursorSeq = 0;    // keyed: where next() goes on from
  std::uint64_t offset = 0;      // text and binary: where next() goes on from
};

// The process-wide set of open files, so that a second open gives 52.
bool markOpen(const std::string& key);  // false when already marked
void unmarkOpen(const std::string& key);
bool isMarkedOpen(const std::string& key);

}  // namespace vl::records
