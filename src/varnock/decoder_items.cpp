#include "varnock/decoder_items.h"

#include <algorithm>
#include <cctype>

#include "settings/product_table.h"

namespace kestrova::varnock {
namespace {

constexpr std::array<int, 3> kDefaultRgb{1, 2, 4};

struct Keyword {
  std::string_view text;
  int value;
};
constexpr std::array<Keyword, 3> kForms{{{"corr", static_cast<int>(PictureForm::Corrected)},
                                         {"apt", static_cast<int>(PictureForm::QuickLook)},
                                         {"", static_cast<int>(PictureForm::Plain)}}};
constexpr std::array<Keyword, 2> kTypes{
    {{".jpg", static_cast<int>(PictureType::Jpeg)}, {".bmp", static_cast<int>(PictureType::Bmp)}}};
constexpr std::array<std::string_view, 3> kFormTags{"", "-corr", "-apt"};
constexpr std::array<std::string_view, 2> kTypeExtensions{".jpg", ".bmp"};

bool sameLetters(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::optional<int> productBySuffix(std::string_view suffix) {
  for (int i = 0; i < kProductCount; ++i)
    if (sameLetters(ProductTable[static_cast<std::size_t>(i)].optionSuffix, suffix)) return i;
  return std::nullopt;
}

[[noreturn]] void refuse(std::string_view argument, const std::string& cause) {
  throw UsageError("'" + std::string(argument) + "': " + cause);
}

// "R1G2B4" -> {1, 2, 4}: the three letters in that order, each before one channel 1-5.
std::array<int, 3> parseChannels(std::string_view argument, std::string_view part) {
  std::array<int, 3> channels{};
  constexpr std::string_view kLetters = "RGB";
  for (std::size_t k = 0; k < 3; ++k) {
    if (part.size() < 2 || !sameLetters(part.substr(0, 1), kLetters.substr(k, 1)))
      refuse(argument, "the channel choice must read R<channel>G<channel>B<channel>, e.g. R1G2B4");
    std::size_t digits = 1;
    while (digits < part.size() && std::isdigit(static_cast<unsigned char>(part[digits]))) ++digits;
    const std::string_view number = part.substr(1, digits - 1);
    if (number.size() != 1 || number[0] < '1' || number[0] > '5')
      refuse(argument, "the " + std::string(1, kLetters[k]) + " channel '" + std::string(number) +
                           "' is not a channel from 1 to 5");
    channels[k] = number[0] - '0';
    part.remove_prefix(digits);
  }
  if (!part.empty()) refuse(argument, "unexpected '" + std::string(part) + "' after the channels");
  return channels;
}

template <std::size_t N>
std::optional<int> keywordAt(const std::array<Keyword, N>& table, std::string_view text) {
  for (const Keyword& k : table)
    if (sameLetters(k.text, text)) return k.value;
  return std::nullopt;
}

}  // namespace

bool isItem(std::string_view argument) {
  const std::size_t colon = argument.find(':');
  return colon != std::string_view::npos && productBySuffix(argument.substr(0, colon)).has_value();
}

Item parseItem(std::string_view argument) {
  const std::size_t colon = argument.find(':');
  const auto product =
      colon == std::string_view::npos ? std::nullopt : productBySuffix(argument.substr(0, colon));
  if (!product) refuse(argument, "not a picture request of the form -<product>:[corr|apt].jpg");
  Item item;
  item.product = *product;
  std::string_view rest = argument.substr(colon + 1);
  if (const std::size_t second = rest.find(':'); second != std::string_view::npos) {
    if (item.product != kRgbProduct) refuse(argument, "only -rgb takes a channel choice");
    item.rgb = parseChannels(argument, rest.substr(0, second));
    rest.remove_prefix(second + 1);
  }
  const std::size_t dot = rest.rfind('.');
  const auto type =
      dot == std::string_view::npos ? std::nullopt : keywordAt(kTypes, rest.substr(dot));
  if (!type) refuse(argument, "the picture type must be .jpg or .bmp");
  const auto form = keywordAt(kForms, rest.substr(0, dot));
  if (!form) refuse(argument, "'" + std::string(rest.substr(0, dot)) + "' is neither corr nor apt");
  item.type = static_cast<PictureType>(*type);
  item.form = static_cast<PictureForm>(*form);
  return item;
}

std::vector<Item> settleItems(std::vector<Item> items) {
  std::optional<std::array<int, 3>> choice;
  for (const Item& item : items) {
    if (!item.rgb) continue;
    if (choice && *choice != *item.rgb)
      throw UsageError("two different channel choices for -rgb would write one picture file");
    choice = item.rgb;
  }
  std::vector<Item> settled;
  for (Item item : items) {
    if (item.product == kRgbProduct) item.rgb = choice.value_or(kDefaultRgb);
    if (std::find(settled.begin(), settled.end(), item) == settled.end()) settled.push_back(item);
  }
  return settled;
}

std::string itemFileName(const std::string& base, const Item& item) {
  return base + std::string(ProductTable[static_cast<std::size_t>(item.product)].fileTag) +
         std::string(kFormTags[static_cast<std::size_t>(item.form)]) +
         std::string(kTypeExtensions[static_cast<std::size_t>(item.type)]);
}

}  // namespace kestrova::varnock
