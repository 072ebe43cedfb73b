// Pictures of the drawing area written to files: BMP (what Save As writes)
// and PNG, chosen by the caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillon {

enum class PictureFormat { Bmp, Png };

// Writes width x height pixels (4 bytes each: red, green, blue, alpha; rows
// from the top down) to path atomically, as an opaque picture. Throws IoError.
void WritePictureFile(const std::string& path, PictureFormat format, std::int32_t width,
                      std::int32_t height, const std::vector<std::uint8_t>& rgba);

}  // namespace quillon
