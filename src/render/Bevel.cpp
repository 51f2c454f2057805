// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/Bevel.h"

namespace vexari {

bool DrawRaisedBox(PixelImage& s, int x, int y, int w, int h, int n, Color face, Color light, Color dark,
                   bool shadow, bool fillFace) {
    if (n < 0) return false;
    const int fullW = w;
    const int fullH = h;
    if (shadow) {
        w -= n;
        h -= n;
    }
    // 64-bit so that a huge bevel cannot wrap around.
    if (2 * static_cast<long long>(n) >= w || 2 * static_cast<long long>(n) >= h) return false;

    if (shadow) s.FillRect(x, y, fullW, fullH, kBlack);
    if (fillFace) s.FillRect(x + n, y + n, w - 2 * n, h - 2 * n, face);
    for (int i = 0; i < n; ++i) {
        s.VLine(x + i, y + i, h - 1 - 2 * i, light);
        s.HLine(x + i, y + i, w - 1 - 2 * i, light);
        s.VLine(x + w - 1 - i, y + i + 1, h - 1 - 2 * i, dark);
        s.HLine(x + i + 1, y + h - 1 - i, w - 1 - 2 * i, dark);
        s.SetPixel(x + w - 1 - i, y + i, face);
        s.SetPixel(x + i, y + h - 1 - i, face);
    }
    return true;
}

void DrawSunkenFrame(PixelImage& s, int x, int y, int w, int h, int n, Color fill, Color corner, Color bottomRight,
                     Color topLeft, bool fillInside) {
    if (fillInside) s.FillRect(x, y, w, h, fill);
    for (int i = 0; i < n; ++i) {
        s.VLine(x - 1 - i, y - 1 - i, h + 2 * i + 1, topLeft);
        s.HLine(x - 1 - i, y - 1 - i, w + 2 * i + 1, topLeft);
        s.VLine(x + w + i, y - i, h + 2 * i, bottomRight);
        s.HLine(x - i, y + h + i, w + 2 * i, bottomRight);
        s.SetPixel(x + w + i, y - 1 - i, corner);
        s.SetPixel(x - 1 - i, y + h + i, corner);
    }
}

}  // namespace vexari

namespace vexari {

Point DrawLabelButtonFace(PixelImage& s, bool pressed) {
    const int w = s.Width();
    const int h = s.Height();
    if (pressed) {
        DrawSunkenFrame(s, 2, 2, w - 4, h - 4, 2, kGrey, kGrey, kWhite, kDarkGrey, true);
        s.FillRect(2, 2, w - 3, h - 3, kGrey);
        return {5, 5};
    }
    DrawSunkenFrame(s, 1, 1, w - 2, h - 2, 1, kGrey, kGrey, kWhite, kDarkGrey, true);
    DrawRaisedBox(s, 1, 1, w - 2, h - 2, 1, kGrey, kWhite, kDarkGrey, false, true);
    return {4, 4};
}

PictureSlot PictureButtonSlot(int width, int height, bool pressed) {
    if (pressed) return {2, 2, width - 5, height - 5};
    return {3, 3, width - 6, height - 6};
}

void DrawPictureButtonFace(PixelImage& s, bool pressed, const PixelImage* picture) {
    const int w = s.Width();
    const int h = s.Height();
    if (pressed) {
        DrawSunkenFrame(s, 2, 2, w - 4, h - 4, 2, kGrey, kBlack, kWhite, kDarkGrey, true);
    } else {
        DrawSunkenFrame(s, 1, 1, w - 2, h - 2, 1, kGrey, kGrey, kWhite, kDarkGrey, true);
        DrawRaisedBox(s, 1, 1, w - 2, h - 2, 1, kGrey, kWhite, kDarkGrey, false, true);
    }
    if (picture) {
        const PictureSlot slot = PictureButtonSlot(w, h, pressed);
        s.CopyFrom(slot.x, slot.y, *picture, 0, 0, slot.w, slot.h);
    }
}

}  // namespace vexari
