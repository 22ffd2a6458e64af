// The committed picture files, read as the program's resources will hold them: the evaluation
// screen places and composes them at fixed pixels, so their layout and key colours must hold.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace {

struct Rgb {
    uint8_t r, g, b;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
    return os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kTan{224, 192, 128}, kBrain{160, 96, 0},
    kWrinkle{96, 64, 0}, kCream{255, 251, 240}, kRed{255, 0, 0};

struct Box {
    int x0, x1, y0, y1;
    bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    bool operator==(const Box& o) const {
        return x0 == o.x0 && x1 == o.x1 && y0 == o.y0 && y1 == o.y1;
    }
};

std::ostream& operator<<(std::ostream& os, const Box& b) {
    return os << "columns " << b.x0 << ".." << b.x1 << ", rows " << b.y0 << ".." << b.y1;
}

using Bytes = std::vector<uint8_t>;

Bytes readResource(const std::string& name) {
    std::ifstream in(std::string(MABATAKIBAN_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

uint32_t u16(const Bytes& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8;
}
uint32_t u32(const Bytes& b, size_t at) {
    return u16(b, at) | u16(b, at + 2) << 16;
}

// The palette every picture shares: a colour cube between the twenty static system colours.
std::vector<Rgb> expectedPalette() {
    std::vector<Rgb> pal = {{0, 0, 0},       {128, 0, 0},    {0, 128, 0},   {128, 128, 0},
                            {0, 0, 128},     {128, 0, 128},  {0, 128, 128}, {192, 192, 192},
                            {192, 220, 192}, {166, 202, 240}};
    for (int i = 10; i < 246; ++i) {
        pal.push_back({uint8_t(32 * (i % 8)), uint8_t(32 * (i / 8 % 8)), uint8_t(64 * (i / 64))});
    }
    const std::vector<Rgb> high = {{255, 251, 240}, {160, 160, 164}, {128, 128, 128}, {255, 0, 0},
                                   {0, 255, 0},     {255, 255, 0},   {0, 0, 255},     {255, 0, 255},
                                   {0, 255, 255},   {255, 255, 255}};
    pal.insert(pal.end(), high.begin(), high.end());
    return pal;
}

struct Picture {
    int width = 0, height = 0;
    std::vector<Rgb> palette;
    std::vector<Rgb> pixels; // top row first
    Rgb at(int x, int y) const { return pixels.at(y * width + x); }
    Box boxOf(const Rgb& c, Box within) const {
        Box b{within.x1 + 1, within.x0 - 1, within.y1 + 1, within.y0 - 1};
        for (int y = within.y0; y <= within.y1; ++y) {
            for (int x = within.x0; x <= within.x1; ++x) {
                if (at(x, y) == c) {
                    b = {std::min(b.x0, x), std::max(b.x1, x), std::min(b.y0, y),
                         std::max(b.y1, y)};
                }
            }
        }
        return b;
    }
    Box all() const { return {0, width - 1, 0, height - 1}; }
    int count(const Rgb& c) const { return int(std::count(pixels.begin(), pixels.end(), c)); }
};

// An 8-bit DIB at `at`: header, 256-entry palette, rows bottom first. `rows` may be fewer than
// the header's height (an icon's header counts its mask too).
Picture decodeDib(const Bytes& b, size_t at, int rows) {
    Picture p;
    p.width = int(u32(b, at + 4));
    p.height = rows;
    for (int i = 0; i < 256; ++i) {
        size_t e = at + 40 + 4 * i;
        p.palette.push_back({b.at(e + 2), b.at(e + 1), b.at(e)});
    }
    size_t bits = at + 40 + 1024;
    p.pixels.resize(size_t(p.width) * rows);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < p.width; ++x) {
            p.pixels[y * p.width + x] =
                p.palette.at(b.at(bits + size_t(rows - 1 - y) * p.width + x));
        }
    }
    return p;
}

Picture loadBitmap(const std::string& name) {
    Bytes b = readResource(name);
    return b.size() < 14 + 40 + 1024 ? Picture{} : decodeDib(b, 14, int(u32(b, 14 + 8)));
}

const char* const kRanks[] = {"rank1.bmp", "rank2.bmp", "rank3.bmp",
                              "rank4.bmp", "rank5.bmp", "rank6.bmp"};

} // namespace

TEST(PictureFiles, BitmapsAreEightBitDibsWithTheSharedPalette) {
    const struct {
        const char* name;
        uint32_t width, height, resourceBytes;
    } cases[] = {{"background.bmp", 300, 300, 91064}, {"rank1.bmp", 160, 130, 21864},
                 {"rank2.bmp", 160, 130, 21864},      {"rank3.bmp", 160, 130, 21864},
                 {"rank4.bmp", 160, 130, 21864},      {"rank5.bmp", 160, 130, 21864},
                 {"rank6.bmp", 160, 130, 21864},      {"rankmask.bmp", 160, 130, 21864},
                 {"toolbar.bmp", 224, 32, 8232}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Bytes b = readResource(c.name);
        // The resource compiler drops the 14-byte file header and keeps the rest.
        ASSERT_EQ(b.size(), 14 + c.resourceBytes);
        EXPECT_EQ(u16(b, 0), 'B' | 'M' << 8);
        EXPECT_EQ(u32(b, 10), 14u + 40 + 1024);
        const uint32_t header[] = {40, c.width, c.height, 1 | 8 << 16, 0, c.width * c.height, 0,
                                   0,  0,       0};
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(u32(b, 14 + 4 * i), header[i]) << "header field at byte " << 4 * i;
        }
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(b[14 + 40 + 4 * i + 3], 0) << "palette entry " << i;
        }
        EXPECT_TRUE(decodeDib(b, 14, int(c.height)).palette == expectedPalette());
    }
}

