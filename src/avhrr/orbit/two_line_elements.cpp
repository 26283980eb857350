#include "avhrr/orbit/two_line_elements.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <span>

#include "base/error.h"

namespace kestrova::avhrr {
namespace {

constexpr std::size_t kLineLength = 69;

// A field of one line, by 1-based columns as element sets are documented.
struct Field {
  int first;
  int last;
  std::string_view what;
};

// Columns that must hold a blank between the fields.
constexpr std::array<int, 8> kLine1Blanks{2, 9, 18, 33, 44, 53, 62, 64};
constexpr std::array<int, 7> kLine2Blanks{2, 8, 17, 26, 34, 43, 52};

class LineReader {
 public:
  LineReader(std::string_view text, int number, const TextPlace& place)
      : text_(text), number_(number), place_(place) {}

  [[noreturn]] void fail(int column, const std::string& cause) const {
    throw Error(std::string(place_.file) + ", line " + std::to_string(place_.line + number_ - 1) +
                ", column " + std::to_string(column) + ": " + cause);
  }

  std::string_view raw(const Field& f) const {
    return text_.substr(static_cast<std::size_t>(f.first - 1),
                        static_cast<std::size_t>(f.last - f.first + 1));
  }

  std::string_view trimmed(const Field& f) const {
    std::string_view s = raw(f);
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
  }

  // A plain decimal number: optional sign, digits, optional point and digits.
  double decimal(const Field& f, bool allowBlank = false) const {
    std::string_view s = trimmed(f);
    if (s.empty() && allowBlank) return 0.0;
    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
      negative = s.front() == '-';
      s.remove_prefix(1);
    }
    const bool shapeOk =
        !s.empty() && std::count(s.begin(), s.end(), '.') <= 1 &&
        std::any_of(s.begin(), s.end(), [](char c) { return std::isdigit(uc(c)); }) &&
        std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(uc(c)) || c == '.'; });
    double value = 0;
    if (!shapeOk || std::from_chars(s.data(), s.data() + s.size(), value).ec != std::errc()) {
      fail(f.first, std::string(f.what) + " \"" + std::string(raw(f)) + "\" is not a number");
    }
    return negative ? -value : value;
  }

  int integer(const Field& f, bool allowBlank = false) const {
    std::string_view s = trimmed(f);
    if (s.empty() && allowBlank) return 0;
    int value = 0;
    const bool digitsOnly =
        !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(uc(c)); });
    if (!digitsOnly || std::from_chars(s.data(), s.data() + s.size(), value).ec != std::errc()) {
      fail(f.first, std::string(f.what) + " \"" + std::string(raw(f)) + "\" is not a whole number");
    }
    return value;
  }

  // Columns 3-7: five digits, or past 99999 a letter and four digits ("Alpha-5": A = 10 ... Z = 33,
  // I and O left out).
  int catalogueNumber() const {
    const Field f{3, 7, "catalogue number"};
    const char first = raw(f)[0];
    if (first < 'A' || first > 'Z') return integer(f);
    if (first == 'I' || first == 'O' || !allDigits(raw(f).substr(1))) {
      fail(3, "catalogue number \"" + std::string(raw(f)) + "\" is not a number");
    }
    const int letter = 10 + (first - 'A') - (first > 'I') - (first > 'O');
    return letter * 10000 + static_cast<int>(digitValue(raw(f).substr(1)));
  }

  // Mantissa with an implied leading point and a one-digit exponent: " 28098-4" = 0.28098e-4.
  double impliedExponent(const Field& f) const {
    const std::string_view s = raw(f);  // 8 columns: sign, 5 digits, exponent sign, digit
    const bool ok = (s[0] == ' ' || s[0] == '+' || s[0] == '-') && allDigits(s.substr(1, 5)) &&
                    (s[6] == '+' || s[6] == '-') && std::isdigit(uc(s[7]));
    if (!ok) {
      fail(f.first,
           std::string(f.what) + " \"" + std::string(s) + "\" is not of the form ±NNNNN±N");
    }
    const double mantissa = digitValue(s.substr(1, 5)) * 1e-5;
    const int exponent = (s[6] == '-' ? -1 : 1) * (s[7] - '0');
    return (s[0] == '-' ? -1.0 : 1.0) * mantissa * std::pow(10.0, exponent);
  }

  // Digits after an implied "0.": eccentricity.
  double impliedFraction(const Field& f) const {
    const std::string_view s = raw(f);
    if (!allDigits(s)) {
      fail(f.first, std::string(f.what) + " \"" + std::string(s) + "\" is not 7 digits");
    }
    return digitValue(s) * std::pow(10.0, -static_cast<double>(s.size()));
  }

  double angle(const Field& f, double maxDeg) const {
    const double value = decimal(f);
    if (value < 0 || value > maxDeg) {
      fail(f.first, std::string(f.what) + " " + std::string(trimmed(f)) + " is outside 0-" +
                        std::to_string(static_cast<int>(maxDeg)) + " degrees");
    }
    return value;
  }

  void checkShape(char lineNumber, std::span<const int> blanks) const {
    if (text_.size() < kLineLength) {
      fail(static_cast<int>(text_.size()) + 1,
           "the line ends after " + std::to_string(text_.size()) + " columns instead of 69");
    }
    if (text_[0] != lineNumber) {
      fail(1,
           std::string("element line ") + lineNumber + " must start with \"" + lineNumber + "\"");
    }
    for (int column : blanks) {
      if (text_[static_cast<std::size_t>(column - 1)] != ' ') {
        fail(column, "expected a blank between the fields");
      }
    }
    const int check = text_[kLineLength - 1] - '0';
    if (check < 0 || check > 9) fail(69, "the checksum is not a digit");
    if (check != tleChecksum(text_)) {
      fail(69, "checksum " + std::to_string(check) + " does not match the line's " +
                   std::to_string(tleChecksum(text_)));
    }
  }

 private:
  static unsigned char uc(char c) { return static_cast<unsigned char>(c); }
  static bool allDigits(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return std::isdigit(uc(c)); });
  }
  static double digitValue(std::string_view s) {
    double v = 0;
    for (char c : s) v = v * 10 + (c - '0');
    return v;
  }

  std::string_view text_;
  int number_;
  const TextPlace& place_;
};

