// The picture requests of a decoder command line, as the front end's batch string composes them:
// -<option suffix>:[R<c>G<c>B<c>:][corr|apt](.jpg|.bmp), and the file each one names.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/error.h"

namespace kestrova::varnock {

// A command line the program cannot run; the message names the argument. Exit status 2.
class UsageError : public Error {
 public:
  using Error::Error;
};

enum class PictureForm { Plain, Corrected, QuickLook };
enum class PictureType { Jpeg, Bmp };

struct Item {
  int product = 5;                        // index into ProductTable
  std::optional<std::array<int, 3>> rgb;  // the RGB product's channels when the item names them
  PictureForm form = PictureForm::Plain;
  PictureType type = PictureType::Jpeg;

  bool operator==(const Item&) const = default;
};

// Whether an argument has the shape of an item: a product's option suffix and a colon.
bool isItem(std::string_view argument);

// Reads one item; throws UsageError naming the argument and what is wrong with it.
Item parseItem(std::string_view argument);

// The channels every RGB item gets: the one choice the items name (items without a choice
// follow it), 1-2-4 when none names one. Two different choices would make two pictures under
// one name: a UsageError. Then drops repeated requests, keeping the first.
std::vector<Item> settleItems(std::vector<Item> items);

// <base> + the product's file tag + "" | "-corr" | "-apt" + ".jpg" | ".bmp".
std::string itemFileName(const std::string& base, const Item& item);

}  // namespace kestrova::varnock
