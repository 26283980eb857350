#include "varnock/picture_making.h"

#include <algorithm>

#include "imaging/bmp_writer.h"
#include "imaging/jpeg_writer.h"

namespace kestrova::varnock {

std::vector<PictureJob> pictureJobs(const std::vector<Item>& items) {
  std::vector<PictureJob> jobs;
  for (const Item& item : items) {
    products::ProductChoice choice;
    choice.product = item.product;
    if (item.rgb) choice.rgb = *item.rgb;
    const auto same = [&](const PictureJob& job) {
      return job.choice.product == choice.product && job.choice.rgb == choice.rgb;
    };
    auto job = std::find_if(jobs.begin(), jobs.end(), same);
    if (job == jobs.end()) job = jobs.insert(jobs.end(), PictureJob{choice, {}});
    job->items.push_back(item);
  }
  return jobs;
}

std::vector<std::uint8_t> encodePicture(const Image& image, PictureType type) {
  if (type == PictureType::Bmp) return encodeBmp(image);
  JpegWriteOptions options;
  options.quality = 90;
  options.chroma = ChromaSubsampling::TwoByTwo;
  return encodeJpeg(image, options);
}

std::vector<std::string> makePictures(const PictureJob& job, products::Picture plain,
                                      const products::PassProducts& maker, bool turned,
                                      const std::string& base, StagedFiles& files) {
  // The derived forms first, from the picture as received; the plain one is turned last, in place.
  for (PictureForm form : {PictureForm::Corrected, PictureForm::QuickLook}) {
    const bool wanted = std::any_of(job.items.begin(), job.items.end(),
                                    [&](const Item& item) { return item.form == form; });
    if (!wanted) continue;
    Image derived = form == PictureForm::Corrected ? maker.corrected(plain.image)
                                                   : products::quickLook(plain.image);
    if (turned) products::turn180(derived);
    for (const Item& item : job.items)
      if (item.form == form)
        files.stage(itemFileName(base, item), encodePicture(derived, item.type));
  }
  if (turned) products::turn180(plain.image);
  for (const Item& item : job.items)
    if (item.form == PictureForm::Plain)
      files.stage(itemFileName(base, item), encodePicture(plain.image, item.type));
  return plain.notes;
}

}  // namespace kestrova::varnock
