// The 96-dpi design at a display's own scale. Every length of the board, the window and the
// evaluation is designed at 96 dots an inch; the Win32 shell turns design units into device
// pixels (and clicks back) with these, and nowhere else.
#pragma once

#include <cstdint>

constexpr int32_t DesignDpi = 96;

// A design length or position at dpi, rounded to the nearest pixel (halves away from zero), so
// that 96 gives it unchanged and adjacent squares share their edges at any scale.
int32_t scaled(int32_t design, int32_t dpi);

// The design position of a device pixel: the largest d with scaled(d) <= device. A pixel lies in
// the scaled span of [a, b) exactly when its design position lies in [a, b).
int32_t unscaled(int32_t device, int32_t dpi);

// The scale, in percent, of the pictures drawn for dpi: whichever of 100, 125, 150, 175 and 200 is
// nearest (the smaller one on a tie), 200 beyond it and 100 below it.
int32_t pictureScale(int32_t dpi);

// The resource id of bitmap id (an IDB_ id of the 100 % pictures) drawn at a picture scale.
int32_t pictureAtScale(int32_t id, int32_t percent);
