#include "platform/host/xlsx/parallel_deflate.h"

#include <algorithm>

#include <zlib.h>

#include "platform/host/xlsx/deflate_stream.h"

namespace tavrello::host::xlsx {

namespace {

constexpr std::size_t kWindow = 32 * 1024;

}  // namespace

ParallelDeflate::ParallelDeflate(Sink sink, int level, unsigned threads)
    : sink_(std::move(sink)), level_(level), threads_(threads ? threads : std::max(1u, std::thread::hardware_concurrency())) {}

ParallelDeflate::~ParallelDeflate() {
  {
    std::lock_guard lock(mutex_);
    stop_ = true;
  }
  wake_.notify_all();
  for (auto& worker : workers_) worker.join();
}

ByteBlock ParallelDeflate::buffer(std::size_t capacity) {
  {
    std::lock_guard lock(mutex_);
    while (!spare_.empty()) {
      ByteBlock block = std::move(spare_.back());
      spare_.pop_back();
      if (block.capacity() >= capacity) {
        block.clear();
        return block;
      }
    }
  }
  return ByteBlock(capacity);
}

void ParallelDeflate::startWorkers() {
  for (unsigned i = 0; i < threads_; ++i) workers_.emplace_back([this] { work(); });
}

void ParallelDeflate::work() {
  std::optional<DeflateStream> stream;
  std::optional<Failure> setupFailure;
  try {
    stream.emplace(level_);
  } catch (const Failure& failure) {
    setupFailure = failure;
  }
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return stop_ || !pending_.empty(); });
    if (stop_) return;
    Job* job = pending_.front();
    pending_.pop_front();
    lock.unlock();
    try {
      if (setupFailure) throw *setupFailure;
      stream->compress(job->input.view(), job->dictionary, job->last, job->output);
      job->crc = crc32Of(job->input.view());
    } catch (const Failure& failure) {
      job->failure = failure;
    }
    lock.lock();
    job->done = true;
    ready_.notify_all();
  }
}

void ParallelDeflate::submit(ByteBlock block, bool last) {
  auto job = std::make_unique<Job>();
  job->dictionary = tail_;
  job->last = last;
  // The next block is primed with the end of this one.
  std::string_view input = block.view();
  if (input.size() >= kWindow) {
    tail_.assign(input.substr(input.size() - kWindow));
  } else {
    tail_.append(input);
    if (tail_.size() > kWindow) tail_.erase(0, tail_.size() - kWindow);
  }
  job->input = std::move(block);

  if (last && workers_.empty()) {
    // Everything fitted in one block: no threads needed.
    DeflateStream stream(level_);
    stream.compress(job->input.view(), job->dictionary, true, job->output);
    job->crc = crc32Of(job->input.view());
    job->done = true;
    std::lock_guard lock(mutex_);
    order_.push_back(std::move(job));
    return;
  }
  if (workers_.empty()) startWorkers();
  std::lock_guard lock(mutex_);
  pending_.push_back(job.get());
  order_.push_back(std::move(job));
  wake_.notify_one();
}

void ParallelDeflate::drain(bool all) {
  // Enough blocks in flight to keep every worker busy while the producer
  // fills the next one; more would only hold memory.
  const std::size_t inFlight = all ? 0 : threads_ * 2 + 1;
  for (;;) {
    std::unique_ptr<Job> job;
    {
      std::unique_lock lock(mutex_);
      if (order_.empty()) return;
      if (!order_.front()->done) {
        if (order_.size() <= inFlight) return;
        ready_.wait(lock, [this] { return order_.front()->done; });
      }
      job = std::move(order_.front());
      order_.pop_front();
    }
    if (job->failure) throw *job->failure;
    crc_ = static_cast<std::uint32_t>(crc32_combine(crc_, job->crc, static_cast<z_off_t>(job->input.size())));
    size_ += job->input.size();
    sink_(job->output.data(), job->output.size());
    std::lock_guard lock(mutex_);
    if (spare_.size() < threads_ * 2 + 2) spare_.push_back(std::move(job->input));
  }
}

void ParallelDeflate::add(ByteBlock block) {
  submit(std::move(block), false);
  drain(false);
}

void ParallelDeflate::finish(ByteBlock last) {
  submit(std::move(last), true);
  drain(true);
}

}  // namespace tavrello::host::xlsx
