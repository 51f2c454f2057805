// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include "render/PixelImage.h"

namespace vexari {

// Draws a raised box at (x, y) of w x h pixels with a bevel n pixels wide:
// light on the top and left, dark on the bottom and right, the two odd
// corners of every ring in the face colour. With shadow the box is n pixels
// smaller each way and a black band n pixels wide lies along its right and
// bottom. Returns false, drawing nothing, when the bevel does not fit
// (2n not less than the box's width or height) or n is negative.
bool DrawRaisedBox(PixelImage& surface, int x, int y, int w, int h, int n, Color face, Color light, Color dark,
                   bool shadow, bool fillFace);

// Draws n rings around the inside rectangle (x, y, w, h), from the inside
// out: topLeft on the top and left, bottomRight on the bottom and right,
// corner on each ring's top-right and bottom-left pixel; the bottom-right
// corner pixel of each ring keeps what lay beneath. With fillInside the
// inside is filled with fill first.
void DrawSunkenFrame(PixelImage& surface, int x, int y, int w, int h, int n, Color fill, Color corner,
                     Color bottomRight, Color topLeft, bool fillInside);

}  // namespace vexari

namespace vexari {

// The face of the owner-drawn label button on a surface of the button's size:
// a one-ring sunken edge around a raised face when up, a two-ring sunken
// frame when pushed. Returns the top-left corner of its text: (4, 4) up,
// (5, 5) pushed.
struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};
Point DrawLabelButtonFace(PixelImage& surface, bool pressed);

// The owner-drawn picture button (the status line): the same edges as the
// label button (the pushed frame with black odd corners) and the top-left part
// of picture at (3, 3), (w - 6) x (h - 6) pixels, or at (2, 2), (w - 5) x
// (h - 5) pixels when pushed. picture may be null.
void DrawPictureButtonFace(PixelImage& surface, bool pressed, const PixelImage* picture);

// Where DrawPictureButtonFace puts the picture, and how much of it.
struct PictureSlot {
    int x, y, w, h;
};
PictureSlot PictureButtonSlot(int width, int height, bool pressed);

}  // namespace vexari