TEST(BrainPictures, ComposeOverTheHeadAsTheEvaluationScreenDoes) {
    Picture background = loadBitmap("background.bmp");
    Picture mask = loadBitmap("rankmask.bmp");
    ASSERT_EQ(background.width, 300);
    ASSERT_EQ(mask.width, 160);
    EXPECT_EQ(mask.count(kBlack) + mask.count(kWhite), 160 * 130);
    EXPECT_EQ(mask.count(kBlack), 14444);
    EXPECT_EQ(mask.boxOf(kBlack, mask.all()), (Box{4, 155, 3, 124}));

    const int wrinkles[] = {0, 1351, 2630, 3529, 4647, 6026};
    for (int rank = 0; rank < 6; ++rank) {
        SCOPED_TRACE(kRanks[rank]);
        Picture pic = loadBitmap(kRanks[rank]);
        ASSERT_EQ(pic.width, 160);
        EXPECT_EQ(pic.count(kWrinkle), wrinkles[rank]);
        EXPECT_EQ(pic.count(kCream) > 0, rank == 0) << "the gloss belongs to the smooth brain";
        // (background AND mask) OR picture, at (70, 65).
        Picture shown = background;
        for (int y = 0; y < 130; ++y) {
            for (int x = 0; x < 160; ++x) {
                Rgb& s = shown.pixels[(65 + y) * 300 + 70 + x];
                const Rgb m = mask.at(x, y), c = pic.at(x, y);
                s = {uint8_t((s.r & m.r) | c.r), uint8_t((s.g & m.g) | c.g),
                     uint8_t((s.b & m.b) | c.b)};
                if (m == kWhite) {
                    ASSERT_EQ(c, kBlack) << "outside the ellipse at " << x << "," << y;
                } else {
                    ASSERT_TRUE(c == kBrain || c == kWrinkle || (rank == 0 && c == kCream))
                        << "inside the ellipse at " << x << "," << y;
                    ASSERT_EQ(background.at(70 + x, 65 + y), kTan) << "brain off the skull";
                    ASSERT_EQ(s, c) << "inside at " << x << "," << y;
                }
            }
        }
        for (int y = 0; y < 300; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (!(Box{70, 229, 65, 194}.holds(x, y) && mask.at(x - 70, y - 65) == kBlack)) {
                    ASSERT_EQ(shown.at(x, y), background.at(x, y)) << "at " << x << "," << y;
                }
            }
        }
        const Box eye{74, 90, 175, 189};
        EXPECT_EQ(shown.boxOf(kWhite, {60, 110, 150, 210}), eye);
        EXPECT_EQ(shown.boxOf(kBlack, eye), (Box{79, 85, 180, 185})) << "pupil";
    }
}

