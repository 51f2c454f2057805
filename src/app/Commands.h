// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vexari {

// Command identifiers of the menu, the accelerators and the side-panel labels.
enum Command : int {
    kCmdLines = 101,
    kCmdNewGame = 32769,
    kCmdHighScore = 32770,
    kCmdSkill = 32771,
    kCmdToggleNext = 32773,
    kCmdStatusLine = 32787,
    kCmdDesign = 32788,
    kCmdScoring = 32789,
    kCmdDemoParameters = 32790,
    kCmdCreateNetwork = 32791,
    kCmdJoinNetwork = 32792,
    kCmdDemo = 32797,
    kCmdReplays = 32798,
    kCmdSound = 32799,
    kCmdMute = 32800,
    kCmdPlayComputer = 32801,
    kCmdWatchNetwork = 32802,
    kCmdAbout = 57664,
    kCmdExit = 57665,
};

}  // namespace vexari
