#include "varnock/parallel_jobs.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrova::varnock {

void runJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> failed{false};
  std::exception_ptr first;
  std::mutex mutex;
  const auto worker = [&] {
    for (std::size_t i = next++; i < count && !failed; i = next++) {
      try {
        job(i);
      } catch (...) {
        const std::lock_guard lock(mutex);
        if (!first) first = std::current_exception();
        failed = true;
      }
    }
  };
  const std::size_t helpers = std::min<std::size_t>(std::max(threads, 1u), count) - (count > 0);
  std::vector<std::jthread> pool;
  for (std::size_t k = 0; k < helpers; ++k) pool.emplace_back(worker);
  worker();
  pool.clear();
  if (first) std::rethrow_exception(first);
}

}  // namespace kestrova::varnock
