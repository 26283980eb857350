#include "progress/run_work.h"

#include <exception>
#include <new>

namespace kestrova::progress {

int runWork(const Work& work, Reporter& reporter) {
  try {
    return work(reporter);
  } catch (const std::bad_alloc&) {
    reporter.error("out of memory");
  } catch (const std::exception& e) {
    reporter.error(e.what());
  } catch (...) {
    reporter.error("unexpected failure");
  }
  return 1;
}

}  // namespace kestrova::progress
