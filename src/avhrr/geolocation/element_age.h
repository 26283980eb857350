// How far orbital elements are from the pass they locate. SGP4's error grows by a kilometre or
// more a day away from the epoch: beyond two weeks the pass's locations are noticeably off, beyond
// two months they are worthless (and a pass dated in the wrong year lands there).
#pragma once

#include <optional>
#include <string>

#include "avhrr/orbit/two_line_elements.h"
#include "avhrr/pass.h"

namespace kestrova::avhrr {

constexpr double kElementsNoteDays = 14;
constexpr double kElementsRefuseDays = 60;

// Days from the set's epoch to the line of the pass furthest from it.
double elementsAgeDays(const TwoLineElements& elements, const Pass& pass);

// What the pass's notes should say about the elements: none within 14 days.
std::optional<std::string> elementsAgeNote(const TwoLineElements& elements, const Pass& pass);

// An Error naming the gap (and where the pass's year came from) beyond 60 days.
void requireElementsNear(const TwoLineElements& elements, const Pass& pass);

}  // namespace kestrova::avhrr
