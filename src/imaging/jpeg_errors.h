#pragma once
// libjpeg reports failures through C callbacks. Throwing through its C frames is unsafe, so the
// callbacks longjmp back into jpegGuarded, which throws Error with libjpeg's own message text
// once it is back in C++. Warnings about damaged data count as failures: libjpeg would otherwise
// fill a truncated or corrupt picture with grey and call it a success.
#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

#include "base/error.h"

namespace kestrova {

struct JpegErrors {
  jpeg_error_mgr manager;  // first, so libjpeg's pointer to it is also a pointer to this
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

// Sets errors up and returns what goes into cinfo.err before jpeg_create_*.
jpeg_error_mgr* installJpegErrors(JpegErrors& errors);

// Runs body, which calls libjpeg. body must own nothing with a destructor: a failure longjmps out
// of it. Raises Error with libjpeg's message on failure.
template <class Body>
void jpegGuarded(JpegErrors& errors, Body&& body) {
  if (setjmp(errors.jump) == 0) {
    body();
    return;
  }
  throw Error(errors.message);
}

}  // namespace kestrova
