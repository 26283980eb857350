#include "ui/html_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>

namespace kestrova::ui {
namespace {

struct NamedReference {
  std::string_view name;
  std::string_view bytes;
};
constexpr std::array kNamedReferences{
    NamedReference{"amp", "&"},   NamedReference{"lt", "<"},   NamedReference{"gt", ">"},
    NamedReference{"quot", "\""}, NamedReference{"apos", "'"}, NamedReference{"nbsp", "\xC2\xA0"},
};

constexpr std::size_t kLongestReference = 10;  // "&#x10FFFF;" without the ampersand
constexpr std::uint32_t kLastCodePoint = 0x10FFFF;

bool isSurrogate(std::uint32_t c) {
  return c >= 0xD800 && c <= 0xDFFF;
}

void appendUtf8(std::string& out, std::uint32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// The bytes for the reference body between '&' and ';', or false when it names nothing.
bool decodeReference(std::string_view body, std::string& out) {
  for (const NamedReference& ref : kNamedReferences)
    if (ref.name == body) {
      out += ref.bytes;
      return true;
    }
  if (body.size() < 2 || body[0] != '#') return false;
  const bool hex = body[1] == 'x' || body[1] == 'X';
  std::string_view digits = body.substr(hex ? 2 : 1);
  std::uint32_t code = 0;
  auto [end, error] =
      std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
  if (error != std::errc() || end != digits.data() + digits.size() || digits.empty()) return false;
  if (code == 0 || code > kLastCodePoint || isSurrogate(code)) return false;
  appendUtf8(out, code);
  return true;
}

}  // namespace

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string lowerAscii(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = lowerAscii(c);
  return out;
}

std::string decodeCharacterReferences(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t amp = text.find('&', pos);
    if (amp == std::string_view::npos) break;
    out += text.substr(pos, amp - pos);
    const std::size_t semi = text.substr(amp + 1, kLongestReference + 1).find(';');
    if (semi == std::string_view::npos || !decodeReference(text.substr(amp + 1, semi), out)) {
      out += '&';
      pos = amp + 1;
      continue;
    }
    pos = amp + 1 + semi + 1;
  }
  out += text.substr(std::min(pos, text.size()));
  return out;
}

std::string_view withoutArchivePrefix(std::string_view local) {
  const std::size_t separator = local.find("::");
  return separator == std::string_view::npos ? local : local.substr(separator + 2);
}

}  // namespace kestrova::ui
