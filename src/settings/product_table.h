#pragma once
// The twelve image products the decoder can make. The index (0-11) is a product's identity in the
// flag arrays, in the configuration file and in the names of its four panel controls.
#include <array>
#include <string_view>

namespace kestrova {

struct Product {
  std::string_view caption;       // enable box caption on the configuration panel
  std::string_view optionSuffix;  // the product's token in the decoder batch string
  std::string_view fileTag;       // the product's tag in derived file names
};

inline constexpr int kProductCount = 12;
inline constexpr int kRgbProduct = 6;  // the product that carries the three channel choices

extern const std::array<Product, kProductCount> ProductTable;

}  // namespace kestrova
