// Writes the seed files of the records target: keyed files with the
// target's declaration, empty and with a few records (run by hand when the
// keyed format changes: make_record_seeds fuzz/corpus/fuzz_records).
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "records_declaration.h"
#include "support/sandbox.h"

namespace {

bool writeSeed(vl::test::Sandbox& box, const std::filesystem::path& out, int records) {
  vl::records::DataFile file = vl::fuzz::fuzzFile();
  if (!file.create() || !file.open(vl::records::Access::ReadWriteDenyWrite)) return false;
  for (int i = 0; i < records; ++i) {
    std::vector<std::uint8_t> record(vl::fuzz::kRecordSize, ' ');
    const std::string text = "RECORD " + std::to_string(i);
    std::copy(text.begin(), text.end(), record.begin());
    if (!file.add(record)) return false;
  }
  file.close();
  std::filesystem::copy_file(box.prefix() / vl::fuzz::kHostName, out,
                             std::filesystem::copy_options::overwrite_existing);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_record_seeds OUTDIR\n";
    return 2;
  }
  vl::test::Sandbox box;
  std::filesystem::create_directories(box.driveC() / "T");
  const std::filesystem::path outDir = argv[1];
  for (int records : {0, 1, 3, 20}) {
    if (!writeSeed(box, outDir / ("keyed-" + std::to_string(records) + ".tps"), records)) {
      std::cerr << "could not write the seed with " << records << " records\n";
      return 1;
    }
  }
  return 0;
}
