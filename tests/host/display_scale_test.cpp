// The design's lengths at other display scales, clicks taken back to the design, and the pictures
// chosen for a scale.
#include "common/display_scale.h"

#include <gtest/gtest.h>

TEST(DisplayScale, LengthsGoOutAndClicksComeBackWithoutGapOrOverlap) {
    // design, dpi, device: halves round away from zero.
    const int lengths[][3] = {{33, 96, 33},   {33, 144, 50},   {531, 144, 797}, {65, 144, 98},
                              {65, 168, 114}, {130, 168, 228}, {-3, 144, -5},   {640, 192, 1280}};
    for (const auto& [design, dpi, device] : lengths) {
        EXPECT_EQ(scaled(design, dpi), device) << design << " at " << dpi;
    }
    // Every device pixel comes back to the design pixel whose scaled span holds it.
    for (const int dpi : {72, 96, 120, 144, 168, 192, 250}) {
        for (int design = -2; design < 700; ++design) {
            const int from = design * dpi * 2 / 192 - 2, to = (design + 1) * dpi * 2 / 192 + 2;
            for (int device = from; device < to; ++device) {
                const bool inSpan =
                    scaled(design, dpi) <= device && device < scaled(design + 1, dpi);
                if (inSpan) {
                    ASSERT_EQ(unscaled(device, dpi), design) << device << " at " << dpi;
                }
            }
        }
    }
}

TEST(DisplayScale, PicturesOfTheNearestScale) {
    // dpi and the scale, in percent, of the pictures drawn for it: 108 and 132 dpi lie halfway.
    const int nearest[][2] = {{72, 100},  {96, 100},  {108, 100}, {109, 125}, {120, 125},
                              {132, 125}, {133, 150}, {144, 150}, {192, 200}, {240, 200}};
    for (const auto& [dpi, percent] : nearest) {
        EXPECT_EQ(pictureScale(dpi), percent) << dpi;
    }
    // The background (2) and the toolbar strip (102) of each scale.
    const int ids[][3] = {
        {100, 2, 102}, {125, 1002, 1102}, {150, 2002, 2102}, {175, 3002, 3102}, {200, 4002, 4102}};
    for (const auto& [percent, background, strip] : ids) {
        EXPECT_EQ(pictureAtScale(2, percent), background);
        EXPECT_EQ(pictureAtScale(102, percent), strip);
    }
}
