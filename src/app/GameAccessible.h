// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <QString>
#include <array>

#include "render/Layout.h"
#include "game/GameRecord.h"
#include "settings/Settings.h"

namespace vexari {

// The parts of the game that are drawn in the game view's image rather than
// being widgets, as assistive technology sees them: children of the view,
// in this order, before its child widgets.
enum class GamePart { Well, Next, Score, Level, Lines };
inline constexpr int kGamePartCount = 5;

// What a screen reader is told of a game: each part's value, and the line
// the view itself reads as its value ("Score 1,240, level 5, lines 31,
// next figure T"), in the user's language and number format.
struct GameDescription {
    std::array<QString, kGamePartCount> values;
    QString summary;
    friend bool operator==(const GameDescription&, const GameDescription&) = default;
};
GameDescription DescribeGame(const GameRecord& record, const Settings& settings);
QString GamePartName(GamePart part);
// The view's own name.
QString GameAccessibleName();
// The counters' numbers (0 for the well and the next figure).
int GamePartNumber(GamePart part, const GameRecord& record);
Rect GamePartRect(GamePart part, const WindowLayout& layout);

// Makes Qt describe every game view through the parts above (once).
void InstallGameAccessibility();

}  // namespace vexari
