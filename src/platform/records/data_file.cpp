#include "platform/records/data_file.h"

#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <mutex>
#include <set>
#include <system_error>
#include <utility>

#include "platform/base/errors.h"
#include "platform/fs/paths.h"
#include "platform/records/file_lock.h"
#include "platform/records/keyed_store.h"
#include "platform/records/open_state.h"
#include "platform/records/stream_file.h"

namespace vl::records {
namespace {

std::mutex gOpenMutex;
std::set<std::string> gOpenFiles;

// "Recover=N" with any case and blanks around the parts; the wait in seconds.
bool parseRecover(std::string_view command, int& seconds) {
  auto trim = [](std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
  };
  const auto equals = command.find('=');
  if (equals == std::string_view::npos) return false;
  const auto word = trim(command.substr(0, equals));
  const auto value = trim(command.substr(equals + 1));
  if (!vl::fs::sameName(word, "Recover")) return false;
  int parsed = 0;
  const auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), parsed);
  if (ec != std::errc() || end != value.data() + value.size() || parsed < 0) return false;
  seconds = std::min(parsed, 3600);
  return true;
}

}  // namespace

bool markOpen(const std::string& key) {
  std::lock_guard guard(gOpenMutex);
  return gOpenFiles.insert(key).second;
}

void unmarkOpen(const std::string& key) {
  std::lock_guard guard(gOpenMutex);
  gOpenFiles.erase(key);
}

bool isMarkedOpen(const std::string& key) {
  std::lock_guard guard(gOpenMutex);
  return gOpenFiles.contains(key);
}

DataFile::DataFile(std::string label, Driver driver, std::string layoutSignature,
                   std::size_t recordSize, std::string ownerPassword)
    : label_(std::move(label)),
      driver_(driver),
      layoutSignature_(std::move(layoutSignature)),
      recordSize_(recordSize),
      ownerPassword_(std::move(ownerPassword)) {}

DataFile::DataFile(DataFile&&) noexcept = default;

DataFile::~DataFile() {
  if (state_) unmarkOpen(state_->key);
}

void DataFile::setName(std::string windowsPath) { name_ = std::move(windowsPath); }

bool DataFile::isOpen() const { return state_ != nullptr; }

bool DataFile::finish(int code) { return finish(fail(code)); }

bool DataFile::finish(const Outcome& outcome) {
  errorCode_ = outcome.code;
  errorText_ = outcome.description.empty() ? std::string(errorDescription(outcome.code))
                                           : outcome.description;
  if (outcome.code == 0) {
    vl::platform::clearFileError();
  } else if (outcome.code == kFileSystemError) {
    vl::platform::setFileError({outcome.code, errorText_, outcome.driverMessage, outcome.driverCode});
  } else {
    vl::platform::setFileError(outcome.code, errorText_);
  }
  return outcome.code == 0;
}

Outcome DataFile::resolve(std::filesystem::path& host, std::string& key) const {
  if (name_.find_first_not_of(' ') == std::string::npos) return fail(kFileNotFound);
  host = vl::fs::toHostPath(name_);
  if (host.empty()) return fail(kPathNotFound);
  std::error_code ec;
  const auto canonical = std::filesystem::weakly_canonical(host, ec);
  key = ec ? host.string() : canonical.string();
  return {};
}

bool DataFile::open(Access access) {
  if (state_) return finish(kFileAlreadyOpen);
  auto state = std::make_unique<OpenState>();
  std::filesystem::path host;
  Outcome outcome = resolve(host, state->key);
  if (!outcome.ok()) return finish(outcome);
  if (isMarkedOpen(state->key)) return finish(kFileAlreadyOpen);
  const int wait = std::exchange(recoverSeconds_, 0);  // a recovery wait is for one open
  outcome = state->lock.acquire(host, access == Access::ReadWriteDenyWrite, wait);
  if (outcome.ok() && keyed()) {
    outcome = state->keyed.open(host, {layoutSignature_, recordSize_, ownerPassword_});
  }
  if (!outcome.ok()) return finish(outcome);
  if (!markOpen(state->key)) return finish(kFileAlreadyOpen);
  state_ = std::move(state);
  return finish(kNoError);
}

void DataFile::close() {
  if (state_) {
    unmarkOpen(state_->key);
    state_.reset();
  }
  finish(kNoError);
}

// Replacing, removing and rebuilding need the file to themselves: not open
// here, and no other process holding it (32). A missing file is 2 unless the
// operation makes it.
Outcome DataFile::takeWholeFile(std::filesystem::path& host, FileLock& lock, bool mayBeMissing) const {
  std::string key;
  Outcome outcome = resolve(host, key);
  if (!outcome.ok()) return outcome;
  if (state_ || isMarkedOpen(key)) return fail(kFileAlreadyOpen);
  std::error_code ec;
  if (mayBeMissing && !std::filesystem::exists(host, ec)) return {};
  return lock.acquire(host, true, 0);
}

bool DataFile::create() {
  std::filesystem::path host;
  FileLock lock;
  const Outcome outcome = takeWholeFile(host, lock, true);
  if (!outcome.ok()) return finish(outcome);
  if (keyed()) return finish(createKeyedFile(host, {layoutSignature_, recordSize_, ownerPassword_}));
  return finish(createEmptyFile(host));
}

bool DataFile::remove() {
  std::filesystem::path host;
  FileLock lock;
  const Outcome outcome = takeWholeFile(host, lock, false);
  if (!outcome.ok()) return finish(outcome);
  if (::unlink(host.c_str()) != 0) return finish(outcomeFromErrno(errno, host));
  if (keyed()) removeKeyedSideFiles(host);
  return finish(kNoError);
}

bool DataFile::buildKeys() {
  if (!keyed()) return finish(kNoError);
  std::filesystem::path host;
  FileLock lock;
  const Outcome outcome = takeWholeFile(host, lock, false);
  if (!outcome.ok()) return finish(outcome);
  return finish(rebuildKeyedFile(host, {layoutSignature_, recordSize_, ownerPassword_}));
}

bool DataFile::sendCommand(std::string_view command) {
  int seconds = 0;
  if (!parseRecover(command, seconds)) return finish(kFunctionNotSupported);
  recoverSeconds_ = seconds;
  return finish(kNoError);
}

}  // namespace vl::records
