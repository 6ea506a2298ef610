// A keyed file on a till can be damaged by a power cut, a full disk or a
// copy from elsewhere: opening it must give a file error (46 asks for a
// rebuild, which must then succeed or fail cleanly), never a crash, and
// every record read must fit the declared size.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/records/keyed_store.h"
#include "records_declaration.h"
#include "support/sandbox.h"

namespace {

vl::test::Sandbox& sandbox() {
  static vl::test::Sandbox box;
  return box;
}

void readAll(vl::records::DataFile& file) {
  std::vector<std::uint8_t> record(vl::fuzz::kRecordSize);
  if (!file.setToStart()) return;
  // Bounded: a file the layer thinks endless must not hang the run.
  for (int i = 0; i < 10000 && file.next(record); ++i) {
    if (file.lastReadSize() > record.size()) __builtin_trap();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vl::records;
  const std::filesystem::path host = sandbox().prefix() / vl::fuzz::kHostName;
  // No journal or WAL of an earlier input may be replayed into this one.
  removeKeyedSideFiles(host);
  sandbox().writeFile(vl::fuzz::kHostName, std::string(reinterpret_cast<const char*>(data), size));

  DataFile file = vl::fuzz::fuzzFile();
  if (!file.open(Access::ReadWriteShared) && file.errorCode() == kKeysMustBeRebuilt) {
    if (!file.buildKeys()) return 0;
    if (!file.open(Access::ReadWriteShared)) __builtin_trap();  // a rebuilt file opens
  }
  if (file.isOpen()) {
    readAll(file);
    file.close();
  }
  return 0;
}
