// The picture files the resources are built from. The evaluation screen composes each brain over
// the head with its mask (AND, then OR), so the key colours black and white must hold.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string picture(const std::string& name) {
    std::ifstream in(MABATAKIBAN_RESOURCE_DIR "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

uint32_t u32(const std::string& b, size_t at) {
    uint32_t value = 0;
    std::memcpy(&value, b.data() + at, 4); // the files, like this machine, are little-endian
    return value;
}

// 0xRRGGBB of pixel (x, y) counted from the top left; rows are stored bottom first, each padded
// to a multiple of four bytes.
uint32_t pixel(const std::string& b, int x, int y) {
    const uint32_t at = 1078 + (u32(b, 22) - 1 - y) * ((u32(b, 18) + 3) / 4 * 4) + x;
    return u32(b, 54 + 4 * static_cast<uint8_t>(b[at])) & 0xFFFFFF;
}

} // namespace

TEST(Pictures, BrainsFillTheMasksEllipseAndKeepEachOthersWrinkles) {
    const std::string mask = picture("rankmask.bmp");
    // The ellipse's middle, and the first pixels outside its box of columns 4-155, rows 3-124.
    EXPECT_EQ(pixel(mask, 79, 63), 0u);
    EXPECT_EQ(pixel(mask, 3, 63) & pixel(mask, 156, 63) & pixel(mask, 79, 2) & pixel(mask, 79, 125),
              0xFFFFFFu);
    const int wrinkles[] = {0, 1351, 2630, 3529, 4647, 6026}; // pixels of dark brown (96, 64, 0)
    std::string previous = picture("rank1.bmp");
    for (int rank = 1; rank <= 6; ++rank) {
        const std::string brain = picture("rank" + std::to_string(rank) + ".bmp");
        ASSERT_EQ(brain.size() << 8 | mask.size(), 21878u << 8 | 21878u) << "8 bits, 160 x 130";
        int inside = 0, wrinkled = 0;
        for (int y = 0; y < 130; ++y) {
            for (int x = 0; x < 160; ++x) {
                const bool in = pixel(mask, x, y) == 0, dark = pixel(brain, x, y) == 0x604000;
                // Mask black or white; the brain black exactly outside the ellipse and keeping
                // every wrinkle of the picture before.
                ASSERT_TRUE((in || pixel(mask, x, y) == 0xFFFFFF) &&
                            (pixel(brain, x, y) == 0) != in &&
                            (dark || pixel(previous, x, y) != 0x604000))
                    << "rank " << rank << " at " << x << "," << y;
                inside += in;
                wrinkled += dark;
            }
        }
        EXPECT_EQ(inside, 14444);
        EXPECT_EQ(wrinkled, wrinkles[rank - 1]) << "rank " << rank;
        previous = brain;
    }
}

TEST(Pictures, DrawnAgainForEachScaleWithTheirKeyColours) {
    // Folder, then the background's side, the brain's width and height, the toolbar's cell.
    const int scales[][5] = {{125, 375, 200, 163, 40},
                             {150, 450, 240, 195, 48},
                             {175, 525, 280, 228, 56},
                             {200, 600, 320, 260, 64}};
    for (const auto& [folder, side, width, height, cell] : scales) {
        const std::string at = std::to_string(folder) + "/";
        const std::string background = picture(at + "background.bmp"),
                          mask = picture(at + "rankmask.bmp"), strip = picture(at + "toolbar.bmp");
        EXPECT_EQ(u32(background, 18) << 16 | u32(background, 22), uint32_t(side << 16 | side))
            << at;
        EXPECT_EQ(u32(strip, 18) << 16 | u32(strip, 22), uint32_t(7 * cell << 16 | cell)) << at;
        ASSERT_EQ(u32(mask, 18) << 16 | u32(mask, 22), uint32_t(width << 16 | height)) << at;
        for (int rank = 1; rank <= 6; ++rank) {
            const std::string brain = picture(at + "rank" + std::to_string(rank) + ".bmp");
            ASSERT_EQ(brain.size(), mask.size()) << at << rank;
            for (int y = 0; y < height; ++y) {
                for (int x = 0; x < width; ++x) {
                    // The mask black or white; the brain black exactly where the mask is white.
                    const bool in = pixel(mask, x, y) == 0;
                    ASSERT_TRUE((in || pixel(mask, x, y) == 0xFFFFFF) &&
                                (pixel(brain, x, y) == 0) != in)
                        << at << "rank " << rank << " at " << x << "," << y;
                }
            }
        }
    }
}
