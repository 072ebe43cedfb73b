#include "offscreen_test_support.h"

namespace quillon::testing {

std::unique_ptr<OffscreenContext> MakeTestContext(std::int32_t width, std::int32_t height) {
  try {
    return std::make_unique<OffscreenContext>(width, height);
  } catch (const OffscreenError& error) {
    ADD_FAILURE() << "no off-screen OpenGL context: " << error.what();
    return nullptr;
  }
}

std::int32_t CountNonWhiteInRow(const FrameImage& image, std::int32_t y) {
  std::int32_t count = 0;
  for (std::int32_t x = 0; x < image.Width; ++x) {
    count += RgbAt(image, x, y) != (kWhite >> 8) ? 1 : 0;
  }
  return count;
}

std::int32_t CountNonWhiteInColumn(const FrameImage& image, std::int32_t x) {
  std::int32_t count = 0;
  for (std::int32_t y = 0; y < image.Height; ++y) {
    count += RgbAt(image, x, y) != (kWhite >> 8) ? 1 : 0;
  }
  return count;
}

std::int64_t CountNonWhite(const FrameImage& image) {
  std::int64_t count = 0;
  for (std::int32_t y = 0; y < image.Height; ++y) {
    count += CountNonWhiteInRow(image, y);
  }
  return count;
}

std::pair<std::int32_t, std::int32_t> NonWhiteRowRange(const FrameImage& image) {
  std::pair<std::int32_t, std::int32_t> range{-1, -1};
  for (std::int32_t y = 0; y < image.Height; ++y) {
    if (CountNonWhiteInRow(image, y) > 0) {
      if (range.first < 0) {
        range.first = y;
      }
      range.second = y;
    }
  }
  return range;
}

bool IsOpaque(const FrameImage& image) {
  for (std::size_t at = 3; at < image.Rgba.size(); at += 4) {
    if (image.Rgba[at] != 255) {
      return false;
    }
  }
  return true;
}

}  // namespace quillon::testing
