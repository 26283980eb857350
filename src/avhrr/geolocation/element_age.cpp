#include "avhrr/geolocation/element_age.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

std::string days(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f days", value);
  return text;
}

std::string epochOf(const TwoLineElements& elements) {
  const YearDay epoch = yearDayFromUtc(elements.epochUtc());
  return std::to_string(epoch.year) + " day " + std::to_string(epoch.dayOfYear);
}

// A wrong year puts the pass a whole number of years from its elements: say where it came from.
std::string yearHint(const Pass& pass) {
  if (pass.yearSource != YearSource::FileModificationTime) return "";
  return " The pass's year came from the file's modification time; if it is wrong, put the date "
         "in the file name (e.g. YYYYMMDD).";
}

}  // namespace

double elementsAgeDays(const TwoLineElements& elements, const Pass& pass) {
  if (pass.lines.empty()) return 0;
  const double first = std::abs(elements.minutesSinceEpoch(pass.lines.front().time));
  const double last = std::abs(elements.minutesSinceEpoch(pass.lines.back().time));
  return std::max(first, last) / (24 * 60);
}

std::optional<std::string> elementsAgeNote(const TwoLineElements& elements, const Pass& pass) {
  const double age = elementsAgeDays(elements, pass);
  if (age <= kElementsNoteDays) return std::nullopt;
  return "The orbital elements (epoch " + epochOf(elements) + ") are " + days(age) +
         " from the pass: expect its locations to be several kilometres off." + yearHint(pass);
}

void requireElementsNear(const TwoLineElements& elements, const Pass& pass) {
  const double age = elementsAgeDays(elements, pass);
  if (age <= kElementsRefuseDays) return;
  throw Error(pass.dataSetName + ": cannot locate the pass: the orbital elements (epoch " +
              epochOf(elements) + ") are " + days(age) + " from it, more than " +
              days(kElementsRefuseDays) + "; positions would be far off." + yearHint(pass));
}

}  // namespace kestrova::avhrr
