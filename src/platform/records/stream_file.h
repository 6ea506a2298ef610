#pragma once
// Text-line and binary-block files, read and written through the descriptor
// that holds the file's sharing lock.
#include <cstdint>
#include <filesystem>
#include <span>

#include "platform/records/record_errors.h"

namespace vl::records {

// Reads the next CR LF (or LF) line at offset into out, padded with blanks; a
// line longer than out comes back in pieces of out's size. Advances offset;
// 33 at the end of the file. lineSize gets the bytes taken from the file.
Outcome readLine(int fd, std::uint64_t& offset, std::span<std::uint8_t> out, std::size_t& lineSize);

// Reads the next block of up to out.size() bytes at offset; 33 at the end.
Outcome readBlock(int fd, std::uint64_t& offset, std::span<std::uint8_t> out, std::size_t& blockSize);

// Appends text with its trailing blanks (and NULs) cut, then CR LF.
Outcome appendLine(int fd, std::span<const std::uint8_t> text);

// Appends exactly these bytes.
Outcome appendBytes(int fd, std::span<const std::uint8_t> bytes);

// Makes an empty file, replacing the content of one that is there.
Outcome createEmptyFile(const std::filesystem::path& path);

}  // namespace vl::records
