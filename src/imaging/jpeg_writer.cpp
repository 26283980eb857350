#include "imaging/jpeg_writer.h"

#include <jerror.h>

#include <algorithm>
#include <new>

#include "imaging/jpeg_errors.h"
#include "imaging/picture_file.h"

namespace kestrova {
namespace {

// A libjpeg destination that appends to a byte vector, doubling it as it fills.
struct VectorDestination {
  jpeg_destination_mgr manager;  // first, so libjpeg's pointer to it is also a pointer to this
  std::vector<std::uint8_t>* bytes;

  static VectorDestination& of(j_compress_ptr cinfo) {
    return *reinterpret_cast<VectorDestination*>(cinfo->dest);
  }
  static void start(j_compress_ptr cinfo) { grow(cinfo, 0, 1 << 16); }
  static boolean empty(j_compress_ptr cinfo) {
    std::size_t used = of(cinfo).bytes->size();
    grow(cinfo, used, used * 2);
    return TRUE;
  }
  static void finish(j_compress_ptr cinfo) {
    VectorDestination& self = of(cinfo);
    self.bytes->resize(self.bytes->size() - self.manager.free_in_buffer);
  }
  // A failed allocation must not throw through libjpeg's C frames: it becomes libjpeg's error.
  static void grow(j_compress_ptr cinfo, std::size_t used, std::size_t size) {
    VectorDestination& self = of(cinfo);
    bool grown = true;
    try {
      self.bytes->resize(size);
    } catch (const std::bad_alloc&) {
      grown = false;
    }
    if (!grown) ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 0);
    self.manager.next_output_byte = self.bytes->data() + used;
    self.manager.free_in_buffer = size - used;
  }
};

struct CompressState {
  JpegErrors errors;
  jpeg_compress_struct cinfo{};
  VectorDestination destination{};
  CompressState() { cinfo.err = installJpegErrors(errors); }
  ~CompressState() { jpeg_destroy_compress(&cinfo); }
  CompressState(const CompressState&) = delete;
  CompressState& operator=(const CompressState&) = delete;
};

void configure(jpeg_compress_struct& cinfo, const Image& image, const JpegWriteOptions& options) {
  const bool grey = image.format == PixelFormat::Grey8;
  cinfo.image_width = static_cast<JDIMENSION>(image.width);
  cinfo.image_height = static_cast<JDIMENSION>(image.height);
  cinfo.input_components = image.channels();
  cinfo.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, options.quality, TRUE);
  cinfo.write_JFIF_header = TRUE;
  if (!grey) {
    const int luma = options.chroma == ChromaSubsampling::TwoByTwo ? 2 : 1;
    cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = luma;
    for (int i = 1; i < 3; ++i)
      cinfo.comp_info[i].h_samp_factor = cinfo.comp_info[i].v_samp_factor = 1;
  }
  if (options.progressive) jpeg_simple_progression(&cinfo);
}

// Nothing here may own memory (see jpegGuarded).
void compress(jpeg_compress_struct& cinfo, const Image& image) {
  jpeg_start_compress(&cinfo, TRUE);
  constexpr int kRowsPerCall = 16;
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW rows[kRowsPerCall];
    int first = static_cast<int>(cinfo.next_scanline);
    int count = std::min(kRowsPerCall, image.height - first);
    // libjpeg reads the rows only; its interface predates const.
    for (int i = 0; i < count; ++i) rows[i] = const_cast<JSAMPROW>(image.row(first + i));
    jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&cinfo);
}

}  // namespace

std::vector<std::uint8_t> encodeJpeg(const Image& image, const JpegWriteOptions& options) {
  if (options.quality < 1 || options.quality > 100)
    throw Error("JPEG quality " + std::to_string(options.quality) + " is outside 1 to 100");
  checkImageLayout(image);
  std::vector<std::uint8_t> bytes;
  CompressState state;
  state.destination.bytes = &bytes;
  state.destination.manager.init_destination = VectorDestination::start;
  state.destination.manager.empty_output_buffer = VectorDestination::empty;
  state.destination.manager.term_destination = VectorDestination::finish;
  jpegGuarded(state.errors, [&] {
    jpeg_create_compress(&state.cinfo);
    state.cinfo.dest = &state.destination.manager;
    configure(state.cinfo, image, options);
    compress(state.cinfo, image);
  });
  return bytes;
}

void writeJpegFile(const std::string& path, const Image& image, const JpegWriteOptions& options) {
  writePictureFile(path, encodeJpeg(image, options));
}

}  // namespace kestrova
