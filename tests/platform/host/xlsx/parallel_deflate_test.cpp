#include "platform/host/xlsx/parallel_deflate.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include <zlib.h>

namespace tavrello::host::xlsx {
namespace {

// Inflates a raw deflate stream, failing the test when it is not one.
std::string inflateRaw(const std::string& compressed) {
  z_stream stream{};
  EXPECT_EQ(inflateInit2(&stream, -MAX_WBITS), Z_OK);
  std::string out;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  int rc = Z_OK;
  char buffer[65536];
  while (rc == Z_OK) {
    stream.next_out = reinterpret_cast<Bytef*>(buffer);
    stream.avail_out = sizeof buffer;
    rc = inflate(&stream, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - stream.avail_out);
  }
  EXPECT_EQ(rc, Z_STREAM_END) << "the joined blocks are not one complete deflate stream";
  EXPECT_EQ(stream.avail_in, 0u) << "bytes after the end of the stream";
  inflateEnd(&stream);
  return out;
}

// XML-like text: compressible, but not trivially.
std::string sampleText(std::size_t size) {
  std::mt19937 random(7);
  std::string text;
  while (text.size() < size) {
    text += "<row r=\"" + std::to_string(random() % 1000000) + "\"><c r=\"A1\" t=\"s\"><v>" +
            std::to_string(random() % 5000) + "</v></c></row>";
  }
  text.resize(size);
  return text;
}

std::string compressInBlocks(const std::string& input, std::size_t blockSize, unsigned threads,
                             std::uint32_t& crc) {
  std::string out;
  ParallelDeflate deflate([&](const char* data, std::size_t size) { out.append(data, size); }, 1, threads);
  std::size_t at = 0;
  while (input.size() - at > blockSize) {
    ByteBlock block = deflate.buffer(blockSize);
    std::memcpy(block.end(), input.data() + at, blockSize);
    block.commit(blockSize);
    deflate.add(std::move(block));
    at += blockSize;
  }
  ByteBlock last = deflate.buffer(blockSize);
  std::memcpy(last.end(), input.data() + at, input.size() - at);
  last.commit(input.size() - at);
  deflate.finish(std::move(last));
  EXPECT_EQ(deflate.size(), input.size());
  crc = deflate.crc();
  return out;
}

std::uint32_t zlibCrc(const std::string& text) {
  return static_cast<std::uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(text.data()), static_cast<uInt>(text.size())));
}

TEST(ParallelDeflate, BlocksCompressedOnSeveralThreadsJoinIntoOneStream) {
  std::string input = sampleText(5 * 1024 * 1024 + 321);
  std::uint32_t crc = 0;
  std::string compressed = compressInBlocks(input, 256 * 1024, 4, crc);
  EXPECT_EQ(inflateRaw(compressed), input);
  EXPECT_EQ(crc, zlibCrc(input));
}

TEST(ParallelDeflate, PrimingWithThePreviousBlockKeepsTheSizeCloseToOneStream) {
  std::string input = sampleText(4 * 1024 * 1024);
  std::uint32_t crc = 0;
  std::string blocks = compressInBlocks(input, 512 * 1024, 2, crc);
  std::string whole;
  DeflateStream(1).compress(input, {}, true, whole);
  EXPECT_LT(static_cast<double>(blocks.size()), whole.size() * 1.02);
}

TEST(ParallelDeflate, EmptyAndSingleBlockInputsNeedNoThreads) {
  std::uint32_t crc = 1;
  EXPECT_EQ(inflateRaw(compressInBlocks("", 1024, 2, crc)), "");
  EXPECT_EQ(crc, 0u);
  std::string small = sampleText(1000);
  EXPECT_EQ(inflateRaw(compressInBlocks(small, 4096, 2, crc)), small);
  EXPECT_EQ(crc, zlibCrc(small));
}

TEST(ParallelDeflate, AFailingSinkStopsTheStreamAndTheWorkersStillFinish) {
  std::string input = sampleText(3 * 1024 * 1024);
  auto run = [&] {
    ParallelDeflate deflate([](const char*, std::size_t) { throw Failure(61, "disk full"); }, 1, 2);
    for (std::size_t at = 0; at < input.size(); at += 64 * 1024) {
      ByteBlock block = deflate.buffer(64 * 1024);
      std::memcpy(block.end(), input.data() + at, 64 * 1024);
      block.commit(64 * 1024);
      deflate.add(std::move(block));
    }
    deflate.finish(ByteBlock(16));
  };
  try {
    run();
    FAIL() << "the sink's failure did not come through";
  } catch (const Failure& failure) {
    EXPECT_EQ(failure.number(), 61);
  }
}

}  // namespace
}  // namespace tavrello::host::xlsx
