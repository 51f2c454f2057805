// SPDX-License-Identifier: GPL-3.0-or-later
// High-score reader: any bytes decode to ten entries that write back as the
// 160-byte layout and decode again to the same table; the dialog's texts and
// the entry of a new score take whatever a file holds.
#include <cstdint>
#include <string>

#include "FuzzSupport.h"
#include "settings/HighScoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vexari;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    HighScoreTable table = DecodeHighScores(bytes);
    for (const HighScoreEntry& entry : table.entries)
        FUZZ_CHECK(entry.name.size() < kHighScoreNameBytes, "name of %zu bytes", entry.name.size());

    const std::string encoded = EncodeHighScores(table);
    FUZZ_CHECK(encoded.size() == kHighScoreFileBytes, "%zu bytes written", encoded.size());
    FUZZ_CHECK(DecodeHighScores(encoded) == table, "the table changed in a write and read");

    for (int k = 0; k < HighScoreTable::kEntries; ++k) {
        const HighScoreEntry& entry = table.entries[static_cast<std::size_t>(k)];
        FormatRow(k, entry.name);
        FormatScore(entry.score);
        FormatCongratulation(entry.name, entry.score);
    }
    // The last record's score enters as a new one, named after the first.
    const std::int32_t score = table.entries.back().score;
    const int rank = FindRank(table, score);
    FUZZ_CHECK(rank >= -1 && rank < HighScoreTable::kEntries, "rank %d", rank);
    EnterScore(table, rank, table.entries.front().name, score);
    if (rank >= 0) FUZZ_CHECK(table.entries[static_cast<std::size_t>(rank)].score == score, "score not entered");
    return 0;
}
