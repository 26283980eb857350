#include "ui/resources/embedded_pictures.h"

#include "workflow/text_pieces.h"

namespace kestrova {

std::string regionMapResource(int region) {
  return ":/regions/remap" + TwoDigitNumber(region) + ".jpg";
}

}  // namespace kestrova
