// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayPlayer.h"

#include "replay/ReplayCodec.h"

namespace vexari {
namespace {

std::string Place(int figure, int x, int y) {
    return "figure " + std::to_string(figure) + " at " + std::to_string(x) + "," + std::to_string(y);
}

}  // namespace

ReplayPlayer::ReplayPlayer(Replay replay) : replay_(std::move(replay)) {
    SetPainter(nullptr);
    game_.AddListener(this);
    ApplyConditions(replay_.start, game_);
    if (replay_.events.empty() || replay_.events.front().kind != ReplayEventKind::Reset)
        Diverge("the recording does not begin with the game's reset");
}

ReplayPlayer::~ReplayPlayer() { game_.RemoveListener(this); }

void ReplayPlayer::SetPainter(GamePainter* painter) {
    painter_ = painter;
    game_.SetHooks({.painter = painter, .clock = this, .keys = this, .computer = &computer_});
}

bool ReplayPlayer::PlayNext() {
    if (finished_) return false;
    if (next_ < replay_.events.size() && replay_.events[next_].tick == tick_) {
        ApplyInput();
        return false;
    }
    if (tick_ < replay_.claims.ticks) {
        ApplyTick();
        return true;
    }
    Conclude();
    return false;
}

bool ReplayPlayer::Step() {
    while (!finished_ && !PlayNext()) {
    }
    return !finished_;
}

bool ReplayPlayer::StepFigure() {
    const std::size_t before = landed_;
    while (landed_ == before && !finished_) PlayNext();
    return !finished_;
}

void ReplayPlayer::RunToEnd() {
    while (!finished_) PlayNext();
}

void ReplayPlayer::TakeReadings(std::uint32_t tick) {
    const std::vector<ReplayEvent>& events = replay_.events;
    readEnd_ = next_;
    while (readEnd_ < events.size() && events[readEnd_].tick == tick && IsRead(events[readEnd_].kind)) ++readEnd_;
}

const ReplayEvent* ReplayPlayer::NextReading() { return next_ < readEnd_ ? &replay_.events[next_++] : nullptr; }

void ReplayPlayer::ApplyInput() {
    const ReplayEvent& e = replay_.events[next_++];
    if (IsRead(e.kind)) return Diverge("tick " + std::to_string(tick_) + ": a reading that no input asked for");
    TakeReadings(e.tick);
    const int value = static_cast<int>(e.value);
    switch (e.kind) {
    case ReplayEventKind::KeyDown:
        game_.KeyDown(KeyCodeFromStored(value), e.repeat);
        break;
    case ReplayEventKind::PressKey:
        // The computer of the replay presses its own next key, which is the
        // one recorded as long as the play is the same.
        if (computer_.NextKey() == KeyCodeFromStored(value) && e.repeat == 1)
            computer_.Advance(*computer_.NextDeadline());
        else
            game_.PressKey(KeyCodeFromStored(value), e.repeat);
        break;
    case ReplayEventKind::Enter:
        game_.EnterAction();
        break;
    case ReplayEventKind::Pause:
    case ReplayEventKind::PauseNotify:
        game_.ToggleRunning(e.kind == ReplayEventKind::PauseNotify);
        break;
    case ReplayEventKind::Present:
        game_.ReceivePresent(value);
        break;
    case ReplayEventKind::Reset:
        if (next_ != 1) return Diverge("tick " + std::to_string(tick_) + ": a second reset");
        game_.ResetGame(e.value != 0);
        break;
    case ReplayEventKind::Conditions:
        ApplyConditions(replay_.changes.at(static_cast<std::size_t>(e.value)), game_);
        break;
    default:
        break;
    }
    AfterInput();
}

void ReplayPlayer::ApplyTick() {
    ++tick_;
    TakeReadings(tick_);
    runner_.Tick();
    AfterInput();
}

void ReplayPlayer::AfterInput() {
    if (finished_) return;
    if (next_ != readEnd_)
        return Diverge("tick " + std::to_string(tick_) + ": the game did not read the clock or the key as recorded");
    if (wellFilled_ && (next_ < replay_.events.size() || tick_ < replay_.claims.ticks))
        Diverge("tick " + std::to_string(tick_) + ": the well filled, but the recording goes on to tick " +
                std::to_string(replay_.claims.ticks));
}

std::int64_t ReplayPlayer::Seconds() {
    if (const ReplayEvent* e = NextReading(); e && e->kind == ReplayEventKind::Seconds) return e->value;
    // The reset after the game over is no longer part of the recording.
    if (!wellFilled_) Diverge("tick " + std::to_string(tick_) + ": the game read the clock where the recording did not");
    return 0;
}

bool ReplayPlayer::IsKeyDown(KeyCode) {
    if (next_ < readEnd_) {
        const ReplayEventKind kind = replay_.events[next_].kind;
        if (kind == ReplayEventKind::AccelerateDown || kind == ReplayEventKind::AccelerateUp) {
            accelerate_ = kind == ReplayEventKind::AccelerateDown;
            ++next_;
        }
    }
    return accelerate_;
}

void ReplayPlayer::FigureLanded(const Landing& l) {
    if (finished_ || wellFilled_) return;
    const std::string at = "tick " + std::to_string(tick_) + ": ";
    if (landed_ >= replay_.landings.size())
        return Diverge(at + Place(l.figure, l.x, l.y) + " landed; the recording has no more landings");
    const ReplayLanding& want = replay_.landings[landed_++];
    if (want.tick != tick_ || want.figure != l.figure || want.x != l.x || want.y != l.y || want.removed != l.removed)
        Diverge(at + Place(l.figure, l.x, l.y) + " landed; the recording has " + Place(want.figure, want.x, want.y) +
                " at tick " + std::to_string(want.tick));
}

void ReplayPlayer::GameOver(std::int32_t score, std::int32_t lines) {
    if (finished_ || wellFilled_) return;
    wellFilled_ = true;
    const GameRecord& r = game_.record();
    filled_ = {ReplayEnd::Filled, tick_, score, lines, r.height, r.well};
}

void ReplayPlayer::Conclude() {
    const ReplayClaims& want = replay_.claims;
    const GameRecord& r = game_.record();
    const ReplayClaims got = wellFilled_ ? filled_ : ReplayClaims{ReplayEnd::Stopped, tick_, r.score, r.lines, r.height, r.well};
    const std::string at = "tick " + std::to_string(tick_) + ": ";
    if (got.end != want.end)
        return Diverge(at + (wellFilled_ ? "the well filled, but the recording says the game was left"
                                         : "the recording ends with the well full, but the replay's is not"));
    if (landed_ != replay_.landings.size())
        return Diverge(at + std::to_string(landed_) + " figures landed, the recording has " +
                       std::to_string(replay_.landings.size()));
    if (got.score != want.score)
        return Diverge(at + "score " + std::to_string(want.score) + " claimed, the replay makes " +
                       std::to_string(got.score));
    if (got.lines != want.lines)
        return Diverge(at + std::to_string(want.lines) + " lines claimed, the replay makes " +
                       std::to_string(got.lines));
    if (got.height != want.height || !SameField(got.well, want.well, want.height))
        return Diverge(at + "the final well differs from the one claimed");
    finished_ = true;
    verdict_ = {true, tick_, {}};
}

void ReplayPlayer::Diverge(std::string message) {
    if (finished_) return;
    finished_ = true;
    verdict_ = {false, tick_, std::move(message)};
}

ReplayVerdict VerifyReplay(const Replay& replay) {
    ReplayPlayer player(replay);
    player.RunToEnd();
    return player.Verdict();
}

}  // namespace vexari
