// Northbound or southbound, from the orbit, including passes that turn near a pole.
#include "avhrr/orbit/direction_of_travel.h"

#include <gtest/gtest.h>

namespace kestrova::avhrr {
namespace {

// A sun-synchronous orbit crossing the equator northward at its epoch; period about 100 minutes.
const TwoLineElements kElements = parseTwoLineElements(
    "1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836",
    "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550", "", {"test", 1});

UtcMs minutes(double m) {
  return kElements.epochUtc() + static_cast<UtcMs>(m * 60'000);
}

TEST(DirectionOfTravel, FollowsTheLatitudeRate) {
  const Sgp4 orbit(kElements);
  EXPECT_EQ(directionAt(orbit, minutes(0)), TravelDirection::Northbound);
  EXPECT_EQ(directionAt(orbit, minutes(50)), TravelDirection::Southbound);
  EXPECT_EQ(directionOfTravel(orbit, minutes(-6), minutes(6)), TravelDirection::Northbound);
  EXPECT_EQ(directionOfTravel(orbit, minutes(44), minutes(56)), TravelDirection::Southbound);
  // Reversed bounds mean the same pass.
  EXPECT_EQ(directionOfTravel(orbit, minutes(56), minutes(44)), TravelDirection::Southbound);
}

TEST(DirectionOfTravel, APassOverThePoleTakesItsLongerPart) {
  // The northernmost point comes about a quarter period after the equator crossing.
  const Sgp4 orbit(kElements);
  EXPECT_EQ(directionOfTravel(orbit, minutes(15), minutes(28)), TravelDirection::Northbound);
  EXPECT_EQ(directionOfTravel(orbit, minutes(22), minutes(35)), TravelDirection::Southbound);
}

}  // namespace
}  // namespace kestrova::avhrr