TEST(BrainPictures, WrinklesAccumulateInTheirPlaces) {
    // The boxes of the strokes each picture adds; the first holds the gloss instead.
    const std::vector<std::vector<Box>> added = {
        {{91, 111, 29, 49}, {107, 124, 22, 38}},
        {{25, 64, 83, 99}, {44, 82, 51, 71}, {116, 141, 44, 72}},
        {{58, 86, 13, 56}, {70, 118, 74, 92}},
        {{36, 51, 21, 49}, {83, 112, 39, 77}},
        {{11, 51, 62, 80}, {54, 105, 94, 112}},
        {{14, 34, 29, 62}, {82, 127, 20, 37}, {119, 139, 73, 103}}};
    Picture previous;
    for (int rank = 0; rank < 6; ++rank) {
        SCOPED_TRACE(kRanks[rank]);
        Picture pic = loadBitmap(kRanks[rank]);
        ASSERT_EQ(pic.width, 160);
        const Rgb stroke = rank == 0 ? kCream : kWrinkle;
        for (int y = 0; y < 130; ++y) {
            for (int x = 0; x < 160; ++x) {
                bool old = rank > 0 && previous.at(x, y) == kWrinkle;
                if (old) {
                    ASSERT_EQ(pic.at(x, y), kWrinkle) << "lost wrinkle at " << x << "," << y;
                }
                bool fresh = pic.at(x, y) == stroke && !old;
                bool boxed = false;
                for (const Box& b : added[rank]) {
                    boxed = boxed || b.holds(x, y);
                }
                ASSERT_TRUE(!fresh || boxed) << "stray stroke pixel at " << x << "," << y;
            }
        }
        for (const Box& b : added[rank]) {
            EXPECT_EQ(pic.boxOf(stroke, b), b) << "a stroke should fill out its box";
        }
        previous = pic;
    }
}

