// SPDX-License-Identifier: GPL-3.0-or-later
#include "ai/ComputerPlayer.h"

#include <cctype>
#include <cstdlib>

namespace vexari {

void ComputerPlayer::NewFigure() {
    // The result is not used: the candidates serve the learn step when the
    // user drops this figure.
    FindBestPlacement(game_.record(), game_.settings().weights, table_);
}

void ComputerPlayer::LearnStep() {
    const GameRecord& r = game_.record();
    LearnFromPlacement(table_, r.playerRotation, r.playerDisplacement, game_.settings().weights);
}

void ComputerPlayer::Move() {
    const PlacementResult best = FindBestPlacement(game_.record(), game_.settings().weights, table_);
    const KeyBindings& bindings = game_.settings().keys;

    count_ = next_ = 0;
    for (int i = 0; i < best.rotations; ++i) keys_[count_++] = bindings.rotate;
    const KeyCode step = best.offset > 0 ? bindings.right : bindings.left;
    for (int i = 0; i < std::abs(best.offset); ++i) keys_[count_++] = step;
    keys_[count_++] = bindings.drop;

    PressNext(game_.hooks().clock->TickCount());
}

bool ComputerPlayer::Playing() const {
    const GameRecord& r = game_.record();
    return r.running && r.computerPlays;
}

bool ComputerPlayer::Busy() const { return next_ < count_ && Playing(); }

void ComputerPlayer::PressNext(std::uint32_t nowMs) {
    const KeyCode key = keys_[next_++];
    if (next_ < count_) deadline_ = nowMs + kKeyPauseMs;
    else Drop();
    game_.PressKey(key, 1);
}

void ComputerPlayer::Advance(std::uint32_t nowMs) {
    if (!Busy()) {
        Drop();  // nothing pending, or the game stopped under the sequence
        return;
    }
    if (TickReached(deadline_, nowMs)) PressNext(nowMs);
}

void ComputerPlayer::InputArrived(std::uint32_t nowMs) {
    if (!Busy()) {
        Drop();
        return;
    }
    PressNext(nowMs);
}

std::optional<std::uint32_t> ComputerPlayer::NextDeadline() const {
    if (!Busy()) return std::nullopt;
    return deadline_;
}

std::optional<KeyCode> ComputerPlayer::NextKey() const {
    if (!Busy()) return std::nullopt;
    return keys_[next_];
}

void ComputerPlayer::Finish() {
    while (Busy()) PressNext(deadline_);
    Drop();
}

bool LearnFromPlacement(const CandidateTable& table, int rotation, int displacement, ComputerWeights& weights) {
    const int user = table.Find(rotation, displacement);
    if (user < 0 || user >= table.count) return false;

    const auto& chosen = table.criteria[static_cast<std::size_t>(user)];
    for (int n = 0; n < table.count; ++n) {
        const auto& other = table.criteria[static_cast<std::size_t>(n)];
        std::array<std::int32_t, ComputerWeights::kCapacity> d{};
        for (std::size_t i = 0; i < d.size(); ++i) d[i] = chosen[i] - other[i];
        if (WeightedScore(d, weights) >= 1) continue;  // the user's choice already wins
        for (int i = 0; i < ComputerWeights::kCriteria; ++i) {
            weights[i] += 0.2 * d[static_cast<std::size_t>(i)];
            if (weights[i] < 0) weights[i] = 0;
        }
    }
    return true;
}

std::optional<int> ComputerSpeedFromName(std::string_view name) {
    if (name.size() < 4) return std::nullopt;
    static constexpr std::string_view kPrefix = "comp";
    for (std::size_t i = 0; i < kPrefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(name[i])) != kPrefix[i]) return std::nullopt;
    static_assert(kMinComputerSpeed == 0 && kMaxComputerSpeed == 9, "a speed is one digit");
    if (name.size() > 4 && name[4] >= '0' && name[4] <= '9') return name[4] - '0';
    return kDefaultComputerSpeed;
}

}  // namespace vexari
