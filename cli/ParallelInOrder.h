// Work items run on a few threads, their results handed on in the items' order, each as soon
// as it and every item before it are done. Whichever thread completes the order hands the
// results on, under a lock, so nobody waits to be woken for each item (a wake-up per run
// would cost a batch of short runs a good part of its second thread).
#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// work(i) runs on one of `threads` threads (the caller's among them); deliver(i, result) for
// i = 0, 1, ... in turn, one at a time. Neither may raise.
template <class Result, class Work, class Deliver>
void ParallelInOrder(std::size_t count, unsigned threads, const Work& work, const Deliver& deliver) {
  std::vector<std::optional<Result>> results(count);
  std::mutex mutex;
  std::size_t delivered = 0;  // under mutex
  std::atomic<std::size_t> next{0};
  const auto worker = [&]() noexcept {
    for (std::size_t i = next++; i < count; i = next++) {
      Result result = work(i);
      const std::lock_guard lock(mutex);
      results[i] = std::move(result);
      for (; delivered < count && results[delivered]; ++delivered) {
        deliver(delivered, *results[delivered]);
        results[delivered].reset();
      }
    }
  };
  std::vector<std::jthread> others;
  for (std::size_t t = 1; t < std::min<std::size_t>(threads, count); ++t) others.emplace_back(worker);
  worker();
}