TEST(BackgroundPicture, HeadEyeAndHeadingInPlace) {
    Picture bg = loadBitmap("background.bmp");
    ASSERT_EQ(bg.width, 300);
    EXPECT_EQ(bg.count(kWhite) + bg.count(kTan) + bg.count(kBlack), 300 * 300);
    EXPECT_EQ(bg.boxOf(kBlack, {0, 299, 0, 61}), (Box{36, 253, 17, 40})) << "heading";
    EXPECT_EQ(bg.boxOf(kBlack, {0, 299, 62, 299}), (Box{79, 85, 180, 185})) << "pupil";
    EXPECT_EQ(bg.boxOf(kTan, bg.all()), (Box{42, 243, 62, 285})) << "head";
    EXPECT_EQ(bg.boxOf(kTan, {0, 299, 62, 62}), (Box{141, 157, 62, 62})) << "top of the skull";
    EXPECT_EQ(bg.boxOf(kTan, {42, 42, 0, 299}), (Box{42, 42, 228, 229})) << "tip of the nose";

    // The eye: a white disc round the pupil. With the boxes above, it is enough that each row
    // is one run centred on column 82, widening down to the middle row and narrowing below.
    const Box eye{74, 90, 175, 189};
    EXPECT_EQ(bg.boxOf(kWhite, {60, 110, 150, 210}), eye);
    int previousWidth = 0;
    for (int y = eye.y0; y <= eye.y1; ++y) {
        int first = eye.x1 + 1, last = eye.x0 - 1;
        for (int x = eye.x0; x <= eye.x1; ++x) {
            if (bg.at(x, y) != kTan) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        const int width = last - first + 1;
        EXPECT_EQ(bg.boxOf(kTan, {first, last, y, y}).x0, last + 1) << "gap in row " << y;
        EXPECT_EQ(first + last, 2 * 82) << "row " << y;
        EXPECT_TRUE(y <= 182 ? width >= previousWidth : width <= previousWidth) << "row " << y;
        previousWidth = width;
    }
}

TEST(ToolbarStrip, SevenImagesWithTheirMarks) {
    Picture strip = loadBitmap("toolbar.bmp");
    ASSERT_EQ(strip.width, 224);
    std::set<int> marks;
    for (int x = 0; x < 224; ++x) {
        if (strip.at(x, 31) == kRed) {
            marks.insert(x);
        }
    }
    EXPECT_EQ(marks, (std::set<int>{32, 65, 96, 128, 160, 192}));
    // Each image shows the colour of its own label or symbol.
    const Rgb own[7] = {kRed, kRed, {0, 0, 255}, {0, 255, 0}, {32, 96, 192}, kBlack, {224, 96, 64}};
    for (int i = 0; i < 7; ++i) {
        Box cell{32 * i, 32 * i + 31, 0, 30};
        EXPECT_LE(strip.boxOf(own[i], cell).x0, cell.x1) << "image " << i << " lacks " << own[i];
    }
    EXPECT_EQ(strip.boxOf({0, 0, 255}, {64, 95, 0, 31}), (Box{67, 93, 10, 22})) << "Set";
    EXPECT_EQ(strip.boxOf({0, 255, 0}, {96, 127, 0, 31}), (Box{99, 125, 10, 22})) << "Ver";
    EXPECT_EQ(strip.boxOf(kRed, {0, 63, 0, 30}).y1, 24) << "Start";
}

TEST(IconFile, OneEightBitImageWithItsMask) {
    Bytes b = readResource("main.ico");
    ASSERT_EQ(b.size(), 6u + 16 + 2216);
    const struct {
        size_t at;
        uint32_t value;
        const char* what;
    } fields[] = {
        // clang-format off
        {0, 0, "reserved"}, {2, 1, "type icon"}, {4, 1, "one image"},
        {6, 32 | 32 << 8, "32 x 32, 256 colours"}, {10, 1 | 8 << 16, "planes, bits"},
        {14, 2216, "image bytes"}, {18, 22, "image offset"},
        {22, 40, "header size"}, {26, 32, "width"}, {30, 64, "colour and mask rows"},
        {34, 1 | 8 << 16, "planes, bits"}, {38, 0, "BI_RGB"},
        // clang-format on
    };
    for (const auto& f : fields) {
        EXPECT_EQ(f.at < 6 ? u16(b, f.at) : u32(b, f.at), f.value) << f.what;
    }
    Picture icon = decodeDib(b, 22, 32);
    EXPECT_TRUE(icon.palette == expectedPalette());
    const size_t maskAt = 22 + 40 + 1024 + 1024;
    auto transparent = [&](int x, int y) {
        return (b.at(maskAt + size_t(31 - y) * 4 + x / 8) >> (7 - x % 8) & 1) != 0;
    };
    int clear = 0;
    Picture opaque = icon;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            if (transparent(x, y)) {
                ++clear;
                EXPECT_EQ(icon.at(x, y), kBlack) << "transparent pixel " << x << "," << y;
                opaque.pixels[y * 32 + x] = {1, 2, 3}; // out of the palette
            }
        }
    }
    EXPECT_EQ(clear, 423);
    const Rgb olive{128, 128, 0}, darkRed{128, 0, 0};
    EXPECT_EQ(opaque.boxOf(olive, opaque.all()), (Box{1, 27, 1, 30})) << "head";
    EXPECT_EQ(opaque.boxOf(olive, {1, 1, 0, 31}), (Box{1, 1, 23, 24})) << "nose";
    EXPECT_TRUE(transparent(4, 24) && transparent(5, 24)) << "mouth";
    EXPECT_EQ(opaque.boxOf(darkRed, opaque.all()), (Box{7, 24, 3, 13})) << "brain";
    EXPECT_EQ(opaque.boxOf(kWhite, opaque.all()), (Box{9, 11, 15, 17})) << "eye";
    EXPECT_EQ(opaque.boxOf(kBlack, opaque.all()), (Box{10, 10, 16, 16})) << "pupil";
}
