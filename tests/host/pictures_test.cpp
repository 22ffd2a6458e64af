// The picture files the resources are built from. The evaluation screen puts them at fixed
// pixels and composes each brain over the head with its mask (AND, then OR), so sizes, the
// shared 8-bit palette and the key colours black and white must hold.
#include <gtest/gtest.h>

#include <cstdint>
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
    for (size_t i = 4; i-- > 0;) {
        value = value << 8 | static_cast<uint8_t>(b.at(at + i));
    }
    return value;
}

// 0xRRGGBB of pixel (x, y) counted from the top left; rows are stored bottom first.
uint32_t pixel(const std::string& b, int x, int y) {
    const uint32_t at = 1078 + (u32(b, 22) - 1 - y) * u32(b, 18) + x;
    return u32(b, 54 + 4 * static_cast<uint8_t>(b.at(at))) & 0xFFFFFF;
}

} // namespace

TEST(Pictures, EightBitBitmapsOfTheirSizesWithOnePalette) {
    const std::string first = picture("background.bmp");
    for (int i = 10; i < 246; ++i) { // a colour cube between the system's static colours
        EXPECT_EQ(u32(first, 54 + 4 * i),
                  32 * (i % 8) << 16 | 32 * (i / 8 % 8) << 8 | 64 * (i / 64));
    }
    EXPECT_EQ(u32(first, 54) | u32(first, 54 + 4 * 255), 0xFFFFFFu);
    const struct {
        const char* name;
        uint32_t width, height;
    } bitmaps[] = {
        {"background.bmp", 300, 300}, {"rank1.bmp", 160, 130},    {"rank2.bmp", 160, 130},
        {"rank3.bmp", 160, 130},      {"rank4.bmp", 160, 130},    {"rank5.bmp", 160, 130},
        {"rank6.bmp", 160, 130},      {"rankmask.bmp", 160, 130}, {"toolbar.bmp", 224, 32}};
    for (const auto& b : bitmaps) {
        const std::string bytes = picture(b.name);
        EXPECT_EQ(bytes.size(), 1078 + b.width * b.height) << b.name;
        const uint32_t header[] = {40, b.width, b.height, 1 | 8 << 16, 0}; // 8 bits, BI_RGB
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(u32(bytes, 14 + 4 * i), header[i]) << b.name << " header field " << i;
        }
        EXPECT_EQ(bytes.substr(54, 1024), first.substr(54, 1024)) << b.name;
    }
    const std::string icon = picture("main.ico");
    EXPECT_EQ(icon.size(), 2238u);
    EXPECT_EQ(icon.substr(0, 8), std::string("\0\0\1\0\1\0\x20\x20", 8));
}

TEST(Pictures, BrainsFillTheMasksEllipseAndKeepEachOthersWrinkles) {
    const std::string mask = picture("rankmask.bmp");
    const int samples[][3] = {{79, 63, 0},         {0, 0, 0xFFFFFF},  {3, 63, 0xFFFFFF},
                              {156, 63, 0xFFFFFF}, {79, 2, 0xFFFFFF}, {79, 125, 0xFFFFFF},
                              {4, 3, 0xFFFFFF}};
    for (const auto& s : samples) {
        EXPECT_EQ(pixel(mask, s[0], s[1]), uint32_t(s[2])) << s[0] << "," << s[1];
    }
    const int wrinkles[] = {0, 1351, 2630, 3529, 4647, 6026};
    std::string previous = picture("rank1.bmp");
    for (int rank = 0; rank < 6; ++rank) {
        const std::string brain = picture("rank" + std::to_string(rank + 1) + ".bmp");
        int inside = 0, wrinkled = 0;
        for (int y = 0; y < 130; ++y) {
            for (int x = 0; x < 160; ++x) {
                const bool in = pixel(mask, x, y) == 0, dark = pixel(brain, x, y) == 0x604000;
                EXPECT_TRUE(in || pixel(mask, x, y) == 0xFFFFFF);
                ASSERT_EQ(pixel(brain, x, y) == 0, !in)
                    << "rank " << rank + 1 << " at " << x << "," << y;
                ASSERT_TRUE(dark || pixel(previous, x, y) != 0x604000)
                    << "rank " << rank + 1 << " at " << x << "," << y;
                inside += in;
                wrinkled += dark;
            }
        }
        EXPECT_EQ(inside, 14444);
        EXPECT_EQ(wrinkled, wrinkles[rank]) << "rank " << rank + 1;
        previous = brain;
    }
}
