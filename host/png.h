// A PNG writer small enough to carry along (png.cpp).
#pragma once
#include <stdint.h>

#include <string>

namespace png {

// rgb holds height rows of width pixels, 3 bytes each (red, green, blue),
// top row first. False when the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const uint8_t* rgb);

}  // namespace png
