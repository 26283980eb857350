#pragma once
#include <QImage>

namespace kestrova::pictures {

// The program icon: a polar orbiter over the globe, 32 × 32 with a 256-colour palette
// (index 0 transparent).
QImage programIcon();

// The same drawing at 256 × 256 in full colour, for desktops that show large icons.
QImage largeProgramIcon();

}  // namespace kestrova::pictures
