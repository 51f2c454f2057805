// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>

namespace vexari {

// Which of the copies of the game running at once with one settings file
// this one is: the first free of a few slots, each a lock on a file in the
// user's runtime folder, held while this object lives. The system drops a
// lock when its process ends, however it ends.
class RunningCopy {
public:
    static constexpr int kSlots = 8;

    explicit RunningCopy(const QString& settingsFile);
    ~RunningCopy();
    RunningCopy(const RunningCopy&) = delete;
    RunningCopy& operator=(const RunningCopy&) = delete;

    // 0 for the first copy; 0 also when no slot could be had.
    int Index() const { return index_; }

private:
    int fd_ = -1;
    int index_ = 0;
};

}  // namespace vexari
