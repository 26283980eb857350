#include "avhrr/satellites.h"

#include <set>

#include <gtest/gtest.h>

namespace kestrova::avhrr {
namespace {

TEST(Satellites, EveryFormatCodeNamesOneSatellite) {
  std::set<int> hrpt, klm, pod, norad;
  for (const Satellite& s : knownSatellites()) {
    EXPECT_TRUE(norad.insert(s.norad).second) << s.name;
    if (s.hrptAddress) {
      EXPECT_TRUE(hrpt.insert(*s.hrptAddress).second) << s.name;
    }
    if (s.klmCode) {
      EXPECT_TRUE(klm.insert(*s.klmCode).second) << s.name;
    }
    if (s.podCode) {
      EXPECT_TRUE(pod.insert(*s.podCode).second) << s.name;
    }
    EXPECT_EQ(s.family == Family::Klm, s.klmCode.has_value()) << s.name;
  }
}

TEST(Satellites, LookupsFindTheSameSatellite) {
  const Satellite* n19 = satelliteByName("noaa-19");
  ASSERT_NE(n19, nullptr);
  EXPECT_EQ(satelliteByNorad(33591), n19);
  EXPECT_EQ(satelliteByHrptAddress(15), n19);
  EXPECT_EQ(satelliteByKlmCode(8), n19);
  EXPECT_EQ(satelliteByPodCode(3)->name, "NOAA-14");
  EXPECT_EQ(satelliteByKlmCode(99), nullptr);
}

TEST(Satellites, FramesThroughTheSecondTipStillNameTheirSatellite) {
  EXPECT_EQ(satelliteByHrptAddress(13)->name, "NOAA-18");
  EXPECT_EQ(satelliteByHrptAddress(14)->name, "NOAA-18");
  EXPECT_EQ(satelliteByHrptAddress(1), nullptr);
}

}  // namespace
}  // namespace kestrova::avhrr
