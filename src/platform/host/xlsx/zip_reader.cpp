#include "platform/host/xlsx/zip_reader.h"

#include <algorithm>
#include <climits>
#include <cstdio>

#include <minizip/unzip.h>

#include "platform/system/failure.h"
#include "platform/system/regular_file.h"

namespace tavrello::host::xlsx {

namespace {

unzFile handle(void* unzip) { return static_cast<unzFile>(unzip); }

// Part names compare without regard to letter case, as the packaging rules
// say.
std::string foldCase(std::string_view name) {
  std::string out(name);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string megabytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MB"; }

// minizip reads the archive through these, from the file that the reader
// opened and owns; the opaque pointer is that file.
BufferedFile& fileOf(voidpf opaque) { return *static_cast<BufferedFile*>(opaque); }

voidpf ZCALLBACK openFile(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK readFile(voidpf opaque, voidpf, void* buffer, uLong size) {
  return static_cast<uLong>(fileOf(opaque).read(buffer, size));
}

uLong ZCALLBACK writeNothing(voidpf, voidpf, const void*, uLong) { return 0; }

ZPOS64_T ZCALLBACK tellFile(voidpf opaque, voidpf) { return fileOf(opaque).tell(); }

long ZCALLBACK seekFile(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
  const int whence = origin == ZLIB_FILEFUNC_SEEK_SET   ? SEEK_SET
                     : origin == ZLIB_FILEFUNC_SEEK_CUR ? SEEK_CUR
                                                        : SEEK_END;
  return fileOf(opaque).seek(static_cast<std::int64_t>(offset), whence) ? 0 : -1;
}

int ZCALLBACK closeNothing(voidpf, voidpf) { return 0; }

int ZCALLBACK noError(voidpf, voidpf) { return 0; }

}  // namespace

ZipReader::ZipReader(const std::filesystem::path& file, const ReadLimits& limits)
    : file_(file), limits_(limits), bytes_(sys::openRegularFile(file)) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = openFile;
  functions.zread_file = readFile;
  functions.zwrite_file = writeNothing;
  functions.ztell64_file = tellFile;
  functions.zseek64_file = seekFile;
  functions.zclose_file = closeNothing;
  functions.zerror_file = noError;
  functions.opaque = &bytes_;
  unzip_.reset(unzOpen2_64(file.c_str(), &functions));
  if (!unzip_) {
    throw Failure::host("'" + file.string() +
                        "' is not an .xlsx workbook: it is not a zip package (the file may be damaged or of another "
                        "kind, such as .xls or .csv).");
  }
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(handle(zip()), &global) != UNZ_OK) damaged("its directory cannot be read");
  if (global.number_entry > limits_.maxEntries)
    damaged("it holds " + std::to_string(global.number_entry) + " entries, more than the " +
            std::to_string(limits_.maxEntries) + " a workbook is allowed");
  std::vector<char> name(65536);
  for (int rc = unzGoToFirstFile(handle(zip())); rc != UNZ_END_OF_LIST_OF_FILE; rc = unzGoToNextFile(handle(zip()))) {
    if (rc != UNZ_OK) damaged("its directory is damaged");
    unz_file_info64 entryInfo{};
    if (unzGetCurrentFileInfo64(handle(zip()), &entryInfo, name.data(), static_cast<uLong>(name.size() - 1), nullptr,
                                0, nullptr, 0) != UNZ_OK)
      damaged("its directory is damaged");
    Entry entry{std::string(name.data(), std::min<std::size_t>(entryInfo.size_filename, name.size() - 1)),
                entryInfo.compressed_size, entryInfo.uncompressed_size};
    if (entryInfo.flag & 1) damaged("the entry " + entry.name + " is encrypted");
    if (entryInfo.compression_method != 0 && entryInfo.compression_method != Z_DEFLATED)
      damaged("the entry " + entry.name + " is compressed with a method other than deflate");
    if (!byName_.emplace(foldCase(entry.name), entries_.size()).second)
      damaged("the entry " + entry.name + " occurs twice");
    entries_.push_back(std::move(entry));
    if (entries_.size() > limits_.maxEntries) damaged("it holds more entries than a workbook is allowed");
  }
}

void ZipReader::CloseUnzip::operator()(void* unzip) const { unzClose(handle(unzip)); }

void ZipReader::damaged(const std::string& why) const {
  throw Failure::host("The workbook '" + file_.string() + "' cannot be read: " + why + ".");
}

bool ZipReader::has(std::string_view name) const { return byName_.count(foldCase(name)) > 0; }

const ZipReader::Entry& ZipReader::entry(std::string_view name) const {
  auto it = byName_.find(foldCase(name));
  if (it == byName_.end()) damaged("the part " + std::string(name) + " is missing");
  return entries_[it->second];
}

void ZipReader::locate(const Entry& entry) {
  if (current_) {
    unzCloseCurrentFile(handle(zip()));
    current_ = nullptr;
  }
  if (entry.size > limits_.maxPartBytes)
    damaged("the part " + entry.name + " would expand to " + megabytes(entry.size) + ", more than the " +
            megabytes(limits_.maxPartBytes) + " allowed");
  if (unzLocateFile(handle(zip()), entry.name.c_str(), 1) != UNZ_OK || unzOpenCurrentFile(handle(zip())) != UNZ_OK)
    damaged("the part " + entry.name + " cannot be opened");
  current_ = &entry;
  currentRead_ = 0;
}

std::size_t ZipReader::readSome(char* buffer, std::size_t size) {
  if (!current_) return 0;
  int n = unzReadCurrentFile(handle(zip()), buffer, static_cast<unsigned>(std::min<std::size_t>(size, INT_MAX / 2)));
  if (n < 0) damaged("the part " + current_->name + " is damaged (its compressed data cannot be inflated)");
  if (n == 0) {
    const Entry* done = current_;
    current_ = nullptr;
    if (unzCloseCurrentFile(handle(zip())) == UNZ_CRCERROR)
      damaged("the part " + done->name + " is damaged (its checksum does not match)");
    return 0;
  }
  currentRead_ += static_cast<std::uint64_t>(n);
  totalRead_ += static_cast<std::uint64_t>(n);
  if (currentRead_ > limits_.maxPartBytes)
    damaged("the part " + current_->name + " expands beyond the " + megabytes(limits_.maxPartBytes) + " allowed");
  if (totalRead_ > limits_.maxTotalBytes)
    damaged("its parts expand beyond the " + megabytes(limits_.maxTotalBytes) + " allowed for a workbook");
  if (currentRead_ > limits_.ratioFloorBytes && currentRead_ / std::max<std::uint64_t>(1, current_->compressedSize) >
                                                     limits_.maxRatio)
    damaged("the part " + current_->name + " expands more than " + std::to_string(limits_.maxRatio) +
            " times its compressed size, as a zip bomb does");
  return static_cast<std::size_t>(n);
}

void ZipReader::read(std::string_view name, const std::function<void(const char*, std::size_t)>& consume) {
  const Entry& part = entry(name);
  locate(part);
  // The size the archive claims only makes the buffer no larger than needed.
  std::vector<char> buffer(std::clamp<std::uint64_t>(part.size + 1, 4096, 256 * 1024));
  while (std::size_t n = readSome(buffer.data(), buffer.size())) consume(buffer.data(), n);
}

std::string ZipReader::readAll(std::string_view name) {
  std::string bytes;
  const Entry& part = entry(name);
  if (part.size > limits_.maxTreePartBytes)
    damaged("the part " + part.name + " is larger than the " + megabytes(limits_.maxTreePartBytes) + " allowed");
  read(name, [&](const char* data, std::size_t size) {
    if (bytes.size() + size > limits_.maxTreePartBytes)
      damaged("the part " + part.name + " is larger than the " + megabytes(limits_.maxTreePartBytes) + " allowed");
    bytes.append(data, size);
  });
  return bytes;
}

std::function<std::size_t(char*, std::size_t)> ZipReader::open(std::string_view name) {
  locate(entry(name));
  return [this](char* buffer, std::size_t size) { return readSome(buffer, size); };
}

}  // namespace tavrello::host::xlsx
