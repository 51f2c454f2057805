// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "replay/Replay.h"

namespace vexari {

// The replay file (see docs/replay-format.md).
inline constexpr char kReplayMagic[4] = {'V', 'X', 'R', 'P'};
inline constexpr std::uint8_t kReplayFormat = 1;
inline constexpr const char* kReplayExtension = ".vxr";
// Limits a file must keep, so that no file can make the reader or the
// player take much memory or time: a game of this many bytes holds some
// hundred thousand figures; the ticks are three weeks of play.
inline constexpr std::size_t kMaxReplayBytes = 512 * 1024;
inline constexpr std::uint32_t kMaxReplayTicks = 1u << 25;
inline constexpr std::size_t kMaxReplayText = 64;
inline constexpr int kMaxReplayRepeat = 1000;

std::string EncodeReplay(const Replay& replay);

struct ReplayReadResult {
    std::optional<Replay> replay;
    std::string error;  // one line, when replay is empty
};

// Reads a replay from untrusted bytes: anything that is not a whole,
// undamaged replay of this format gives an error saying what is wrong.
ReplayReadResult DecodeReplay(std::string_view bytes);
// The same from a file; a file larger than kMaxReplayBytes is refused
// without being read.
ReplayReadResult ReadReplayFile(const std::filesystem::path& path);

// Two wells agree on the playing field of height `height`.
bool SameField(const Well& a, const Well& b, int height);

}  // namespace vexari
