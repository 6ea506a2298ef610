#include "platform/records/stream_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/records/data_file.h"

namespace vl::records {
namespace {

Outcome systemError(int err) { return outcomeFromErrno(err, {}); }

// pread that retries on interruption; -1 with errno on failure.
ssize_t readAt(int fd, std::uint8_t* into, std::size_t size, std::uint64_t offset) {
  ssize_t got;
  do got = ::pread(fd, into, size, static_cast<off_t>(offset)); while (got < 0 && errno == EINTR);
  return got;
}

// Writes all bytes; the descriptor is in append mode, so they go to the end.
Outcome writeAtEnd(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t wrote = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) return systemError(wrote < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(wrote);
  }
  return {};
}

}  // namespace

Outcome readLine(int fd, std::uint64_t& offset, std::span<std::uint8_t> out, std::size_t& lineSize) {
  // One byte more than fits, so that a CR LF right after a full record ends
  // that line instead of starting an empty one.
  std::vector<std::uint8_t> buffer(out.size() + 2);
  const ssize_t got = readAt(fd, buffer.data(), buffer.size(), offset);
  if (got < 0) return systemError(errno);
  if (got == 0) return fail(kRecordNotAvailable);
  const auto end = buffer.begin() + got;
  const auto newline = std::find(buffer.begin(), end, std::uint8_t{'\n'});
  std::size_t length = static_cast<std::size_t>(newline - buffer.begin());
  std::size_t consumed = newline == end ? length : length + 1;
  if (length > 0 && buffer[length - 1] == '\r') --length;
  if (length > out.size()) {  // no line end within the record: a piece of a long line
    length = consumed = out.size();
  }
  std::fill(std::copy_n(buffer.begin(), length, out.begin()), out.end(), std::uint8_t{' '});
  offset += consumed;
  lineSize = length;
  return {};
}

Outcome readBlock(int fd, std::uint64_t& offset, std::span<std::uint8_t> out, std::size_t& blockSize) {
  std::size_t total = 0;
  while (total < out.size()) {
    const ssize_t got = readAt(fd, out.data() + total, out.size() - total, offset + total);
    if (got < 0) return systemError(errno);
    if (got == 0) break;
    total += static_cast<std::size_t>(got);
  }
  if (total == 0 && !out.empty()) return fail(kRecordNotAvailable);
  offset += total;
  blockSize = total;
  return {};
}

Outcome appendLine(int fd, std::span<const std::uint8_t> text) {
  std::size_t length = text.size();
  while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0')) --length;
  std::vector<std::uint8_t> line(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
  line.push_back('\r');
  line.push_back('\n');
  return writeAtEnd(fd, line);
}

Outcome appendBytes(int fd, std::span<const std::uint8_t> bytes) { return writeAtEnd(fd, bytes); }

Outcome createEmptyFile(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return outcomeFromErrno(errno, path);
  ::close(fd);
  return {};
}

}  // namespace vl::records
