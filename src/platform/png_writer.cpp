#include "platform/png_writer.h"

#include <png.h>

#include <cstring>

bool WritePngFile(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels, std::string* error) {
  if (width <= 0 || height <= 0 ||
      pixels.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    *error = "no picture to write";
    return false;
  }
  std::vector<uint8_t> rgba(pixels.size() * 4);
  for (size_t i = 0; i < pixels.size(); ++i) {
    uint32_t p = pixels[i];
    rgba[i * 4 + 0] = static_cast<uint8_t>(p >> 16);
    rgba[i * 4 + 1] = static_cast<uint8_t>(p >> 8);
    rgba[i * 4 + 2] = static_cast<uint8_t>(p);
    rgba[i * 4 + 3] = static_cast<uint8_t>(p >> 24);
  }
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_RGBA;
  if (!png_image_write_to_file(&image, path.c_str(), 0, rgba.data(), 0, nullptr)) {
    *error = image.message[0] ? image.message : "cannot write the file";
    png_image_free(&image);
    return false;
  }
  return true;
}
