#pragma once
// The record-file layer: one declared data file (label, driver, record layout,
// name) with the runtime's operations and its numbered file errors.
//
// Drivers:
//  - Keyed: a keyed record file (.TPS). Stored as one SQLite database per file;
//    each record is kept byte for byte as laid out, in record order, with a
//    checksum; a header holds the layout signature, the record size and the
//    salted hash of the owner password.
//  - Text: a Windows text file, one record = one CR LF line.
//  - Binary: a file of raw bytes, one record = one block of at most recordSize.
//
// After every operation errorCode()/errorText() say how it went (0 = success)
// and the same is published through vl::platform::setFileError; for code 90
// the storage engine's own message and code go into driverMessage/driverCode.
//
// Codes: 0 success; 2 "File Not Found"; 3 "Path Not Found"; 5 "Access
// Denied" (for a wrong or missing owner password: "Invalid Owner Password");
// 32 "File Is Already Locked"; 33 "Record Not Available" (next() at the end,
// put() without a current record); 37 "File Not Open"; 46 "Key File Must Be
// Rebuilt"; 47 "Invalid Record Declaration"; 52 "File Already Open";
// 80 "Function Not Supported"; 90 "File System Error".
//
// Sharing between processes: ReadWriteDenyWrite holds the file exclusively
// (every other process's open fails with 32); ReadWriteShared opens coexist
// with each other and fail with 32 while another process holds it deny-write.
// A lock dies with its holder. Within one process a file can be open through
// one DataFile at a time; a second open of the same file gives 52.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace vl::records {

enum class Driver { Keyed, Text, Binary };
enum class Access { ReadWriteDenyWrite, ReadWriteShared };

// Error codes reported by the layer.
enum ErrorCode : int {
  kNoError = 0,
  kFileNotFound = 2,
  kPathNotFound = 3,
  kAccessDenied = 5,
  kFileLocked = 32,
  kRecordNotAvailable = 33,
  kFileNotOpen = 37,
  kKeysMustBeRebuilt = 46,
  kInvalidRecordDeclaration = 47,
  kFileAlreadyOpen = 52,
  kFunctionNotSupported = 80,
  kFileSystemError = 90,
};

// The runtime's description of a code ("File Not Found" for 2); empty for an
// unknown one.
std::string_view errorDescription(int code);

struct OpenState;  // the open file's handles; internal
struct Outcome;    // how a driver step went; internal
class FileLock;    // a held sharing lock; internal

class DataFile {
 public:
  // layoutSignature names the record layout (e.g. "FTP:252:ADDRESS,..."); a
  // keyed file opened with another signature or size gives 47. ownerPassword
  // empty: the file has none.
  DataFile(std::string label, Driver driver, std::string layoutSignature,
           std::size_t recordSize, std::string ownerPassword = {});
  ~DataFile();  // closes
  DataFile(DataFile&&) noexcept;  // the moved-from object is left closed
  DataFile(const DataFile&) = delete;
  DataFile& operator=(const DataFile&) = delete;

  // The file's name is a Windows path ("C:\VORLAN\T1\VLSInet.TPS"; relative
  // to the current directory); it is resolved when the file is opened.
  void setName(std::string windowsPath);
  const std::string& name() const { return name_; }
  const std::string& label() const { return label_; }
  Driver driver() const { return driver_; }
  std::size_t recordSize() const { return recordSize_; }

  bool open(Access access);
  // Makes an empty file with the declared layout, replacing an existing one;
  // the file is left closed. 52 when this process has it open, 32 when
  // another process has it open.
  bool create();
  void close();  // never fails; clears the error
  bool remove();  // deletes the (closed) file
  bool isOpen() const;

  // Record order: setToStart() then next() until it fails with 33.
  bool setToStart();
  // Keyed: copies the next record (record.size() must be recordSize).
  // Text: the next line without its CR LF, padded with blanks (a longer line
  // is cut). Binary: the next block of up to record.size() bytes.
  // lastReadSize() gives the bytes that came from the file.
  bool next(std::span<std::uint8_t> record);
  std::size_t lastReadSize() const { return lastReadSize_; }
  // Keyed: adds a record at the end of record order (it becomes current).
  // Text/Binary: same as append() of the whole buffer.
  bool add(std::span<const std::uint8_t> record);
  // Keyed only: rewrites the record last read or added (80 for the others).
  bool put(std::span<const std::uint8_t> record);
  // Text: one line, the given text with trailing blanks cut, then CR LF.
  // Binary: exactly these bytes at the end of the file. Keyed: 80.
  bool append(std::span<const std::uint8_t> bytes);

  // Driver command string. "Recover=N": the next open that meets a lock
  // waits up to N seconds for it to go (a lock whose holder has died is
  // taken over) before it fails with 32. Unknown commands give 80.
  bool sendCommand(std::string_view command);
  // Keyed: rebuilds the file from the records that pass their checks (the
  // answer to 46). The file must be closed. Text/Binary: nothing to do.
  bool buildKeys();

  int errorCode() const { return errorCode_; }
  const std::string& errorText() const { return errorText_; }

 private:
  // Keeps and publishes how an operation went; true on success.
  bool finish(const Outcome& outcome);
  bool finish(int code);
  // The host path of name() and the key under which this process marks it open.
  Outcome resolve(std::filesystem::path& host, std::string& key) const;
  Outcome takeWholeFile(std::filesystem::path& host, FileLock& lock, bool mayBeMissing) const;
  bool keyed() const { return driver_ == Driver::Keyed; }

  std::string label_;
  Driver driver_;
  std::string layoutSignature_;
  std::size_t recordSize_;
  std::string ownerPassword_;
  std::string name_;
  int recoverSeconds_ = 0;
  std::size_t lastReadSize_ = 0;
  int errorCode_ = 0;
  std::string errorText_;
  std::unique_ptr<OpenState> state_;
};

}  // namespace vl::records
