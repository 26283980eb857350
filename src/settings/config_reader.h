#pragma once
// Reading kestrova.cfg.
//
// The reader only decodes: it returns the values in line order and, when a line cannot be taken,
// where and why the read stopped. The window applies the values with their side effects on the
// controls and then reports the stop, so a bad line leaves everything before it applied.
#include <optional>
#include <string>
#include <string_view>

#include "settings/stored_settings.h"

namespace kestrova {

struct ConfigStop {
  int line = 0;
  int ioCode = 0;  // the I/O error number, or 0 for a value outside its range
  std::string message;

  // Throws the error the stop stands for: IoError with ioCode, or Error.
  [[noreturn]] void raise() const;
};

struct ConfigReadResult {
  StoredSettings values;  // the file's values for the lines read; defaults after them
  int linesRead = 0;      // lines 1..linesRead were read
  std::optional<ConfigStop> stop;

  bool has(int line) const { return line <= linesRead; }
};

// Decodes the bytes of a configuration file.
//  - A text line runs to the next CR or LF; an LF right after a CR belongs to the same line end.
//  - An integer line first skips every byte up to and including space (blank lines too), takes
//    the next run of at most 32 bytes above space as an optionally signed decimal integer, and
//    discards the rest of that line. A token that is no 32-bit integer stops the read with I/O
//    error 106 at its line.
//  - At the end of the data a text reads as "" and an integer as 0. Byte 26 ends the data.
//  - remapSource outside 0-11 and region outside 0-19 stop the read at their line.
//  - Lines after the 56th are ignored.
ConfigReadResult parseConfig(std::string_view bytes);

// Reads and decodes the file at path; std::nullopt when no such file exists (a folder of that
// name does not count). A file that cannot be opened or read raises IoError.
std::optional<ConfigReadResult> readConfigFile(const std::string& path);

}  // namespace kestrova
