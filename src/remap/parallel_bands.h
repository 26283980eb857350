// Work split between threads by contiguous bands of an index range; the first exception any
// band raises is raised again once all have ended.
#pragma once

#include <algorithm>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace kestrova::remap {

// Calls work(band, begin, end) for `threads` bands covering [0, count), each on its own thread.
template <class Work>
void forEachBand(int count, int threads, Work&& work) {
  threads = std::clamp(threads, 1, std::max(1, count));
  std::exception_ptr failure;
  std::mutex guard;
  {
    std::vector<std::jthread> workers;
    for (int band = 0; band < threads; ++band) {
      workers.emplace_back([&, band] {
        try {
          work(band, static_cast<int>(std::int64_t(count) * band / threads),
               static_cast<int>(std::int64_t(count) * (band + 1) / threads));
        } catch (...) {
          const std::lock_guard lock(guard);
          if (!failure) failure = std::current_exception();
        }
      });
    }
  }
  if (failure) std::rethrow_exception(failure);
}

}  // namespace kestrova::remap
