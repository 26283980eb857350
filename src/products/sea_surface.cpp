#include "products/sea_surface.h"

#include <cmath>
#include <limits>
#include <numbers>

namespace kestrova::products {
namespace {

// Split-window MCSST sets, a T4 + b (T4 - T5) + c (T4 - T5)(sec z - 1) + d.
constexpr SstCoefficients kCoefficients[] = {
    // NOAA-12: NOAA Polar Orbiter Data User's Guide (POD), Appendix E, p. E-31; the night set
    // also in NOAA/NESDIS "NOAA-12 AVHRR day & night SST equations" (3/8/94, MCSST split).
    {"NOAA-12", {0.963563, 2.579211, 0.242598, -263.006}, {0.967077, 2.384376, 0.480788, -263.94}},
    // NOAA-14: NOAA Polar Orbiter Data User's Guide (POD), Appendix E, p. E-33.
    {"NOAA-14", {1.017342, 2.139588, 0.779706, -278.43}, {1.029088, 2.275385, 0.752567, -282.24}},
};

constexpr float kNoValue = std::numeric_limits<float>::quiet_NaN();
const float kDayCosine =
    static_cast<float>(std::cos(ClearSky::kDayZenithDeg * std::numbers::pi / 180));

bool clearSky(float t4, float t5, float albedo2, float cosSun) {
  const float split = t4 - t5;
  if (!(t4 >= ClearSky::kColdestK)) return false;
  if (!(split >= ClearSky::kSplitLowK && split <= ClearSky::kSplitHighK)) return false;
  // Reflectance albedo / cos(zenith) within the limit, without the division.
  return !(cosSun > kDayCosine) || albedo2 <= ClearSky::kSeaReflectancePercent * cosSun;
}

}  // namespace

const SstCoefficients* sstCoefficients(const avhrr::Satellite* satellite) {
  if (satellite == nullptr) return nullptr;
  for (const auto& c : kCoefficients)
    if (c.satellite == satellite->name) return &c;
  return nullptr;
}

void seaSurfaceRow(const SstCoefficients* coefficients, const SeaSurfaceInputs& in, std::size_t n,
                   float* celsius, SeaSurfaceClass* classes) {
  for (std::size_t i = 0; i < n; ++i) {
    celsius[i] = kNoValue;
    const float t4 = in.t4[i], t5 = in.t5[i];
    if (std::isnan(t4) || std::isnan(t5)) {
      classes[i] = SeaSurfaceClass::NoData;
      continue;
    }
    const float cosSun = in.cosSunZenith[i];
    // Too cold for open water: cloud (or ice), over land or sea. Then land: the sea's
    // reflectance and split-window tests mean nothing there.
    if (!(t4 >= ClearSky::kColdestK)) {
      classes[i] = SeaSurfaceClass::Cloud;
      continue;
    }
    if (in.openSea != nullptr && in.openSea[i] == 0) {
      classes[i] = SeaSurfaceClass::Land;
      continue;
    }
    if (!clearSky(t4, t5, in.albedo2[i], cosSun)) {
      classes[i] = SeaSurfaceClass::Cloud;
      continue;
    }
    if (in.openSea == nullptr) {
      classes[i] = SeaSurfaceClass::NoData;
      continue;
    }
    classes[i] = SeaSurfaceClass::ClearSea;
    if (coefficients == nullptr) continue;
    const SplitWindow& w = cosSun > kDayCosine ? coefficients->day : coefficients->night;
    const double split = static_cast<double>(t4) - t5;
    const double sst = w.a * t4 + w.b * split + w.c * split * (in.satSecant[i] - 1.0) + w.d;
    if (sst < ClearSky::kLowestC || sst > ClearSky::kHighestC)
      classes[i] = SeaSurfaceClass::Cloud;
    else
      celsius[i] = static_cast<float>(sst);
  }
}

}  // namespace kestrova::products
