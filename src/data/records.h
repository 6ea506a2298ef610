#pragma once
// The records of the program's four record files, byte for byte as the files
// and the POS programs hold them. Field names are the declared names without
// the record prefix: FTP:LOCALFTP is SettingsRecord::LOCALFTP.
//
// Every record R (here and in queue_entries.h) has:
//   R::kSize    serialised size in bytes, checked against the fields at compile time
//   R::kLayout  declaration signature the record-file layer stores (error 47 on mismatch)
//   R::fields() member pointers in stored order
// and is converted with the free functions below:
//   vl::serialise(const R&, std::span<std::uint8_t, R::kSize>)
//   vl::deserialise<R>(std::span<const std::uint8_t, R::kSize>) -> R
//   vl::toBytes(const R&) -> std::array<std::uint8_t, R::kSize>

#include <array>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <span>
#include <tuple>

#include "data/fixed_text.h"
#include "data/record_codec.h"

namespace vl {

template <class R>
concept Record = requires {
  { R::kSize } -> std::convertible_to<std::size_t>;
  { R::kLayout } -> std::convertible_to<const char*>;
  R::fields();
};

template <Record R>
void serialise(const R& record, std::span<std::uint8_t, R::kSize> out) {
  record_codec::encode(record, out);
}

template <Record R>
R deserialise(std::span<const std::uint8_t, R::kSize> in) {
  R record;
  record_codec::decode(record, in);
  return record;
}

template <Record R>
std::array<std::uint8_t, R::kSize> toBytes(const R& record) {
  std::array<std::uint8_t, R::kSize> bytes{};
  serialise(record, std::span<std::uint8_t, R::kSize>(bytes));
  return bytes;
}

// Settings record of VLSInet.TPS, prefix FTP:. One record per file.
struct SettingsRecord {
  FixedText<20> ADDRESS;    // server host name
  FixedText<16> USERNAME;   // account user name
  FixedText<16> PASSWORD;   // account password
  FixedText<80> LOCALFTP;   // the location's cloud folder, '/' separated
  FixedText<80> GLOBALFTP;  // head-office folder of a partner store
  FixedText<20> SENDERID;   // reserved: carried through untouched
  FixedText<20> SENDERPSW;  // reserved: carried through untouched

  static constexpr std::size_t kSize = 252;
  static constexpr const char* kLayout =
      "FTP:ADDRESS S20;FTP:USERNAME S16;FTP:PASSWORD S16;FTP:LOCALFTP S80;"
      "FTP:GLOBALFTP S80;FTP:SENDERID S20;FTP:SENDERPSW S20";
  static constexpr auto fields() {
    using R = SettingsRecord;
    return std::tuple{&R::ADDRESS,  &R::USERNAME, &R::PASSWORD, &R::LOCALFTP,
                      &R::GLOBALFTP, &R::SENDERID, &R::SENDERPSW};
  }
};

// Terminal identity record of POSID.TPS, prefix PID:. Read by the POS programs.
struct IdentityRecord {
  std::int16_t TERMID = 0;        // dial-up terminal ID
  FixedText<15> COMPUTERNAME;
  std::int16_t DIALUPSERVER = 0;  // this program stores the terminal ID here too
  std::int16_t LOCATIONID = 0;
  std::int16_t HHSERVERID = 0;    // left as found
  FixedText<1024> UPDATEFILES;    // file names separated by '|'
  FixedText<10> SPARE;            // left as found

  static constexpr std::size_t kSize = 1057;
  static constexpr const char* kLayout =
      "PID:TERMID I16;PID:COMPUTERNAME S15;PID:DIALUPSERVER I16;PID:LOCATIONID I16;"
      "PID:HHSERVERID I16;PID:UPDATEFILES S1024;PID:SPARE S10";
  static constexpr auto fields() {
    using R = IdentityRecord;
    return std::tuple{&R::TERMID,     &R::COMPUTERNAME, &R::DIALUPSERVER, &R::LOCATIONID,
                      &R::HHSERVERID, &R::UPDATEFILES,  &R::SPARE};
  }
};

// One block of a binary file, prefix DOS:. Writes give a length, so the last
// block of a file may be shorter than the buffer.
struct FileBlock {
  std::array<std::uint8_t, 65536> FILEBUFFER{};

  static constexpr std::size_t kSize = 65536;
  static constexpr const char* kLayout = "DOS:FILEBUFFER B65536";
  static constexpr auto fields() { return std::tuple{&FileBlock::FILEBUFFER}; }
};

// One line of a text file, prefix ASC:.
struct TextLine {
  FixedText<2048> LINE;

  static constexpr std::size_t kSize = 2048;
  static constexpr const char* kLayout = "ASC:LINE S2048";
  static constexpr auto fields() { return std::tuple{&TextLine::LINE}; }
};

static_assert(record_codec::consistent<SettingsRecord>());
static_assert(record_codec::consistent<IdentityRecord>());
static_assert(record_codec::consistent<FileBlock>());
static_assert(record_codec::consistent<TextLine>());

}  // namespace vl
