#pragma once
// Input/output errors of the configuration file, numbered as the user has always seen them.
#include "base/error.h"

namespace kestrova {

enum IoErrorCode : int {
  kFileNotFound = 2,
  kInvalidFilename = 3,
  kTooManyOpenFiles = 4,
  kFileAccessDenied = 5,
  kReadBeyondEnd = 100,
  kDiskFull = 101,
  kInvalidNumericInput = 106,
};

class IoError : public Error {
 public:
  explicit IoError(int code);
  IoError(int code, const std::string& text) : Error(text), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

// "File not found", ..., or "I/O error N" for a number without a text of its own.
std::string ioErrorText(int code);

// The error a failed system call's errno stands for. An errno without a number of its own keeps
// its value and reads "I/O error <errno>", even where that value means something else here.
IoError ioErrorFromErrno(int err);

}  // namespace kestrova
