// The satellites we know: how each format names them, and which instrument family they fly.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace kestrova::avhrr {

// AVHRR/3 on the KLM series (NOAA-15 onward, MetOp); AVHRR/2 on the POD series (NOAA-14 and
// earlier).
enum class Family { Klm, Pod };

struct Satellite {
  std::string_view name;  // "NOAA-19"
  int norad;              // catalogue number, as in two-line elements
  Family family;
  std::optional<int> hrptAddress;  // spacecraft address in the HRPT ID word
  std::optional<int> klmCode;      // KLM Level 1b header spacecraft id
  std::optional<int> podCode;      // POD Level 1b header byte 1
  std::string_view dataSetCode;    // satellite field of NOAA's data set names ("NP")
};

std::span<const Satellite> knownSatellites();

const Satellite* satelliteByName(std::string_view name);  // ignores letter case
const Satellite* satelliteByNorad(int norad);
const Satellite* satelliteByHrptAddress(int address);
const Satellite* satelliteByKlmCode(int code);
const Satellite* satelliteByPodCode(int code);

}  // namespace kestrova::avhrr
