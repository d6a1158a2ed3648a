// Writes 0xAARRGGBB pixels as a PNG file (screenshots, generated content).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

bool WritePngFile(const std::string& path, int width, int height,
                  const std::vector<uint32_t>& pixels, std::string* error);
