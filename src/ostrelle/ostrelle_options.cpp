#include "ostrelle/ostrelle_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <optional>

namespace kestrova::ostrelle {
namespace {

enum class Key { Lcn, In, Out, Lat1, Lat2, Lon1, Lon2, Width, Height, Proj };

struct OptionName {
  std::string_view name;  // as the front end spells it
  Key key;
};

constexpr std::array<OptionName, 10> kOptions = {{
    {"-LCN:", Key::Lcn},
    {"-IN:", Key::In},
    {"-OUT:", Key::Out},
    {"-lat1:", Key::Lat1},
    {"-lat2:", Key::Lat2},
    {"-lon1:", Key::Lon1},
    {"-lon2:", Key::Lon2},
    {"-width:", Key::Width},
    {"-height:", Key::Height},
    {"-proj:", Key::Proj},
}};

bool startsWithLetters(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
           return std::tolower(static_cast<unsigned char>(a)) ==
                  std::tolower(static_cast<unsigned char>(b));
         });
}

std::string quoted(std::string_view name, const std::string& value) {
  return std::string(name) + " '" + value + "'";
}

bool digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// An optional sign, digits, an optional decimal point with more digits; at least one digit.
double decimal(std::string_view name, const std::string& value) {
  std::string_view text = value;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.size() + fraction.size() == 0 || !digits(whole) || !digits(fraction))
    throw OptionError(quoted(name, value) + " is not a decimal number");
  double number = 0;
  const std::string plain = value.front() == '+' ? value.substr(1) : value;
  std::from_chars(plain.data(), plain.data() + plain.size(), number);
  return number;
}

void checkRange(std::string_view name, const std::string& value, double number, double limit) {
  if (number < -limit || number > limit)
    throw OptionError(quoted(name, value) + " is outside -" + std::to_string(int(limit)) + ".." +
                      std::to_string(int(limit)));
}

int side(std::string_view name, const std::string& value) {
  int number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || !digits(value) || error != std::errc() || number < 1 ||
      number > kMaxCanvasSide)
    throw OptionError(quoted(name, value) + " is not a whole number of pixels from 1 to " +
                      std::to_string(kMaxCanvasSide));
  return number;
}

}  // namespace

OstrelleOptions parseOstrelleOptions(std::span<const std::string> arguments) {
  std::array<std::optional<std::string>, kOptions.size()> values;
  for (const std::string& argument : arguments) {
    const auto option = std::find_if(kOptions.begin(), kOptions.end(), [&](const OptionName& o) {
      return startsWithLetters(argument, o.name);
    });
    if (option == kOptions.end()) throw OptionError("Unknown option '" + argument + "'");
    auto& slot = values[static_cast<std::size_t>(option - kOptions.begin())];
    if (slot) throw OptionError("The option " + std::string(option->name) + " is given twice");
    slot = argument.substr(option->name.size());
  }
  auto value = [&](Key key) -> const std::string& {
    const auto i = static_cast<std::size_t>(key);
    if (!values[i])
      throw OptionError("The option " + std::string(kOptions[i].name) + " is missing");
    return *values[i];
  };
  auto name = [](Key key) { return kOptions[static_cast<std::size_t>(key)].name; };
  for (Key key : {Key::Lcn, Key::In, Key::Out}) {
    if (value(key).empty())
      throw OptionError("The option " + std::string(name(key)) + " names no file");
  }

  OstrelleOptions o;
  o.locationFile = value(Key::Lcn);
  o.input = value(Key::In);
  o.output = value(Key::Out);
  try {
    o.projection = projectionFromName(value(Key::Proj));
  } catch (const Error&) {
    throw OptionError(quoted(name(Key::Proj), value(Key::Proj)) +
                      " is not a projection: use Polar, Linear or Mercator");
  }
  const double latitudeLimit = o.projection == Projection::Mercator ? 85 : 90;
  double* const bounds[] = {&o.box.north, &o.box.south, &o.box.west, &o.box.east};
  const Key boundKeys[] = {Key::Lat1, Key::Lat2, Key::Lon1, Key::Lon2};
  for (int i = 0; i < 4; ++i) {
    const Key key = boundKeys[i];
    *bounds[i] = decimal(name(key), value(key));
    checkRange(name(key), value(key), *bounds[i], i < 2 ? latitudeLimit : 360);
  }
  if (o.box.north <= o.box.south)
    throw OptionError("The north bound " + quoted(name(Key::Lat1), value(Key::Lat1)) +
                      " is not above the south bound " + quoted(name(Key::Lat2), value(Key::Lat2)));
  if (longitudeSpan(o.box) == 0)
    throw OptionError("The west bound " + quoted(name(Key::Lon1), value(Key::Lon1)) +
                      " and the east bound " + quoted(name(Key::Lon2), value(Key::Lon2)) +
                      " are the same meridian");
  o.width = side(name(Key::Width), value(Key::Width));
  o.height = side(name(Key::Height), value(Key::Height));
  try {
    MapView(o.projection, o.box, o.width, o.height);
  } catch (const Error& e) {
    throw OptionError(std::string(e.what()) + " (" + value(Key::Proj) + ")");
  }
  return o;
}

}  // namespace kestrova::ostrelle
