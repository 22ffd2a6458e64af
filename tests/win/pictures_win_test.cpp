// The pictures as the program loads them: bound into the module under their ids, each one a
// bitmap of the size the evaluation screen and the toolbar cut and place by.
#include <windows.h>

#include <gtest/gtest.h>

TEST(PictureResources, BitmapsLoadWithTheirStoredSizes) {
    const struct {
        int id;
        LONG width, height;
    } cases[] = {{2, 300, 300}, {3, 160, 130}, {4, 160, 130}, {5, 160, 130}, {6, 160, 130},
                 {7, 160, 130}, {8, 160, 130}, {9, 160, 130}, {102, 224, 32}};
    for (const auto& c : cases) {
        HANDLE image = LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(c.id), IMAGE_BITMAP,
                                  0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr) << "bitmap " << c.id << " did not load, error " << GetLastError();
        BITMAP info{};
        EXPECT_EQ(GetObjectA(image, sizeof info, &info), int(sizeof info)) << "bitmap " << c.id;
        EXPECT_EQ(info.bmWidth, c.width) << "width of bitmap " << c.id;
        EXPECT_EQ(info.bmHeight, c.height) << "height of bitmap " << c.id;
        EXPECT_EQ(info.bmBitsPixel, 8) << "bits per pixel of bitmap " << c.id;
        DeleteObject(image);
    }
}

TEST(PictureResources, MainIconLoads) {
    EXPECT_NE(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(101)), nullptr)
        << "icon 101 did not load, error " << GetLastError();
}
