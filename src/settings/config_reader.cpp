#include "settings/config_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "base/decimal.h"
#include "settings/config_layout.h"
#include "settings/io_error.h"

namespace kestrova {
namespace {

constexpr char kEndOfFile = 26;
constexpr std::size_t kMaxIntegerToken = 32;

bool isBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

class LineScanner {
 public:
  explicit LineScanner(std::string_view bytes) : data_(bytes.substr(0, bytes.find(kEndOfFile))) {}

  std::string text() {
    std::size_t start = pos_;
    while (pos_ < data_.size() && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    std::string line(data_.substr(start, pos_ - start));
    skipLineEnd();
    return line;
  }

  // The token of an integer line, empty at the end of the data.
  std::string_view integerToken() {
    while (pos_ < data_.size() && isBlank(data_[pos_])) ++pos_;
    std::size_t start = pos_;
    while (pos_ < data_.size() && pos_ - start < kMaxIntegerToken && !isBlank(data_[pos_])) ++pos_;
    std::string_view token = data_.substr(start, pos_ - start);
    while (pos_ < data_.size() && data_[pos_] != '\r' && data_[pos_] != '\n') ++pos_;
    skipLineEnd();
    return token;
  }

 private:
  void skipLineEnd() {
    if (pos_ < data_.size() && data_[pos_] == '\r') ++pos_;
    if (pos_ < data_.size() && data_[pos_] == '\n') ++pos_;
  }

  std::string_view data_;
  std::size_t pos_ = 0;
};

struct Range {
  int line;
  const char* what;
  int last;
};
constexpr Range kRanges[] = {{ConfigLine::remapSource, "remap source", kProductCount - 1},
                             {ConfigLine::region, "region", kRegionCount - 1}};

std::optional<ConfigStop> outOfRange(int line, int value) {
  for (const Range& range : kRanges) {
    if (range.line != line || (value >= 0 && value <= range.last)) continue;
    return ConfigStop{line, 0,
                      std::string(kConfigFileName) + " line " + std::to_string(line) + ": " +
                          range.what + " " + std::to_string(value) + " is outside 0-" +
                          std::to_string(range.last)};
  }
  return std::nullopt;
}

}  // namespace

void ConfigStop::raise() const {
  if (ioCode != 0) throw IoError(ioCode);
  throw Error(message);
}

ConfigReadResult parseConfig(std::string_view bytes) {
  ConfigReadResult result;
  LineScanner scanner(bytes);
  for (int line = 1; line <= kConfigLineCount; ++line) {
    if (isTextLine(line)) {
      textField(result.values, line) = scanner.text();
    } else {
      std::string_view token = scanner.integerToken();
      std::optional<std::int32_t> value = token.empty() ? 0 : parseInt32(token);
      if (!value) {
        result.stop = ConfigStop{line, kInvalidNumericInput, ioErrorText(kInvalidNumericInput)};
        return result;
      }
      if ((result.stop = outOfRange(line, *value))) return result;
      integerField(result.values, line) = *value;
    }
    result.linesRead = line;
  }
  return result;
}

std::optional<ConfigReadResult> readConfigFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw ioErrorFromErrno(errno);
  std::string bytes;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      throw ioErrorFromErrno(err);
    }
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return parseConfig(bytes);
}

}  // namespace kestrova
