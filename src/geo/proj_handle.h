#pragma once
// Owns one PROJ context and one projection made in it. A context is not shared between threads,
// so each owner uses its own.
#include <memory>
#include <span>
#include <string>

struct pj_ctx;
struct PJconsts;

namespace kestrova {

enum class WktFlavour { Esri, Gdal };

// The well-known text of a coordinate system given as a PROJ string (ESRI's for .prj files,
// GDAL's WKT1 for its own side-car files); raises kestrova::Error when PROJ cannot give it.
std::string crsWkt(const std::string& definition, WktFlavour flavour);

class ProjHandle {
 public:
  // A projection from a PROJ string such as "+proj=merc +lon_0=10"; raises kestrova::Error when
  // PROJ refuses it.
  explicit ProjHandle(const std::string& definition);
  ~ProjHandle();
  ProjHandle(ProjHandle&&) noexcept;
  ProjHandle& operator=(ProjHandle&&) noexcept;

  // In place: longitudes and latitudes in degrees become eastings and northings in metres, and
  // back. A point that does not convert becomes NaN in both arrays.
  void forward(std::span<double> lon, std::span<double> lat) const;
  void inverse(std::span<double> x, std::span<double> y) const;

 private:
  friend std::string crsWkt(const std::string& definition, WktFlavour flavour);
  struct Free {
    void operator()(pj_ctx* context) const;
    void operator()(PJconsts* projection) const;
  };
  std::unique_ptr<pj_ctx, Free> context_;  // declared first: the projection is freed before it
  std::unique_ptr<PJconsts, Free> projection_;
};

}  // namespace kestrova
