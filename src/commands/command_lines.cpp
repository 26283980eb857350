#include "commands/command_lines.h"

#include "commands/argument_split.h"
#include "commands/program_names.h"

namespace kestrova {
namespace {

std::string quoted(const std::string& text) {
  return "\"" + text + "\"";
}

// The quoted pieces of a line, each also one argument.
CommandLine quotedPieces(const std::vector<std::string>& pieces) {
  CommandLine line;
  for (const std::string& piece : pieces) {
    if (!line.display.empty()) line.display += ' ';
    line.display += quoted(piece);
    line.arguments.push_back(piece);
  }
  return line;
}

}  // namespace

CommandLine buildDecoderCommand(const DecoderCommandInput& in) {
  CommandLine line = quotedPieces({in.decoderFolder + kDecoderProgram, in.inputPath});
  std::string direction = "-direction:" + in.direction;
  std::string output = "-output:" + in.activeImageFolder + in.baseName;
  line.display += " " + direction + " " + quoted(output) + " " + in.decoderOptions;
  line.arguments.push_back(direction);
  line.arguments.push_back(output);
  for (std::string& option : splitArguments(in.decoderOptions))
    line.arguments.push_back(std::move(option));
  return line;
}

CommandLine buildRemapCommand(const RemapCommandInput& in) {
  CommandLine line = quotedPieces({in.remapperFolder + kRemapperProgram, "-LCN:" + in.locationFile,
                                   "-IN:" + in.remapInput, "-OUT:" + in.remapOutput});
  line.display += buildRemapOptions(in.map);
  for (std::string& option : remapOptionArguments(in.map))
    line.arguments.push_back(std::move(option));
  return line;
}

}  // namespace kestrova
