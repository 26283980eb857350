#include "geo/proj_handle.h"

#include <proj.h>

#include <cmath>
#include <limits>

#include "base/error.h"

namespace kestrova {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Far beyond any map of the Earth: such a result is a projection blowing up at its singularity
// (the far pole of a stereographic one) rather than a place.
constexpr double kMaxMetres = 1e9;

// proj_trans_generic leaves HUGE_VAL where a point fails; we say NaN, for both coordinates.
void markFailures(std::span<double> a, std::span<double> b, double limit) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (!(std::abs(a[i]) <= limit && std::abs(b[i]) <= limit)) a[i] = b[i] = kNaN;
  }
}

}  // namespace

void ProjHandle::Free::operator()(pj_ctx* context) const {
  proj_context_destroy(context);
}
void ProjHandle::Free::operator()(PJconsts* projection) const {
  proj_destroy(projection);
}

ProjHandle::ProjHandle(const std::string& definition) : context_(proj_context_create()) {
  if (!context_) throw Error("PROJ could not start");
  proj_log_level(context_.get(), PJ_LOG_NONE);
  projection_.reset(proj_create(context_.get(), definition.c_str()));
  if (!projection_)
    throw Error("PROJ refused the projection '" + definition + "': " +
                proj_context_errno_string(context_.get(), proj_context_errno(context_.get())));
}

ProjHandle::~ProjHandle() = default;
ProjHandle::ProjHandle(ProjHandle&&) noexcept = default;
ProjHandle& ProjHandle::operator=(ProjHandle&& other) noexcept {
  projection_.reset();
  context_ = std::move(other.context_);
  projection_ = std::move(other.projection_);
  return *this;
}

std::string crsWkt(const std::string& definition, WktFlavour flavour) {
  const ProjHandle crs(definition + " +type=crs");
  const char* wkt = proj_as_wkt(crs.context_.get(), crs.projection_.get(),
                                flavour == WktFlavour::Esri ? PJ_WKT1_ESRI : PJ_WKT1_GDAL, nullptr);
  if (wkt == nullptr) throw Error("PROJ has no well-known text for '" + definition + "'");
  return wkt;
}

void ProjHandle::forward(std::span<double> lon, std::span<double> lat) const {
  for (std::size_t i = 0; i < lon.size(); ++i) {
    lon[i] = proj_torad(lon[i]);
    lat[i] = proj_torad(lat[i]);
  }
  proj_trans_generic(projection_.get(), PJ_FWD, lon.data(), sizeof(double), lon.size(), lat.data(),
                     sizeof(double), lat.size(), nullptr, 0, 0, nullptr, 0, 0);
  proj_errno_reset(projection_.get());
  markFailures(lon, lat, kMaxMetres);
}

void ProjHandle::inverse(std::span<double> x, std::span<double> y) const {
  proj_trans_generic(projection_.get(), PJ_INV, x.data(), sizeof(double), x.size(), y.data(),
                     sizeof(double), y.size(), nullptr, 0, 0, nullptr, 0, 0);
  proj_errno_reset(projection_.get());
  markFailures(x, y, std::numeric_limits<double>::max());
  for (std::size_t i = 0; i < x.size(); ++i) {
    x[i] = proj_todeg(x[i]);
    y[i] = proj_todeg(y[i]);
  }
}

}  // namespace kestrova
