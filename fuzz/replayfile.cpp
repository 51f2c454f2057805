// SPDX-License-Identifier: GPL-3.0-or-later
// Replay file reader: any bytes either read as a replay or give a one-line
// error; a replay that reads writes back to bytes that read as the same
// replay, and plays to a verdict without crashing. The input is tried as it is and with its
// checksum made right, so that the fuzzer reaches the fields behind it.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "replay/ByteCodec.h"
#include "replay/ReplayCodec.h"
#include "replay/ReplayPlayer.h"

namespace {

using namespace vexari;

// Longer games are read but not played, to keep each run short.
constexpr std::uint32_t kMaxTicksPlayed = 20000;

void Check(const std::string& bytes) {
    const ReplayReadResult read = DecodeReplay(bytes);
    if (!read.replay) {
        FUZZ_CHECK(!read.error.empty() && read.error.find('\n') == std::string::npos, "error \"%s\"",
                   read.error.c_str());
        return;
    }
    const ReplayReadResult again = DecodeReplay(EncodeReplay(*read.replay));
    FUZZ_CHECK(again.replay && *again.replay == *read.replay, "a replay changed in a write and read");
    if (read.replay->claims.ticks > kMaxTicksPlayed) return;
    ReplayPlayer player(*read.replay);
    player.StepFigure();
    player.RunToEnd();
    FUZZ_CHECK(player.Finished() && player.Verdict().ok == player.Verdict().message.empty(), "verdict");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string bytes(reinterpret_cast<const char*>(data), size);
    Check(bytes);
    if (bytes.size() >= 9) {
        ByteWriter crc;
        crc.Fixed32(Crc32(std::string_view(bytes).substr(0, bytes.size() - 4)));
        bytes.replace(bytes.size() - 4, 4, crc.bytes());
        Check(bytes);
    }
    return 0;
}
