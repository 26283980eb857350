// Independent jobs spread over the processor's cores.
#pragma once

#include <cstddef>
#include <functional>

namespace kestrova::varnock {

// Runs job(0) .. job(count - 1) on up to `threads` threads and waits for all. After a job throws,
// no further job starts; the first exception is rethrown here.
void runJobs(std::size_t count, unsigned threads, const std::function<void(std::size_t)>& job);

}  // namespace kestrova::varnock
