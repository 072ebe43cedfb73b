// Helpers for drawing tests: a fresh off-screen context per test (a test
// that cannot get one fails, it never skips) and small pixel queries.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "scene/offscreen_context.h"

namespace quillon::testing {

inline constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// Makes a width x height context current, or records a failure naming the
// reason and returns nullptr. Use through ASSERT_NE(..., nullptr).
std::unique_ptr<OffscreenContext> MakeTestContext(std::int32_t width = 800,
                                                  std::int32_t height = 600);

// The pixel's colour without alpha, 0xRRGGBB.
inline std::uint32_t RgbAt(const FrameImage& image, std::int32_t x, std::int32_t y) {
  return image.PixelAt(x, y) >> 8;
}

// Number of pixels in row y (0 at the top) whose colour differs from white.
std::int32_t CountNonWhiteInRow(const FrameImage& image, std::int32_t y);
// Number of pixels in column x whose colour differs from white.
std::int32_t CountNonWhiteInColumn(const FrameImage& image, std::int32_t x);
// Number of pixels of the whole frame whose colour differs from white.
std::int64_t CountNonWhite(const FrameImage& image);
// Rows (top = 0) holding at least one non-white pixel, as [first, last];
// {-1, -1} for a white frame.
std::pair<std::int32_t, std::int32_t> NonWhiteRowRange(const FrameImage& image);
// True when every pixel's alpha is 255.
bool IsOpaque(const FrameImage& image);

}  // namespace quillon::testing
