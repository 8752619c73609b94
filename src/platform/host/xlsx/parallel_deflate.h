#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/host/xlsx/byte_block.h"
#include "platform/host/xlsx/deflate_stream.h"
#include "platform/system/failure.h"

namespace tavrello::host::xlsx {

// Deflates one stream of bytes on worker threads: each block of input is
// compressed on its own (primed with the last 32 KiB of the block before it,
// so little is lost against one long stream) and ended with a sync flush, as
// parallel gzip tools do. Joined in order the pieces form one raw deflate
// stream, which a zip entry holds as it would hold any other. The CRC-32 of
// the input is computed on the workers too and combined in order.
//
// Used from one thread, the producer: add() and finish() hand the compressed
// bytes, in order, to the sink on that thread, and throw what the sink or
// the compressor throws (a tavrello::Failure). Destroying the object stops the workers,
// also after a failure.
class ParallelDeflate {
 public:
  using Sink = std::function<void(const char* data, std::size_t size)>;

  // `threads` 0 uses one worker per processor. `level` is DeflateStream's.
  explicit ParallelDeflate(Sink sink, int level = 1, unsigned threads = 0);
  ~ParallelDeflate();
  ParallelDeflate(const ParallelDeflate&) = delete;
  ParallelDeflate& operator=(const ParallelDeflate&) = delete;

  // A block of input; it is compressed in the order blocks are added.
  void add(ByteBlock block);
  // An empty buffer of `capacity` bytes, recycled from blocks already compressed.
  ByteBlock buffer(std::size_t capacity);
  // Compresses `last` (which may be empty) as the end of the stream and
  // waits until everything has gone to the sink.
  void finish(ByteBlock last);

  // Of the whole input, valid after finish().
  std::uint32_t crc() const { return crc_; }
  std::uint64_t size() const { return size_; }

 private:
  struct Job {
    ByteBlock input;
    std::string dictionary;
    bool last = false;
    std::string output;
    std::uint32_t crc = 0;
    std::optional<Failure> failure;
    bool done = false;
  };

  void submit(ByteBlock block, bool last);
  void startWorkers();
  void work();
  // Sends finished jobs at the front to the sink; with `all`, waits for every job.
  void drain(bool all);

  Sink sink_;
  int level_;
  unsigned threads_;
  std::vector<std::thread> workers_;
  std::mutex mutex_;
  std::condition_variable wake_;   // workers: a job is pending, or stop
  std::condition_variable ready_;  // producer: a job is done
  std::deque<std::unique_ptr<Job>> order_;
  std::deque<Job*> pending_;
  std::vector<ByteBlock> spare_;
  bool stop_ = false;
  std::string tail_;  // the last 32 KiB of the input so far
  std::uint32_t crc_ = 0;
  std::uint64_t size_ = 0;
};


}  // namespace tavrello::host::xlsx
