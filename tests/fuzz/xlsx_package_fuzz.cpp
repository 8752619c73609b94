// Workbooks are mailed around: the .xlsx reader takes any bytes. It reads
// the zip and every part it parses within its bounds, fails only with a
// Failure, and a workbook it opens is one the host can save and open again.
// The bounds are a hundredth of the product's, so that a package made to
// expand runs into them within the fuzzer's memory.
//
// An input that begins with "PK" is the package itself. Any other input is a
// list of parts, each a line "=== NAME" and the part's bytes up to the next
// such line, which the target packs into a zip with the right checksums:
// a changed byte of a packed part would only fail the zip's check, so that
// is how the fuzzer reaches the parts' readers.
#include <unistd.h>

#include <algorithm>
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
#include "platform/host/xlsx/deflate_stream.h"
#include "platform/host/xlsx/output_device.h"
#include "platform/host/xlsx/zip_writer.h"
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

// The zip of a list of parts, each stored in a deflate stream of its own.
std::string packParts(std::string_view list) {
  constexpr std::string_view kMark = "=== ";
  xlsx::MemoryDevice device;
  xlsx::ZipWriter zip(device);
  xlsx::DeflateStream stored(0);
  std::size_t at = list.substr(0, kMark.size()) == kMark ? 0 : list.find("\n=== ");
  while (at != std::string_view::npos) {
    if (list[at] == '\n') ++at;
    const std::size_t nameEnd = std::min(list.find('\n', at), list.size());
    const std::string_view name = list.substr(at + kMark.size(), nameEnd - at - kMark.size());
    const std::size_t next = nameEnd < list.size() ? list.find("\n=== ", nameEnd) : std::string_view::npos;
    const std::size_t end = next == std::string_view::npos ? list.size() : next;
    const std::string_view bytes = nameEnd < end ? list.substr(nameEnd + 1, end - nameEnd - 1) : std::string_view();
    std::string deflated;
    stored.compress(bytes, {}, true, deflated);
    zip.beginRawEntry(name, false);
    zip.writeRaw(deflated.data(), deflated.size());
    zip.endRawEntry(bytes.size(), xlsx::crc32Of(bytes));
    at = next;
  }
  zip.close();
  return device.bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Scratch scratch;
  static const std::shared_ptr<WorkbookApplication> app = WorkbookApplication::create();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string packed;
  if (input.substr(0, 2) != "PK") {
    try {
      packed = packParts(input);
    } catch (const tavrello::Failure&) {
      return 0;  // names the zip cannot hold
    }
  }
  const std::string_view bytes = packed.empty() ? input : std::string_view(packed);
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
