// libFuzzer harness for DecodePicture: any input must either be refused or
// give a picture within the size limits whose pixel count matches its size.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/image_loading.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedPicture picture;
  std::string error;
  if (DecodePicture(data, size, &picture, &error)) {
    if (picture.width <= 0 || picture.height <= 0 || picture.width > 8192 ||
        picture.height > 8192 ||
        picture.pixels.size() != static_cast<size_t>(picture.width) * picture.height) {
      std::abort();
    }
    if (!picture.hasAlpha) {
      for (uint32_t px : picture.pixels) {
        if ((px >> 24) != 0xFF) std::abort();  // no alpha channel means opaque
      }
    }
  } else if (error.empty()) {
    std::abort();
  }
  return 0;
}
