// The record operations of an open DataFile, by driver.
#include "platform/records/data_file.h"
#include "platform/records/open_state.h"
#include "platform/records/stream_file.h"

namespace vl::records {

bool DataFile::setToStart() {
  if (!state_) return finish(kFileNotOpen);
  state_->cursorSeq = 0;
  state_->offset = 0;
  return finish(kNoError);
}

bool DataFile::next(std::span<std::uint8_t> record) {
  lastReadSize_ = 0;
  if (!state_) return finish(kFileNotOpen);
  if (record.empty()) return finish(kInvalidRecordDeclaration);  // would read nothing forever
  Outcome outcome;
  switch (driver_) {
    case Driver::Keyed: {
      if (record.size() != recordSize_) return finish(kInvalidRecordDeclaration);
      std::int64_t found = 0;
      outcome = state_->keyed.readAfter(state_->cursorSeq, record, found);
      if (outcome.ok()) {
        state_->cursorSeq = state_->currentSeq = found;
        lastReadSize_ = recordSize_;
      }
      break;
    }
    case Driver::Text:
      outcome = readLine(state_->lock.fd(), state_->offset, record, lastReadSize_);
      break;
    case Driver::Binary:
      outcome = readBlock(state_->lock.fd(), state_->offset, record, lastReadSize_);
      break;
  }
  return finish(outcome);
}

bool DataFile::add(std::span<const std::uint8_t> record) {
  if (!keyed()) return append(record);
  if (!state_) return finish(kFileNotOpen);
  if (record.size() != recordSize_) return finish(kInvalidRecordDeclaration);
  std::int64_t seq = 0;
  const Outcome outcome = state_->keyed.add(record, seq);
  if (outcome.ok()) state_->currentSeq = seq;
  return finish(outcome);
}

bool DataFile::put(std::span<const std::uint8_t> record) {
  if (!state_) return finish(kFileNotOpen);
  if (!keyed()) return finish(kFunctionNotSupported);
  if (record.size() != recordSize_) return finish(kInvalidRecordDeclaration);
  if (state_->currentSeq == 0) return finish(kRecordNotAvailable);
  return finish(state_->keyed.rewrite(state_->currentSeq, record));
}

bool DataFile::append(std::span<const std::uint8_t> bytes) {
  if (!state_) return finish(kFileNotOpen);
  switch (driver_) {
    case Driver::Text: return finish(appendLine(state_->lock.fd(), bytes));
    case Driver::Binary: return finish(appendBytes(state_->lock.fd(), bytes));
    case Driver::Keyed: break;
  }
  return finish(kFunctionNotSupported);
}

}  // namespace vl::records
