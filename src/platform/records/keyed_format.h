#pragma once
// The parts of the keyed-file format that reading, creating and rebuilding
// share: the schema, the record checksum and the header checks.
#include <cstdint>
#include <span>
#include <string>

#include "platform/records/keyed_store.h"
#include "platform/records/owner_password.h"

namespace vl::records {

inline constexpr std::int64_t kKeyedFormatVersion = 1;

struct KeyedHeader {
  std::string layout;
  std::int64_t recordSize = 0;
  PasswordCheck owner;
};

// FNV-1a (64 bit) over the record's seq and bytes: a record that was changed
// behind the layer's back, or moved to another place, fails it.
std::int64_t recordChecksum(std::int64_t seq, std::span<const std::uint8_t> data);

// Reads the header row: 47 when the file has none (not one of ours).
Outcome readHeader(const SqliteDb& db, KeyedHeader& header);

// Owner password first (5, described as such), then layout and size (47).
Outcome checkHeader(const KeyedHeader& header, const KeyedLayout& layout);

// Writes the schema, the header and the records into a new, empty database.
Outcome writeSchema(SqliteDb& db, const KeyedHeader& header);
Outcome insertRecord(const SqliteDb& db, std::int64_t seq, std::span<const std::uint8_t> data);

}  // namespace vl::records
