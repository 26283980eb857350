// The location file: what is written reads back, and every kind of damage is refused with the
// file, the offset and the cause.
#include "avhrr/location/location_file.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <limits>

#include "avhrr/location/crc32.h"
#include "base/error.h"
#include "support/temp_folder.h"

namespace kestrova::avhrr {
namespace {

using ::testing::HasSubstr;

LocationFileGrid sampleGrid() {
  LocationFileGrid g;
  g.satellite = "NOAA-19";
  g.norad = 33591;
  g.start = 1'700'000'000'000;
  g.end = g.start + 720'000;
  g.width = 2048;
  g.height = 4300;
  g.orientation = Orientation::Rotated180;
  g.columns = {0, 1023, 2047};
  g.rows = {0, 2000, 4299};
  for (std::size_t i = 0; i < 9; ++i) {
    g.latitude.push_back(-89.5 + 22.123456 * static_cast<double>(i));
    g.longitude.push_back(179.9999995 - 40.5 * static_cast<double>(i));
  }
  return g;
}

TEST(Crc32, MatchesTheStandardCheckValue) {
  const std::string text = "123456789";
  EXPECT_EQ(crc32({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}), 0xCBF43926u);
}

TEST(LocationFile, RoundTripsThroughAFile) {
  testing::TempFolder folder;
  const auto grid = sampleGrid();
  writeLocationFile(folder.file("pass.lcn"), grid);
  const auto back = readLocationFile(folder.file("pass.lcn"));
  EXPECT_EQ(back.satellite, grid.satellite);
  EXPECT_EQ(back.norad, grid.norad);
  EXPECT_EQ(back.start, grid.start);
  EXPECT_EQ(back.end, grid.end);
  EXPECT_EQ(back.width, grid.width);
  EXPECT_EQ(back.height, grid.height);
  EXPECT_EQ(back.orientation, grid.orientation);
  EXPECT_EQ(back.columns, grid.columns);
  EXPECT_EQ(back.rows, grid.rows);
  ASSERT_EQ(back.latitude.size(), grid.latitude.size());
  for (std::size_t i = 0; i < grid.latitude.size(); ++i) {
    EXPECT_NEAR(back.latitude[i], grid.latitude[i], 0.51e-6);
    // 179.9999995 rounds up to 180; every longitude comes back within -180..180.
    EXPECT_NEAR(std::remainder(back.longitude[i] - grid.longitude[i], 360.0), 0, 0.51e-6);
    EXPECT_LE(std::abs(back.longitude[i]), 180.0);
  }
  // Encoding what was read gives the same bytes: values alone decide the file.
  EXPECT_EQ(encodeLocationFile(back), encodeLocationFile(grid));
  EXPECT_FALSE(std::filesystem::exists(folder.file("pass.lcn.tmp")));
}

TEST(LocationFile, WriterWrapsLongitudesOfAnyTurn) {
  auto grid = sampleGrid();
  grid.longitude[0] = 190;
  grid.longitude[1] = -540.25;
  grid.longitude[2] = -180;  // both ends of the range are kept as they are
  grid.longitude[3] = 180;
  const auto back = decodeLocationFile(encodeLocationFile(grid), "x.lcn");
  EXPECT_NEAR(back.longitude[0], -170, 1e-9);
  EXPECT_NEAR(back.longitude[1], 179.75, 1e-9);
  EXPECT_EQ(back.longitude[2], -180);
  EXPECT_EQ(back.longitude[3], 180);
  EXPECT_EQ(encodeLocationFile(back), encodeLocationFile(grid));
}

TEST(LocationFile, WriterRefusesGridsItCouldNotReadBack) {
  const std::vector<std::pair<const char*, std::function<void(LocationFileGrid&)>>> cases{
      {"NaN", [](LocationFileGrid& g) { g.latitude[4] = std::numeric_limits<double>::quiet_NaN(); }},
      {"infinite", [](LocationFileGrid& g) { g.longitude[2] = INFINITY; }},
      {"poles", [](LocationFileGrid& g) { g.latitude[0] = -90.5; }},
      {"strictly increasing",
       [](LocationFileGrid& g) {
         g.columns = {0, 0, 2047};
       }},
      {"outside the picture",
       [](LocationFileGrid& g) {
         g.rows = {0, 10, 4300};
       }},
      {"fewer than two", [](LocationFileGrid& g) { g.rows = {0}; }},
      {"does not match", [](LocationFileGrid& g) { g.latitude.pop_back(); }},
      {"longer than 16", [](LocationFileGrid& g) { g.satellite = "a satellite named at length"; }},
      {"ends before", [](LocationFileGrid& g) { g.end = g.start - 1; }},
      {"width", [](LocationFileGrid& g) { g.width = 1; }},
  };
  for (const auto& [cause, damage] : cases) {
    auto grid = sampleGrid();
    damage(grid);
    try {
      encodeLocationFile(grid);
      ADD_FAILURE() << "accepted: " << cause;
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr(cause));
    }
  }
}

// Damage applied to a good file; the checksum is recomputed where asked so that the field
// checks, not the checksum, must catch it.
struct Damage {
  const char* name;
  std::function<void(std::vector<std::uint8_t>&)> apply;
  bool fixChecksum;
  const char* cause;
  std::size_t offset;
};

void put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void fixCrc(std::vector<std::uint8_t>& b) {
  put32(b, b.size() - 4, crc32(std::span(b).first(b.size() - 4)));
}

TEST(LocationFile, ReaderRefusesEveryKindOfDamage) {
  const auto good = encodeLocationFile(sampleGrid());
  const std::size_t points = 64 + 4 * 3 + 4 * 3;  // offset of the first tie point
  const std::vector<Damage> cases{
      {"magic", [](auto& b) { b[0] = 'X'; }, true, "wrong magic", 0},
      {"version", [](auto& b) { b[8] = 2; }, true, "format version 2", 8},
      {"orientation", [](auto& b) { b[10] = 7; }, true, "unknown orientation", 10},
      {"name", [](auto& b) { b[16] = 0x07; }, true, "satellite name", 16},
      {"name after padding", [](auto& b) { b[31] = 'Z'; }, true, "satellite name", 31},
      {"times", [](auto& b) { b[47] = 0x80; }, true, "ends before it starts", 40},
      {"width", [](auto& b) { put32(b, 48, 0); }, true, "picture width 0", 48},
      {"column count", [](auto& b) { put32(b, 56, 4000); }, true, "tie column count", 56},
      {"row count grows", [](auto& b) { put32(b, 60, 4); }, true, "truncated", good.size()},
      {"column order", [](auto& b) { put32(b, 68, 0); }, true, "not strictly increasing", 68},
      {"row beyond", [](auto& b) { put32(b, 84, 5000); }, true, "outside the picture", 84},
      {"latitude", [&](auto& b) { put32(b, points, 90'000'001); }, true, "beyond the poles",
       points},
      {"longitude",
       [&](auto& b) { put32(b, points + 4, static_cast<std::uint32_t>(-180'000'001)); }, true,
       "longitude outside", points + 4},
      {"a flipped bit", [&](auto& b) { b[points + 2] ^= 0x10; }, false, "checksum mismatch",
       good.size() - 4},
      {"checksum", [](auto& b) { b.back() ^= 1; }, false, "checksum mismatch", good.size() - 4},
      {"trailing bytes", [](auto& b) { b.push_back(0); }, false, "after the checksum", good.size()},
  };
  for (const auto& d : cases) {
    auto bytes = good;
    d.apply(bytes);
    if (d.fixChecksum) fixCrc(bytes);
    try {
      decodeLocationFile(bytes, "north.lcn");
      ADD_FAILURE() << "accepted: " << d.name;
    } catch (const Error& e) {
      EXPECT_THAT(e.what(), HasSubstr("north.lcn")) << d.name;
      EXPECT_THAT(e.what(), HasSubstr(d.cause)) << d.name;
      EXPECT_THAT(e.what(), HasSubstr("offset " + std::to_string(d.offset))) << d.name;
    }
  }
}

TEST(LocationFile, ReaderRefusesEveryTruncation) {
  const auto good = encodeLocationFile(sampleGrid());
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_THROW(decodeLocationFile(std::span(good).first(size), "cut.lcn"), Error) << size;
  }
}

TEST(LocationFile, HugeCountsAreRefusedBeforeAnythingIsAllocated) {
  auto bytes = encodeLocationFile(sampleGrid());
  put32(bytes, 48, 65536);
  put32(bytes, 52, 1048576);
  put32(bytes, 56, 65536);
  put32(bytes, 60, 1048576);
  fixCrc(bytes);
  try {
    decodeLocationFile(bytes, "big.lcn");
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("truncated"));
  }
}

TEST(LocationFile, MissingFileIsNamed) {
  testing::TempFolder folder;
  try {
    readLocationFile(folder.file("absent.lcn"));
    FAIL();
  } catch (const Error& e) {
    EXPECT_THAT(e.what(), HasSubstr("absent.lcn"));
  }
}

}  // namespace
}  // namespace kestrova::avhrr
