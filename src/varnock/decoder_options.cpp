#include "varnock/decoder_options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace kestrova::varnock {
namespace {

std::string lowered(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

[[noreturn]] void refuse(const std::string& argument, const std::string& cause) {
  throw UsageError("'" + argument + "': " + cause);
}

void setOnce(bool& seen, const std::string& argument) {
  if (seen) refuse(argument, "given twice");
  seen = true;
}

Direction parseDirection(const std::string& argument, std::string_view value) {
  const std::string v = lowered(value);
  if (v == "south") return Direction::South;
  if (v == "north") return Direction::North;
  refuse(argument, "the direction must be south or north");
}

}  // namespace

DecoderOptions parseDecoderOptions(const std::vector<std::string>& arguments) {
  DecoderOptions options;
  bool haveData = false, haveOutput = false, haveDirection = false, haveClose = false,
       haveMin = false;
  std::vector<Item> items;
  for (const std::string& argument : arguments) {
    const std::string lower = lowered(argument);
    if (argument.empty() || argument[0] != '-') {
      if (haveData) refuse(argument, "a second data file (one pass is decoded at a time)");
      haveData = true;
      if (argument.empty()) refuse(argument, "the data file name is empty");
      options.dataFile = argument;
    } else if (lower.starts_with("-direction:")) {
      setOnce(haveDirection, argument);
      options.direction = parseDirection(argument, argument.substr(11));
    } else if (lower.starts_with("-output:")) {
      setOnce(haveOutput, argument);
      options.outputBase = argument.substr(8);
      if (options.outputBase.empty()) refuse(argument, "the output base name is empty");
    } else if (lower == "-close") {
      setOnce(haveClose, argument);
      options.close = true;
    } else if (lower == "-min") {
      setOnce(haveMin, argument);
      options.minimised = true;
    } else if (isItem(argument)) {
      items.push_back(parseItem(argument));
    } else {
      refuse(argument, "unknown option");
    }
  }
  if (!haveData) throw UsageError("no data file given");
  if (!haveOutput) throw UsageError("no -output:<folder and base name> given");
  if (items.empty()) throw UsageError("no picture requested (e.g. -fc:.jpg)");
  options.items = settleItems(std::move(items));
  return options;
}

std::string usageText() {
  return "usage: Varnock.exe <data file> -direction:south|north -output:<folder/base> "
         "-<product>:[R<c>G<c>B<c>:][corr|apt].jpg|.bmp ... [-close] [-min]";
}

}  // namespace kestrova::varnock
