#include "avhrr/satellites.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kestrova::avhrr {
namespace {

constexpr auto N = std::nullopt;

// Codes: KLM User's Guide 8.3.1.3.2 (header spacecraft id), POD User's Guide 4.1.2 (header byte 1),
// HRPT addresses as observed in received frames (NOAA-16's from one decoder only).
const std::array<Satellite, 13> kSatellites{{
    {"NOAA-12", 21263, Family::Pod, N, N, 5, "ND"},
    {"NOAA-14", 23455, Family::Pod, N, N, 3, "NJ"},
    {"NOAA-15", 25338, Family::Klm, 7, 4, N, "NK"},
    {"NOAA-16", 26536, Family::Klm, 3, 2, N, "NL"},
    {"NOAA-17", 27453, Family::Klm, N, 6, N, "NM"},
    {"NOAA-18", 28654, Family::Klm, 13, 7, N, "NN"},
    {"NOAA-19", 33591, Family::Klm, 15, 8, N, "NP"},
    {"MetOp-A", 29499, Family::Klm, N, 12, N, "M2"},
    {"MetOp-B", 38771, Family::Klm, N, 11, N, "M1"},
    {"MetOp-C", 43689, Family::Klm, N, 13, N, "M3"},
    {"NOAA-11", 19531, Family::Pod, N, N, 1, "NH"},
    {"NOAA-10", 16969, Family::Pod, N, N, 8, "NG"},
    {"NOAA-9", 15427, Family::Pod, N, N, 7, "NF"},
}};

// Frames sent through the second TIP carry that unit's address (KLM User's Guide D.4: NOAA-18
// "AVHRR: 13, TIP 1: 13, TIP 2: 14").
struct AddressAlias {
  int address;
  std::string_view satellite;
};
constexpr std::array<AddressAlias, 1> kAddressAliases{{{14, "NOAA-18"}}};

template <typename Pred>
const Satellite* findSatellite(Pred pred) {
  const auto it = std::find_if(kSatellites.begin(), kSatellites.end(), pred);
  return it == kSatellites.end() ? nullptr : &*it;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::span<const Satellite> knownSatellites() {
  return kSatellites;
}

const Satellite* satelliteByName(std::string_view name) {
  return findSatellite([&](const Satellite& s) { return equalIgnoringCase(s.name, name); });
}

const Satellite* satelliteByNorad(int norad) {
  return findSatellite([&](const Satellite& s) { return s.norad == norad; });
}

const Satellite* satelliteByHrptAddress(int address) {
  if (const Satellite* s =
          findSatellite([&](const Satellite& s) { return s.hrptAddress == address; }))
    return s;
  for (const AddressAlias& alias : kAddressAliases)
    if (alias.address == address) return satelliteByName(alias.satellite);
  return nullptr;
}

const Satellite* satelliteByKlmCode(int code) {
  return findSatellite([&](const Satellite& s) { return s.klmCode == code; });
}

const Satellite* satelliteByPodCode(int code) {
  return findSatellite([&](const Satellite& s) { return s.podCode == code; });
}

}  // namespace kestrova::avhrr
