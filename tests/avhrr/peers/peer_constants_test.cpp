#include "avhrr/peers/peer_constants.h"

#include <gtest/gtest.h>

#include "avhrr/calibration/reflective.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

// pygac's own values for NOAA-19 in 2025 on day 172 (tools/peers/README.md, Level 1b form without
// the Sun-distance factor): our form of its drifting dual gain must give them back.
TEST(PeerConstants, VisibleGainsMatchThePeersCheckValues) {
  // Our drift counts whole days before the instant: 172 of them at the start of day 173.
  const auto c = peerConstants(*satelliteByName("NOAA-19"), utcFromYearDay(2025, 173, 0));
  const struct {
    int channel;
    double counts, expected;
  } cases[] = {{0, 100, 3.2537}, {0, 400, 19.2029}, {0, 700, 56.7975},
               {1, 100, 3.9107}, {1, 400, 23.1438}, {1, 700, 67.9735},
               {2, 100, 1.5150}, {2, 400, 9.0150},  {2, 700, 47.0985}};
  for (const auto& k : cases) {
    EXPECT_NEAR(albedoFromCounts(*c.reflective[static_cast<std::size_t>(k.channel)], k.counts),
                k.expected, 1e-4)
        << "channel " << k.channel << " counts " << k.counts;
  }
}

TEST(PeerConstants, OnlyTheSatellitesOfThePeerChecks) {
  EXPECT_NO_THROW(peerConstants(*satelliteByName("NOAA-18"), 0));
  EXPECT_THROW(peerConstants(*satelliteByName("NOAA-15"), 0), Error);
}

}  // namespace
}  // namespace kestrova::avhrr
