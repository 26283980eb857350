#pragma once
// The full command lines of the decoder and the remapper.
//
// Each is built twice from the same pieces: as the text the window shows (plain concatenation,
// every path in double quotes, nothing escaped or trimmed) and as the argument vector that is
// started, where each quoted piece is one argument without its quotes. A file name holding
// quotes or spaces therefore never becomes an extra option.
#include <string>
#include <vector>

#include "commands/batch_strings.h"

namespace kestrova {

struct CommandLine {
  std::string display;
  std::vector<std::string> arguments;  // arguments[0] is the program
};

struct DecoderCommandInput {
  std::string decoderFolder;
  std::string inputPath;
  std::string direction;  // "south" or "north"
  std::string activeImageFolder;
  std::string baseName;
  std::string decoderOptions;  // the stored batch string, appended unchanged
};

CommandLine buildDecoderCommand(const DecoderCommandInput& input);

struct RemapCommandInput {
  std::string remapperFolder;
  std::string locationFile;
  std::string remapInput;
  std::string remapOutput;
  MapRequest map;  // the live controls' texts
};

CommandLine buildRemapCommand(const RemapCommandInput& input);

}  // namespace kestrova
