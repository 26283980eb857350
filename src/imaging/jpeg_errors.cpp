#include "imaging/jpeg_errors.h"

#include <jerror.h>

#include <algorithm>
#include <array>

namespace kestrova {
namespace {

// Warnings about markers we do not use; the pixels are sound, so these are let through.
constexpr std::array kHarmlessWarnings{static_cast<int>(JWRN_JFIF_MAJOR),
                                       static_cast<int>(JWRN_ADOBE_XFORM)};

[[noreturn]] void fail(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  errors->manager.format_message(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void onMessage(j_common_ptr cinfo, int level) {
  // Levels 0 and above are trace output; below 0 is a warning.
  if (level >= 0) return;
  const auto& harmless = kHarmlessWarnings;
  if (std::find(harmless.begin(), harmless.end(), cinfo->err->msg_code) != harmless.end()) return;
  fail(cinfo);
}

void silent(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* installJpegErrors(JpegErrors& errors) {
  jpeg_std_error(&errors.manager);
  errors.manager.error_exit = fail;
  errors.manager.emit_message = onMessage;
  errors.manager.output_message = silent;
  errors.message[0] = '\0';
  return &errors.manager;
}

}  // namespace kestrova
