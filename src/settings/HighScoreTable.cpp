// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/HighScoreTable.h"

#include <cstdio>
#include <fstream>
#include <iterator>

#include "settings/IniFile.h"

namespace vexari {

namespace {

std::string Printf(const char* format, auto... args) {
    char buf[128];
    int n = std::snprintf(buf, sizeof buf, format, args...);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof buf) return std::string(buf, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), format, args...);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

HighScoreTable DecodeHighScores(const std::string& bytes) {
    HighScoreTable table;
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        std::size_t at = k * kHighScoreRecordBytes;
        if (at + kHighScoreRecordBytes > bytes.size()) break;  // a partial record counts as missing
        const char* rec = bytes.data() + at;
        std::size_t len = 0;
        while (len < kHighScoreNameBytes - 1 && rec[len] != '\0') ++len;
        HighScoreEntry& e = table.entries[k];
        e.name.assign(rec, len);
        std::uint32_t u = 0;
        for (int b = 3; b >= 0; --b)
            u = (u << 8) | static_cast<unsigned char>(rec[kHighScoreNameBytes + static_cast<std::size_t>(b)]);
        e.score = static_cast<std::int32_t>(u);
    }
    return table;
}

HighScoreTable ReadHighScores(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::string bytes(kHighScoreFileBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return DecodeHighScores(bytes);
}

std::string EncodeHighScores(const HighScoreTable& table) {
    std::string bytes(kHighScoreFileBytes, '\0');
    for (std::size_t k = 0; k < table.entries.size(); ++k) {
        const HighScoreEntry& e = table.entries[k];
        char* rec = bytes.data() + k * kHighScoreRecordBytes;
        std::string name = CutText(e.name, kHighScoreNameBytes - 1);
        for (std::size_t i = 0; i < name.size() && name[i] != '\0'; ++i) rec[i] = name[i];
        auto u = static_cast<std::uint32_t>(e.score);
        for (std::size_t b = 0; b < 4; ++b) rec[kHighScoreNameBytes + b] = static_cast<char>((u >> (8 * b)) & 0xFFu);
    }
    return bytes;
}

SaveResult WriteHighScores(const std::filesystem::path& path, const HighScoreTable& table) {
    // A settings file brought from another machine may name a folder that
    // does not exist here yet.
    if (path.has_parent_path())
        if (SaveResult folder = CreateFolder(path.parent_path()); !folder) return folder;
    return WriteFileSafely(path, EncodeHighScores(table));
}

int FindRank(const HighScoreTable& table, std::int32_t score) {
    for (int k = 0; k < HighScoreTable::kEntries; ++k)
        if (table.entries[static_cast<std::size_t>(k)].score < score) return k;
    return -1;
}

void EnterScore(HighScoreTable& table, int rank, const std::string& name, std::int32_t score) {
    if (rank < 0 || rank >= HighScoreTable::kEntries) return;
    for (int i = HighScoreTable::kEntries - 1; i > rank; --i)
        table.entries[static_cast<std::size_t>(i)] = table.entries[static_cast<std::size_t>(i - 1)];
    HighScoreEntry& e = table.entries[static_cast<std::size_t>(rank)];
    e.name = CutText(name.substr(0, name.find('\0')), kHighScoreNameKept);
    e.score = score;
}

void ResetTable(HighScoreTable& table) { table = HighScoreTable{}; }

std::string FormatCongratulation(const std::string& name, std::int32_t score) {
    return Printf("%-11s: %.6ld score,congratulations", name.c_str(), static_cast<long>(score));
}

std::string FormatScoreOnly(std::int32_t score) { return Printf("%.6ld score", static_cast<long>(score)); }

std::string FormatRow(int k, const std::string& name) { return Printf("%.2d.%-11s", k + 1, name.c_str()); }

std::string FormatScore(std::int32_t score) { return Printf("%.6ld", static_cast<long>(score)); }

bool AcceptAskedText(const std::string& text, std::size_t size) { return size > 0 && text.size() <= size - 1; }

HighScoreView PrepareHighScores(const std::filesystem::path& path, bool newScore, std::int32_t score,
                                std::string& playerName, const AskNameFn& askName) {
    HighScoreView view;
    view.table = ReadHighScores(path);
    if (newScore) {
        int rank = FindRank(view.table, score);
        if (rank >= 0) {
            std::string text = playerName;
            if (askName && askName(text, kAskNameSize) && AcceptAskedText(text, kAskNameSize)) {
                playerName = text;
                EnterScore(view.table, rank, playerName, score);
                view.enteredRank = rank;
            }
            view.message = FormatCongratulation(playerName, score);
        } else {
            view.message = FormatScoreOnly(score);
        }
    }
    view.saved = WriteHighScores(path, view.table);
    return view;
}

SaveResult ResetHighScores(const std::filesystem::path& path, HighScoreTable& table) {
    ResetTable(table);
    return WriteHighScores(path, table);
}

}  // namespace vexari
