// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

// What a menu item, an accelerator or a side-panel label asks the main
// window to do. The values are not stored anywhere.
enum class MenuAction {
    None,             // a separator in the menu table
    NewGame,          // Game > New Game, F2
    HighScore,        // Game > High Score, the Score label
    Replays,          // Game > Replays
    Demo,             // Game > Demo: the computer plays the game
    PlayComputer,     // Game > Play against the computer
    Exit,             // Game > Exit
    CreateNetwork,    // Network > Create network game
    JoinNetwork,      // Network > Join network game
    Design,           // Options > Design, Help > Keyboard
    Skill,            // Options > Skill, the Level label
    ComputerWeights,  // Options > Demo parameters: the computer player's weights
    Sound,            // Options > Sound
    Mute,             // Options > Mute, Ctrl+M
    Scoring,          // Help > Scoring
    About,            // Help > About
    ToggleNext,       // the Next label, Tab, the digit 1
    StatusLine,       // the status line under the well
    LinesLabel,       // the Lines label
};

}  // namespace vexari
