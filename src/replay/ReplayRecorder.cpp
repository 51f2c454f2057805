// SPDX-License-Identifier: GPL-3.0-or-later
#include "replay/ReplayRecorder.h"

#include <ctime>

#include "base/ProgramVersion.h"
#include "replay/ReplayCodec.h"

namespace vexari {

ReplayRecorder::ReplayRecorder(Game& game, Sink sink, Now now)
    : game_(game), sink_(std::move(sink)), now_(std::move(now)) {
    if (!now_) now_ = [] { return static_cast<std::int64_t>(std::time(nullptr)); };
    game_.SetInputObserver(this);
    game_.AddListener(this);
}

ReplayRecorder::~ReplayRecorder() {
    Stop();
    if (game_.inputObserver() == this) game_.SetInputObserver(nullptr);
    game_.RemoveListener(this);
}

void ReplayRecorder::Stop() {
    if (current_) End(ReplayEnd::Stopped);
}

void ReplayRecorder::Begin(bool keepOldDrawing, int depth) {
    Stop();
    current_.emplace();
    current_->program = BuildVersionText();
    current_->start = known_ = CaptureConditions(game_);
    tick_ = 0;
    captureDepth_ = depth;
    accelerate_ = false;
    Add(ReplayEventKind::Reset, keepOldDrawing);
}

void ReplayRecorder::Add(ReplayEventKind kind, std::int64_t value, int repeat) {
    current_->events.push_back({tick_, kind, repeat, value});
    // A game too long to keep is dropped rather than written unreadable.
    if (current_->events.size() + 3 * current_->landings.size() > kMaxReplayBytes / 2) current_.reset();
}

void ReplayRecorder::InputBegins(const GameInput& input, int depth) {
    if (input.kind == InputKind::Reset) return Begin(input.a != 0, depth);
    if (!current_) return;
    switch (input.kind) {
    case InputKind::EndAnimation:
    case InputKind::AnimationFrame:
    case InputKind::FinishAnimation:
        return End(ReplayEnd::Stopped);  // New Game, the end of a round or leaving
    default:
        break;
    }
    if (depth != captureDepth_) return;  // the game causes this one itself
    if (const PlayConditions now = CaptureConditions(game_); now != known_) {
        current_->changes.push_back(now);
        Add(ReplayEventKind::Conditions, static_cast<std::int64_t>(current_->changes.size() - 1));
        known_ = now;
        if (!current_) return;
    }
    switch (input.kind) {
    case InputKind::Tick:
        if (++tick_ >= kMaxReplayTicks) current_.reset();
        break;
    case InputKind::KeyDown:
        Add(ReplayEventKind::KeyDown, input.a, input.b);
        break;
    case InputKind::PressKey:
        Add(ReplayEventKind::PressKey, input.a, input.b);
        break;
    case InputKind::Enter:
        Add(ReplayEventKind::Enter);
        break;
    case InputKind::ToggleRunning:
        Add(input.a ? ReplayEventKind::PauseNotify : ReplayEventKind::Pause);
        break;
    case InputKind::Present:
        Add(ReplayEventKind::Present, input.a);
        break;
    default:
        break;
    }
}

void ReplayRecorder::InputEnds(const GameInput&, int depth) {
    if (depth < captureDepth_) captureDepth_ = depth;
    // What the input changed itself (the weights learnt from a drop, the end
    // of demo mode on a pause) the replay changes in the same way.
    if (current_ && depth == captureDepth_) known_ = CaptureConditions(game_);
}

void ReplayRecorder::AccelerateRead(bool held) {
    if (!current_ || held == accelerate_) return;
    accelerate_ = held;
    Add(held ? ReplayEventKind::AccelerateDown : ReplayEventKind::AccelerateUp);
}

void ReplayRecorder::SecondsRead(std::int64_t seconds) {
    if (current_) Add(ReplayEventKind::Seconds, seconds);
}

void ReplayRecorder::FigureLanded(const Landing& l) {
    if (!current_) return;
    current_->landings.push_back({tick_, static_cast<std::int8_t>(l.figure), static_cast<std::int8_t>(l.x),
                                  static_cast<std::int8_t>(l.y), static_cast<std::int8_t>(l.removed)});
}

void ReplayRecorder::GameOver(std::int32_t, std::int32_t) {
    if (current_) End(ReplayEnd::Filled);
}

void ReplayRecorder::End(ReplayEnd end) {
    Replay replay = std::move(*current_);
    current_.reset();
    if (replay.landings.empty()) return;  // nothing was played
    const GameRecord& r = game_.record();
    replay.claims = {end, tick_, r.score, r.lines, r.height, r.well};
    replay.recordedAt = now_();
    replay.player = game_.settings().playerName.substr(0, kMaxReplayText);
    if (sink_) sink_(std::move(replay));
}

}  // namespace vexari
