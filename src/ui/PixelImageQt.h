// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QImage>

#include "render/PixelImage.h"

namespace vexari {

// A read-only view of image for painting with Qt; no pixels are copied, so
// image must outlive the QImage and stay unchanged while it is used.
inline QImage AsQImage(const PixelImage& image) {
    if (image.IsNull()) return {};
    return QImage(reinterpret_cast<const uchar*>(image.Bits()), image.Width(), image.Height(), image.Stride(),
                  QImage::Format_RGB32);
}

// A copy of a Qt image as a PixelImage (alpha is dropped).
inline PixelImage ToPixelImage(const QImage& source) {
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    PixelImage out(rgb.width(), rgb.height());
    for (int y = 0; y < out.Height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < out.Width(); ++x) out.Row(y)[x] = 0xFF000000u | (line[x] & 0x00FFFFFFu);
    }
    return out;
}

}  // namespace vexari
