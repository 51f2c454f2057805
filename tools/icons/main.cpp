// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the program's icon as PNG files for the hicolor icon theme:
// OUTDIR/hicolor/<n>x<n>/apps/NAME.png for every size the icon is drawn in.
#include <QDir>
#include <QImage>
#include <cstdio>

#include "ui/PixelImageQt.h"
#include "ui/ProgramIcon.h"

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "Usage: vexari-icons OUTDIR NAME\n");
        return 2;
    }
    for (const int size : vexari::kProgramIconSizes) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = dir + QStringLiteral("/%1.png").arg(QString::fromLocal8Bit(argv[2]));
        const vexari::PixelImage icon = vexari::DrawProgramIcon(size);
        if (!QDir().mkpath(dir) || !vexari::AsQImage(icon).save(file, "PNG")) {
            std::fprintf(stderr, "vexari-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
