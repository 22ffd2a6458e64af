#include "common/display_scale.h"

#include "resources/resource.h"

#include <cstdint>

static_assert(IDB_TOOLBAR < IDB_AT125 && IDB_AT125 + IDB_TOOLBAR < IDB_AT150 &&
                  IDB_AT150 + IDB_TOOLBAR < IDB_AT175 && IDB_AT175 + IDB_TOOLBAR < IDB_AT200,
              "the ids of each scale stay apart from those of every other");

int32_t scaled(int32_t design, int32_t dpi) {
    const int64_t product = int64_t{design} * dpi;
    const int64_t half = DesignDpi / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / DesignDpi
                                             : -((-product + half) / DesignDpi));
}

int32_t unscaled(int32_t device, int32_t dpi) {
    if (dpi <= 0) {
        return device;
    }
    // A first guess from the exact quotient, then the rounding's one step either way.
    int32_t design = static_cast<int32_t>(int64_t{device} * DesignDpi / dpi);
    while (scaled(design, dpi) > device) {
        --design;
    }
    while (scaled(design + 1, dpi) <= device) {
        ++design;
    }
    return design;
}

int32_t pictureScale(int32_t dpi) {
    // Worked in 96ths of a percent above 100 %, so that no rounding moves a tie.
    const int64_t above = int64_t{dpi} * 100 - 100 * DesignDpi;
    const int64_t step = 25 * DesignDpi;
    if (above <= 0) {
        return 100;
    }
    const int64_t steps = (above + step / 2 - 1) / step; // to the nearest step, halves down
    return static_cast<int32_t>(steps >= 4 ? 200 : 100 + 25 * steps);
}

int32_t pictureAtScale(int32_t id, int32_t percent) {
    switch (percent) {
    case 125:
        return IDB_AT125 + id;
    case 150:
        return IDB_AT150 + id;
    case 175:
        return IDB_AT175 + id;
    case 200:
        return IDB_AT200 + id;
    default:
        return id;
    }
}
