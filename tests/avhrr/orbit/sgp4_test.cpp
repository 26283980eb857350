// SGP4 against the published verification set and an independent implementation's ephemerides.
#include "avhrr/orbit/sgp4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "avhrr/orbit/two_line_elements.h"
#include "base/error.h"

namespace kestrova::avhrr {
namespace {

TwoLineElements elements(const std::string& line1, const std::string& line2) {
  return parseTwoLineElements(line1, line2, "", TextPlace{"test", 1});
}

double distance(const Vec3& a, const Vec3& b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

struct ReferenceRow {
  double minutes;
  Vec3 position, velocity;
};

struct ReferenceCase {
  std::string line1, line2;
  std::vector<ReferenceRow> rows;
  std::optional<double> errorAt;  // where the reference model broke down
};

// Reads the ephemerides written by tools/sgp4/make_reference.py.
std::vector<ReferenceCase> readReference() {
  std::ifstream in(KESTROVA_ORBIT_TEST_DATA "/sgp4_reference.txt");
  std::vector<ReferenceCase> cases;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (line[0] == '1' && line[1] == ' ') {
      cases.emplace_back();
      cases.back().line1 = line;
      std::getline(in, cases.back().line2);
      continue;
    }
    std::istringstream fields(line);
    if (line.rfind("error", 0) == 0) {
      std::string word;
      double t = 0;
      fields >> word >> t;
      cases.back().errorAt = t;
      continue;
    }
    ReferenceRow row{};
    fields >> row.minutes >> row.position[0] >> row.position[1] >> row.position[2] >>
        row.velocity[0] >> row.velocity[1] >> row.velocity[2];
    cases.back().rows.push_back(row);
  }
  return cases;
}

TEST(Sgp4, AgreesWithReferenceEphemeridesToAMetre) {
  const std::vector<ReferenceCase> cases = readReference();
  ASSERT_EQ(cases.size(), 9u);  // every near-Earth case of the verification set
  int compared = 0;
  for (const ReferenceCase& c : cases) {
    const Sgp4 orbit(elements(c.line1, c.line2));
    for (const ReferenceRow& row : c.rows) {
      const StateVector s = orbit.at(row.minutes);
      EXPECT_LT(distance(s.position, row.position), 0.001) << c.line1 << " at " << row.minutes;
      EXPECT_LT(distance(s.velocity, row.velocity), 1e-6) << c.line1 << " at " << row.minutes;
      ++compared;
    }
    if (c.errorAt) {
      EXPECT_THROW(orbit.at(*c.errorAt), Error) << c.line1;
    }
  }
  EXPECT_GT(compared, 150);
}

TEST(Sgp4, ReproducesThePublishedVectors) {
  struct Case {
    const char* line1;
    const char* line2;
    double minutes;
    Vec3 r, v;
  };
  const Case cases[] = {
      {"1 00005U 58002B   00179.78495062  .00000023  00000-0  28098-4 0  4753",
       "2 00005  34.2682 348.7242 1859667 331.7664  19.3264 10.82419157413667",
       0,
       {7022.46529266, -1400.08296755, 0.03995155},
       {1.893841015, 6.405893759, 4.534807250}},
      {"1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836",
       "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550",
       0,
       {-2715.28237486, -6619.26436889, -0.01341443},
       {-1.008587273, 0.422782003, 7.385272942}},
      {"1 28057U 03049A   06177.78615833  .00000060  00000-0  35940-4 0  1836",
       "2 28057  98.4283 247.6961 0000884  88.1964 271.9322 14.35478080140550",
       120,
       {-1816.87920942, -1835.78762132, 6661.07926465},
       {2.325140071, 6.655669329, 2.463394512}},
  };
  for (const Case& c : cases) {
    const StateVector s = Sgp4(elements(c.line1, c.line2)).at(c.minutes);
    EXPECT_LT(distance(s.position, c.r), 1e-6) << c.line1 << " at " << c.minutes;
    EXPECT_LT(distance(s.velocity, c.v), 1e-8) << c.line1 << " at " << c.minutes;
  }
}

TEST(Sgp4, RefusesDeepSpaceElementSets) {
  // Molniya 2-14, a 12-hour orbit.
  const TwoLineElements molniya =
      elements("1 08195U 75081A   06176.33215444  .00000099  00000-0  11873-3 0   813",
               "2 08195  64.1586 279.0717 6877146 264.7651  20.2257  2.00491383225656");
  try {
    Sgp4 orbit(molniya);
    FAIL() << "a deep-space set was accepted";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("deep-space"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("08195"), std::string::npos) << e.what();
  }
}

TEST(Sgp4, ReportsADecayedOrbitWithItsTime) {
  const Sgp4 orbit(
      elements("1 28872U 05037B   05333.02012661  .25992681  00000-0  24476-3 0  1534",
               "2 28872  96.4736 157.9986 0303955 244.0492 110.6523 16.46015938 10708"));
  EXPECT_NO_THROW(orbit.at(50.0));
  try {
    orbit.at(55.0);
    FAIL() << "a decayed orbit gave a position";
  } catch (const Error& e) {
    EXPECT_NE(std::string(e.what()).find("55.0 minutes"), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("decayed"), std::string::npos) << e.what();
  }
}

}  // namespace
}  // namespace kestrova::avhrr
