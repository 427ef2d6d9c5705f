// Work items run on a few threads, their results handed on in the items' order: each as
// soon as it and every item before it are done, on the calling thread, so that whoever
// prints them needs no lock and a long list shows its first results early.
#pragma once

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// work(i) runs on one of `threads` threads and must not raise; deliver(i, result) runs on
// the caller's thread for i = 0, 1, ... in turn.
template <class Result, class Work, class Deliver>
void ParallelInOrder(std::size_t count, unsigned threads, const Work& work, const Deliver& deliver) {
  std::vector<std::optional<Result>> results(count);
  std::mutex mutex;
  std::condition_variable done;
  std::atomic<std::size_t> next{0};
  const auto worker = [&] {
    for (std::size_t i = next++; i < count; i = next++) {
      Result result = work(i);
      const std::lock_guard lock(mutex);
      results[i] = std::move(result);
      done.notify_one();
    }
  };
  std::vector<std::jthread> pool;
  for (unsigned t = 0; t < std::min<std::size_t>(threads, count); ++t) pool.emplace_back(worker);
  for (std::size_t i = 0; i < count; ++i) {
    std::unique_lock lock(mutex);
    done.wait(lock, [&] { return results[i].has_value(); });
    Result result = std::move(*results[i]);
    lock.unlock();
    deliver(i, result);
  }
}
