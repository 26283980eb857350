// The pictures of one product: the corrected and quick-look forms derived from its plain
// picture, each turned last when north is to be up, encoded and staged.
#pragma once

#include <string>
#include <vector>

#include "products/pass_products.h"
#include "varnock/decoder_items.h"
#include "varnock/staged_files.h"

namespace kestrova::varnock {

struct PictureJob {
  products::ProductChoice choice;
  std::vector<Item> items;  // the files wanted of it
};

// The items grouped by the product (and channel choice) they need, in the order first asked.
std::vector<PictureJob> pictureJobs(const std::vector<Item>& items);

// JPEG quality 90 with 2x2 chroma subsampling, or BMP.
std::vector<std::uint8_t> encodePicture(const Image& image, PictureType type);

// Stages every file of the job under base from its plain picture; returns the picture's notes.
std::vector<std::string> makePictures(const PictureJob& job, products::Picture plain,
                                      const products::PassProducts& maker, bool turned,
                                      const std::string& base, StagedFiles& files);

}  // namespace kestrova::varnock
