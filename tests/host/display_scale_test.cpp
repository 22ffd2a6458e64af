// The design's lengths at other display scales, and the pictures chosen for a scale.
#include "common/display_scale.h"

#include <gtest/gtest.h>

TEST(DisplayScale, LengthsAndPicturesOfEachScale) {
    // design, dpi, device: halves round away from zero.
    const int lengths[][3] = {{531, 144, 797}, {65, 168, 114}, {-3, 144, -5}, {640, 192, 1280}};
    for (const auto& [design, dpi, device] : lengths) {
        EXPECT_EQ(scaled(design, dpi), device) << design << " at " << dpi;
    }
    // A device pixel comes back to the design pixel whose scaled span holds it, at any scale.
    for (const int dpi : {72, 120, 144, 168, 250}) {
        for (int device = -5; device < 2000; ++device) {
            const int design = unscaled(device, dpi);
            ASSERT_TRUE(scaled(design, dpi) <= device && device < scaled(design + 1, dpi))
                << device << " at " << dpi << " dpi: " << design;
        }
    }
    // dpi and the scale of the pictures drawn for it, in percent: 108 and 132 dpi lie halfway.
    const int nearest[][2] = {{72, 100},  {108, 100}, {109, 125}, {132, 125},
                              {133, 150}, {192, 200}, {240, 200}};
    for (const auto& [dpi, percent] : nearest) {
        EXPECT_EQ(pictureScale(dpi), percent) << dpi;
    }
    // The background (2) and the toolbar strip (102) at each scale.
    const int ids[][3] = {
        {100, 2, 102}, {125, 1002, 1102}, {150, 2002, 2102}, {175, 3002, 3102}, {200, 4002, 4102}};
    for (const auto& [percent, background, strip] : ids) {
        EXPECT_EQ(pictureAtScale(2, percent) << 16 | pictureAtScale(102, percent),
                  background << 16 | strip);
    }
}
