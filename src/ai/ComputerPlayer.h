// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "ai/Placement.h"
#include "game/Game.h"
#include "game/GameHooks.h"

namespace vexari {

// The computer player of one game: it places the figures in demo mode by
// pressing the player's own keys, and runs the search behind the
// learn-from-me mode while the user plays.
//
// A placement is carried out as a timed sequence of key presses: the first key
// goes at once, and every rotation or column step is followed by a pause of up
// to kKeyPauseMs that any keyboard or mouse input ends early; the drop comes
// last, without a pause. While keys are pending the player is Busy() and the
// game's timer does nothing. The game runner (game/GameRunner.h) calls
// Advance() when NextDeadline() has passed and InputArrived() on every key or
// mouse input, and holds that input back until the sequence is over.
class ComputerPlayer final : public ComputerHooks {
public:
    static constexpr std::uint32_t kKeyPauseMs = 110;

    explicit ComputerPlayer(Game& game) : game_(game) {}

    // ComputerHooks.
    void NewFigure() override;  // search for the new figure, kept for the learn step
    void LearnStep() override;  // adjust the weights to the user's placement
    void Move() override;       // place the computer's figure
    bool Busy() const override;

    // The pause after the last key press has ended by time `nowMs`: press the
    // next key.
    void Advance(std::uint32_t nowMs) override;
    // Keyboard or mouse input at `nowMs` ends the current pause at once.
    void InputArrived(std::uint32_t nowMs) override;
    // When the current pause ends (tick count in ms); none while not Busy().
    std::optional<std::uint32_t> NextDeadline() const override;
    // Presses every pending key at once, without pausing.
    void Finish() override;
    // The key the next press will be; none while not Busy().
    std::optional<KeyCode> NextKey() const;

    // The candidates of the last search.
    const CandidateTable& candidates() const { return table_; }

private:
    static constexpr std::size_t kMaxKeys = 16;  // 3 turns, 10 steps, the drop

    bool Playing() const;
    void PressNext(std::uint32_t nowMs);
    void Drop() { next_ = count_ = 0; }

    Game& game_;
    CandidateTable table_;
    std::array<KeyCode, kMaxKeys> keys_{};
    std::size_t count_ = 0;  // keys in the sequence
    std::size_t next_ = 0;   // the next key to press
    std::uint32_t deadline_ = 0;
};

// One pass of the learn-from-me mode over the candidates of a search: the
// user's placement is the candidate of (rotation, displacement). Every
// alternative that the weights do not rate at least 1 below the user's choice
// moves the weights by 0.2 times the criterion differences; weights never go
// below 0. Returns false, changing nothing, when the pair has no candidate.
bool LearnFromPlacement(const CandidateTable& table, int rotation, int displacement, ComputerWeights& weights);

// The computer's speed for a network player name: a name whose first four
// characters are "comp" in any case is played by the computer, at the speed
// of its fifth character when that is a digit, else at kDefaultComputerSpeed.
// Other names: none.
std::optional<int> ComputerSpeedFromName(std::string_view name);

}  // namespace vexari