// Drops a CR and blanks after column 69; anything else there is not an element line.
std::string_view withoutLineEnd(std::string_view line, int number, const TextPlace& place) {
  while (line.size() > kLineLength && (line.back() == '\r' || line.back() == ' ')) {
    line.remove_suffix(1);
  }
  if (line.size() > kLineLength) {
    LineReader(line, number, place).fail(70, "unexpected text after column 69");
  }
  return line;
}

std::string trimmedName(std::string_view name) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!name.empty() && blank(name.front())) name.remove_prefix(1);
  while (!name.empty() && blank(name.back())) name.remove_suffix(1);
  // Three-line files put "0 " before the name.
  if (name.size() > 2 && name.substr(0, 2) == "0 ") name.remove_prefix(2);
  return std::string(name);
}

std::int64_t daysToYear(int year) {
  return utcFromYearDay(year, 1, 0) / kMsPerDay;
}

}  // namespace

int tleChecksum(std::string_view line) {
  int sum = 0;
  for (char c : line.substr(0, std::min<std::size_t>(line.size(), kLineLength - 1))) {
    if (c >= '0' && c <= '9') sum += c - '0';
    if (c == '-') sum += 1;
  }
  return sum % 10;
}

double TwoLineElements::epochUnixDays() const {
  return static_cast<double>(daysToYear(epochYear)) + (epochDay - 1.0);
}

UtcMs TwoLineElements::epochUtc() const {
  return static_cast<UtcMs>(std::llround(epochUnixDays() * static_cast<double>(kMsPerDay)));
}

double TwoLineElements::minutesSinceEpoch(UtcMs t) const {
  // Whole days apart first, so the fraction keeps its precision.
  const double days = epochUnixDays();
  const double wholeDays = std::floor(days);
  const auto dayStart = static_cast<UtcMs>(wholeDays) * kMsPerDay;
  return static_cast<double>(t - dayStart) / 60000.0 - (days - wholeDays) * 1440.0;
}

TwoLineElements parseTwoLineElements(std::string_view line1, std::string_view line2,
                                     std::string_view name, const TextPlace& place) {
  const LineReader a(withoutLineEnd(line1, 1, place), 1, place);
  const LineReader b(withoutLineEnd(line2, 2, place), 2, place);
  a.checkShape('1', kLine1Blanks);
  b.checkShape('2', kLine2Blanks);

  TwoLineElements e;
  e.name = trimmedName(name);
  e.catalogueNumber = a.catalogueNumber();
  const int secondNumber = b.catalogueNumber();
  if (secondNumber != e.catalogueNumber) {
    b.fail(3, "catalogue number " + std::to_string(secondNumber) + " differs from line 1's " +
                  std::to_string(e.catalogueNumber));
  }
  e.classification = a.raw({8, 8, ""})[0];
  e.internationalDesignator = std::string(a.trimmed({10, 17, ""}));

  const int year = a.integer({19, 20, "epoch year"});
  e.epochYear = year < 57 ? 2000 + year : 1900 + year;
  e.epochDay = a.decimal({21, 32, "epoch day"});
  if (e.epochDay < 1.0 || e.epochDay >= daysInYear(e.epochYear) + 1.0) {
    a.fail(21, "epoch day " + std::string(a.trimmed({21, 32, ""})) + " is not a day of " +
                   std::to_string(e.epochYear));
  }
  e.meanMotionDot = a.decimal({34, 43, "mean motion derivative"});
  e.meanMotionDdot = a.impliedExponent({45, 52, "mean motion second derivative"});
  e.bstar = a.impliedExponent({54, 61, "drag term"});
  e.ephemerisType = a.integer({63, 63, "ephemeris type"}, true);
  e.elementSetNumber = a.integer({65, 68, "element set number"}, true);

  e.inclinationDeg = b.angle({9, 16, "inclination"}, 180);
  e.ascendingNodeDeg = b.angle({18, 25, "right ascension of the node"}, 360);
  e.eccentricity = b.impliedFraction({27, 33, "eccentricity"});
  e.argumentOfPerigeeDeg = b.angle({35, 42, "argument of perigee"}, 360);
  e.meanAnomalyDeg = b.angle({44, 51, "mean anomaly"}, 360);
  e.meanMotion = b.decimal({53, 63, "mean motion"});
  if (!(e.meanMotion > 0)) b.fail(53, "mean motion must be above zero");
  e.revolutionNumber = b.integer({64, 68, "revolution number"}, true);
  return e;
}

}  // namespace kestrova::avhrr
