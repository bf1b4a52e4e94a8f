#include "Engine/EngImageScaler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Engine/ImageTestSupport.h"

namespace {

using qwimage::Logged;
typedef C2PassScale<CBilinearFilter> Scaler;

std::vector<uint8_t> Scale(std::vector<uint8_t> source, unsigned bpp, unsigned sw, unsigned sh, unsigned tw,
                           unsigned th, char flip) {
  std::vector<uint8_t> target(tw * th * bpp, 0xee);
  Scaler scaler;
  EXPECT_EQ(scaler.Scale(source.data(), bpp, sw, sw * bpp, sh, target.data(), tw, tw * bpp, th, flip), target.data());
  return target;
}

TEST(EngImageScaler, EqualSizesCopyAndAFlipRunsTheFilter) {
  const std::vector<uint8_t> image = {10, 20, 255, 0, 1, 2, 30, 40, 50, 60, 70, 80};  // 2 x 2, 3 bytes a pixel
  EXPECT_EQ(Scale(image, 3, 2, 2, 2, 2, 0), image);
  // Weights of exactly one come out as 65535: every byte v becomes v * 65535 >> 16.
  EXPECT_EQ(Scale(image, 3, 2, 2, 2, 2, 1), (std::vector<uint8_t>{29, 39, 49, 59, 69, 79, 9, 19, 254, 0, 0, 1}));
}

TEST(EngImageScaler, DoublingHasNoHalfPixelCentring) {
  // Weights: pixel 0 all of source 0; pixel 1 32767 of each; pixels 2 and 3 all of source 1.
  EXPECT_EQ(Scale({100, 200}, 1, 2, 1, 4, 1, 0), (std::vector<uint8_t>{99, 149, 199, 199}));
  // The same along a column of 3-byte pixels, written upside down.
  EXPECT_EQ(Scale({100, 200, 50, 200, 100, 250}, 3, 1, 2, 1, 4, 1),
            (std::vector<uint8_t>{199, 99, 249, 199, 99, 249, 149, 149, 149, 99, 199, 49}));
}

TEST(EngImageScaler, HalvingWidensTheFilter) {
  // Target 1 sits on source 2 with weights 1/4, 1/2, 1/4 (16383, 32767, 16383); target 0 on
  // source 0, which is black here, with source 1 weighing a third.
  EXPECT_EQ(Scale({0, 60, 120, 180}, 1, 4, 1, 2, 1, 0), (std::vector<uint8_t>{19, 119}));
}

TEST(EngImageScaler, RowStridesArePaddingNotPixels) {
  // 2 x 2 pixels of 1 byte in rows of 4 bytes, into rows of 3 bytes.
  std::vector<uint8_t> source = {100, 200, 0xaa, 0xaa, 100, 200, 0xaa, 0xaa};
  std::vector<uint8_t> target(4 * 3, 0xee);
  Scaler scaler;
  ASSERT_NE(scaler.Scale(source.data(), 1, 2, 4, 2, target.data(), 2, 3, 4, 0), nullptr);
  for (int y = 0; y < 4; y++) {
    EXPECT_EQ(target[y * 3], 99);
    EXPECT_EQ(target[y * 3 + 1], 199);
    EXPECT_EQ(target[y * 3 + 2], 0xee) << "padding untouched";
  }
}

TEST(EngImageScaler, RefusalsAndStopping) {
  std::vector<uint8_t> source(5 * 4, 1), target(5 * 4, 0);
  Scaler scaler;
  std::string log = Logged([&] { EXPECT_EQ(scaler.Scale(source.data(), 5, 2, 10, 2, target.data(), 2, 10, 2, 0), nullptr); });
  EXPECT_NE(log.find("size of pixel is too big"), std::string::npos);

  static int calls = 0;
  calls = 0;
  Scaler stopping([](char) -> char {
    calls++;
    return 0;
  });
  EXPECT_EQ(stopping.Scale(source.data(), 1, 2, 2, 2, target.data(), 4, 4, 2, 0), nullptr);
  EXPECT_EQ(calls, 1);
  Scaler counting([](char percent) -> char {
    calls++;
    return percent < 100;
  });
  calls = 0;
  EXPECT_EQ(counting.Scale(source.data(), 1, 2, 2, 2, target.data(), 4, 4, 3, 0), target.data());
  EXPECT_EQ(calls, 2 + 4);
}

}  // namespace
