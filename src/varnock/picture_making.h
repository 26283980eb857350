// The pictures of one product: its plain picture made once, the corrected and quick-look forms
// derived from it, each turned last when north is to be up, encoded and staged.
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

// Stages every file of the job under base; returns the product's notes for the user.
std::vector<std::string> makePictures(const PictureJob& job, const products::PassProducts& maker,
                                      bool turned, const std::string& base, StagedFiles& files);

}  // namespace kestrova::varnock
