// Workbooks are mailed around: the .xlsx reader takes any bytes. It reads
// the zip and every part it parses within its bounds, fails only with a
// Failure, and a workbook it opens is one the host can save and open again.
// The bounds are a hundredth of the product's, so that a package made to
// expand runs into them within the fuzzer's memory.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "platform/host/workbook/book.h"
#include "platform/host/workbook/workbook_application.h"
#include "platform/host/xlsx/book_reader.h"
#include "platform/host/xlsx/book_writer.h"
#include "platform/host/xlsx/output_device.h"
#include "platform/system/failure.h"

namespace {

using namespace tavrello::host;

xlsx::ReadLimits fuzzLimits() {
  xlsx::ReadLimits limits;
  limits.maxEntries = 200;
  limits.maxPartBytes = std::uint64_t{32} << 20;
  limits.maxTotalBytes = std::uint64_t{64} << 20;
  limits.ratioFloorBytes = std::uint64_t{1} << 20;
  limits.maxTreePartBytes = std::uint64_t{8} << 20;
  limits.maxTokenBytes = std::uint64_t{1} << 20;
  return limits;
}

struct Scratch {
  std::filesystem::path folder;
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavrello-fuzz-xlsx-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    folder = pattern;
  }
  ~Scratch() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  std::filesystem::path write(std::string_view bytes, const char* name) const {
    const std::filesystem::path file = folder / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  static const std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::shared_ptr<Book> book;
  try {
    book = xlsx::readBook(*app, scratch.write(bytes, "input.xlsx"), fuzzLimits());
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(!failure.description().empty(), "a refused workbook says why");
    return 0;
  }
  xlsx::MemoryDevice saved;
  try {
    xlsx::writeBook(*book, saved);
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(false, "an opened workbook saves: " + failure.description());
  }
  try {
    xlsx::readBook(*app, scratch.write(saved.bytes(), "saved.xlsx"), fuzzLimits());
  } catch (const tavrello::Failure& failure) {
    FUZZ_CHECK(false, "a saved workbook opens again: " + failure.description());
  }
  return 0;
}
