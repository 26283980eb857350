#include "workflow/derived_names.h"

#include <algorithm>

#include "settings/product_table.h"
#include "workflow/text_pieces.h"

namespace kestrova {
namespace {

std::string asciiLower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

}  // namespace

bool isGacEntry(const std::string& entryText) {
  return asciiLower(tailChars(entryText, 3)) == "gac";
}

Pick derivePick(const PickInput& in) {
  const std::string& text = in.entryText;
  // 1-based position of the first ".", 0 when there is none.
  std::size_t dot = text.find('.');
  int position = dot == std::string::npos ? 0 : static_cast<int>(dot) + 1;

  Pick pick;
  DerivedNames& n = pick.names;
  bool endsWithSeparator = !in.listFolder.empty() && in.listFolder.back() == '/';
  n.inputPath = in.listFolder + (endsWithSeparator ? "" : "/") + text;
  n.baseName = headChars(text, position - 1);

  std::string image = in.activeImageFolder + n.baseName;
  std::string tag(ProductTable[in.remapSource].fileTag);
  n.locationFile = image + ".lcn";
  n.remapInput = image + tag + ".jpg";
  n.remapOutput = image + tag + "-" + in.projectionText + ".jpg";
  n.thumbPath = in.listFolder + "/" + n.baseName + ".thumb.jpg";
  n.aptPreviewPath = image + tag + "-apt.jpg";
  n.gacPreviewPath = image + tag + ".jpg";
  pick.isGac = isGacEntry(text);
  return pick;
}

}  // namespace kestrova
