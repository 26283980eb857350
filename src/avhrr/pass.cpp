#include "avhrr/pass.h"

#include "base/large_vector.h"

namespace kestrova::avhrr {

std::span<std::uint16_t> Pass::row(int channel, int line) {
  const auto offset =
      (static_cast<std::size_t>(channel) * lines.size() + static_cast<std::size_t>(line)) *
      static_cast<std::size_t>(width);
  return {counts.data() + offset, static_cast<std::size_t>(width)};
}

std::span<const std::uint16_t> Pass::row(int channel, int line) const {
  return const_cast<Pass*>(this)->row(channel, line);
}

void Pass::allocateCounts() {
  assignLarge(counts, static_cast<std::size_t>(kChannelCount) * lines.size() *
                          static_cast<std::size_t>(width));
}

}  // namespace kestrova::avhrr
