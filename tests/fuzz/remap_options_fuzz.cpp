// Any bytes as Ostrelle.exe's command line (arguments split at line feeds): the option parser
// must accept or refuse with OptionError, never crash, and what it accepts must be a map the
// projection can draw.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ostrelle/ostrelle_options.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kestrova;
  std::vector<std::string> arguments(1);
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == '\n')
      arguments.emplace_back();
    else
      arguments.back() += static_cast<char>(data[i]);
  }
  ostrelle::OstrelleOptions options;
  try {
    options = ostrelle::parseOstrelleOptions(arguments);
  } catch (const ostrelle::OptionError&) {
    return 0;
  }
  if (!(options.box.north > options.box.south) || options.width < 1 || options.height < 1 ||
      options.width > kMaxCanvasSide || options.height > kMaxCanvasSide ||
      options.locationFile.empty() || options.input.empty() || options.output.empty())
    std::abort();
  const MapView view(options.projection, options.box, options.width, options.height);
  (void)view.toLatLon({options.width / 2.0, options.height / 2.0});
  return 0;
}
