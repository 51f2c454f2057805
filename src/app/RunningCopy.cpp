// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RunningCopy.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace vexari {

RunningCopy::RunningCopy(const QString& settingsFile) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) return;
    // Copies with other settings files (another user's, a test's) have slots
    // of their own.
    const QString key = QString::fromLatin1(
        QCryptographicHash::hash(settingsFile.toUtf8(), QCryptographicHash::Sha1).toHex().left(12));
    for (int k = 0; k < kSlots; ++k) {
        const QByteArray path = QFile::encodeName(folder + QStringLiteral("/vexari-%1-%2.lock").arg(key).arg(k));
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0) return;
        // A lock belongs to this open file, so a second window of this very
        // process takes the next slot too.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            fd_ = fd;
            index_ = k;
            return;
        }
        ::close(fd);
    }
}

RunningCopy::~RunningCopy() {
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace vexari
