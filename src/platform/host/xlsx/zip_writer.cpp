#include "platform/host/xlsx/zip_writer.h"

#include <climits>
#include <cstring>

#include <minizip/zip.h>

#include "platform/host/xlsx/output_device.h"

namespace tavrello::host::xlsx {

namespace {

voidpf ZCALLBACK openDevice(voidpf opaque, const void*, int) { return opaque; }

uLong ZCALLBACK readDevice(voidpf, voidpf, void*, uLong) { return 0; }

int ZCALLBACK closeDevice(voidpf, voidpf) { return 0; }

int ZCALLBACK errorDevice(voidpf, voidpf) { return 0; }

}  // namespace

// minizip calls these with the ZipWriter as its opaque pointer. They never
// let an exception pass through minizip's C frames: a failure is kept by the
// writer and reported to minizip as a short write or a failed seek.
struct ZipCallbacks {
  static uLong ZCALLBACK write(voidpf opaque, voidpf, const void* buf, uLong size) {
    auto& self = *static_cast<ZipWriter*>(opaque);
    try {
      self.device_.write(buf, size);
      return size;
    } catch (const Failure& failure) {
      self.keepFailure(failure);
    } catch (const std::exception& e) {
      self.keepFailure(Failure(75, e.what()));
    }
    return 0;
  }
  static ZPOS64_T ZCALLBACK tell(voidpf opaque, voidpf) {
    return static_cast<ZipWriter*>(opaque)->device_.position();
  }
  static long ZCALLBACK seek(voidpf opaque, voidpf, ZPOS64_T offset, int origin) {
    auto& self = *static_cast<ZipWriter*>(opaque);
    try {
      if (origin == ZLIB_FILEFUNC_SEEK_SET) self.device_.seek(offset);
      else if (origin == ZLIB_FILEFUNC_SEEK_CUR) self.device_.seek(self.device_.position() + offset);
      else return -1;  // minizip seeks from the end only when appending, which this writer never does
      return 0;
    } catch (const Failure& failure) {
      self.keepFailure(failure);
    }
    return -1;
  }
};

ZipWriter::ZipWriter(OutputDevice& device) : device_(device) {
  zlib_filefunc64_def functions{};
  functions.zopen64_file = openDevice;
  functions.zread_file = readDevice;
  functions.zwrite_file = ZipCallbacks::write;
  functions.ztell64_file = ZipCallbacks::tell;
  functions.zseek64_file = ZipCallbacks::seek;
  functions.zclose_file = closeDevice;
  functions.zerror_file = errorDevice;
  functions.opaque = this;
  zip_ = zipOpen2_64("package", APPEND_STATUS_CREATE, nullptr, &functions);
  if (!zip_) {
    if (failure_) throw *failure_;
    throw Failure::host("The zip package could not be started.");
  }
}

ZipWriter::~ZipWriter() {
  if (zip_) zipClose(static_cast<zipFile>(zip_), nullptr);
}

void ZipWriter::keepFailure(const Failure& failure) {
  if (!failure_) failure_ = failure;
}

void ZipWriter::check(int rc, std::string_view what) {
  if (failure_) throw *failure_;
  if (rc != ZIP_OK)
    throw Failure::host("The zip package could not be written: minizip error " + std::to_string(rc) + " while " +
                        std::string(what) + " " + entry_ + ".");
}

namespace {

zip_fileinfo entryInfo() {
  // A fixed time stamp (1980-01-01, the earliest a zip entry holds): saving
  // the same workbook twice gives the same bytes.
  zip_fileinfo info{};
  info.tmz_date.tm_year = 1980;
  info.tmz_date.tm_mday = 1;
  return info;
}

}  // namespace

void ZipWriter::beginRawEntry(std::string_view name, bool large) {
  entry_ = "entry " + std::string(name);
  std::string file(name);
  zip_fileinfo info = entryInfo();
  check(zipOpenNewFileInZip4_64(static_cast<zipFile>(zip_), file.c_str(), &info, nullptr, 0, nullptr, 0, nullptr,
                                Z_DEFLATED, Z_DEFAULT_COMPRESSION, 1, -MAX_WBITS, DEF_MEM_LEVEL, Z_DEFAULT_STRATEGY,
                                nullptr, 0, 0, 0, large ? 1 : 0),
        "starting");
}

void ZipWriter::writeRaw(const void* data, std::size_t size) {
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    unsigned n = static_cast<unsigned>(std::min<std::size_t>(size, UINT_MAX / 2));
    check(zipWriteInFileInZip(static_cast<zipFile>(zip_), bytes, n), "writing");
    bytes += n;
    size -= n;
  }
}

void ZipWriter::endRawEntry(std::uint64_t uncompressedSize, std::uint32_t crc) {
  check(zipCloseFileInZipRaw64(static_cast<zipFile>(zip_), uncompressedSize, crc), "finishing");
}

void ZipWriter::close() {
  entry_ = "the central directory";
  int rc = zipClose(static_cast<zipFile>(zip_), nullptr);
  zip_ = nullptr;
  check(rc, "writing");
}

}  // namespace tavrello::host::xlsx
