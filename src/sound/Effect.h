// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

// The game's sound effects.
enum class Effect : int {
    Land,            // a figure comes to rest
    Drop,            // the drop key sends it down
    Click,           // a move or a turn (off unless asked for)
    Rows1,           // one row removed
    Rows2,
    Rows3,
    Rows4,           // four rows at once: the best a landing does
    PresentSent,     // removed rows go to the opponents
    PresentArrived,  // the opponents' rows rise in the well: a warning
    LevelUp,
    Countdown,       // each second before a network round
    Start,           // a game or round starts
    GameOver,        // the well is full; the locomotive pushes it out
    RoundEnd,        // a network round is over
    TopTen,          // the score takes a place in the high-score table
    Chat,            // a chat line while the Network Game window is elsewhere
    Pause,
    Resume,
};
inline constexpr int kEffectCount = static_cast<int>(Effect::Resume) + 1;

// The effect of `rows` rows removed at once (1..4; more count as four).
inline Effect RowsEffect(int rows) {
    return rows >= 4 ? Effect::Rows4 : static_cast<Effect>(static_cast<int>(Effect::Rows1) + rows - 1);
}

}  // namespace vexari
