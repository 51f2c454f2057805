// SPDX-License-Identifier: GPL-3.0-or-later
// The wells of vexari-netload (--wells K, --spectators N): every player
// announces the network extension behind its join, asks for the wells of the
// K players after it (load<i+1> .. load<i+K>, round the table), and reports a
// new well with each of its landings. A spectator ("watch<j>") announces
// first, watches once welcomed, and gets every player's well. The changing
// bottom row of a reported well holds the reporter's sequence number, so
// each arrival is matched to the time its report left: the latency of a well
// change. Reported for players and spectators apart: how many wells each
// shows, the bytes each receiver got per second (all of them, and those of
// the extension), and the latencies.
#pragma once
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "net/WireExtension.h"

namespace vexari::netload {

// The value at fraction p of sorted values (nearest rank), 0 without any.
inline double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty()) return 0;
    const auto rank = static_cast<std::size_t>(std::ceil(p * double(sorted.size())));
    return sorted[std::min(sorted.size() - 1, rank == 0 ? 0 : rank - 1)];
}

class WellLoad {
public:
    using Clock = std::chrono::steady_clock;

    // Clients 0 .. players-1 play, the `spectators` after them watch.
    WellLoad(int players, int watched, int spectators)
        : players_(players), watched_(watched), clients_(static_cast<std::size_t>(players + spectators)) {}

    bool IsSpectator(int index) const { return index >= players_; }
    // What a client sends first: a player right behind its join, a
    // spectator instead of one.
    static std::string Opening() { return EncodeHello(); }

    // An extension message for client `index`, `bytes` long; returns what
    // the client sends in answer (its subscription or its watch), if anything.
    std::string Take(int index, const ServerMessage& m, std::size_t bytes, Clock::time_point now, bool measuring) {
        Client& c = clients_[static_cast<std::size_t>(index)];
        if (measuring) c.extBytes += static_cast<long long>(bytes);
        switch (m.kind) {
            case MSG_EXT_WELCOME: c.welcomed = true; break;
            case MSG_EXT_ROSTER:
                if (static_cast<int>(numbers_.size()) == players_) break;  // every number known
                if (const auto roster = ParseRoster(m.payload))
                    for (const RosterEntry& e : roster->members)
                        if (e.name.rfind("load", 0) == 0) {
                            const int i = std::atoi(e.name.c_str() + 4);
                            numbers_[i] = e.number, indexOf_[e.number] = i;
                        }
                break;
            case MSG_EXT_WELL:
            case MSG_EXT_WELL_DIFF: {
                const auto well = ParseWell(m.kind, m.payload, c.known);
                if (!well) break;
                c.known[well->number] = well->well;
                if (!measuring) break;
                const auto from = indexOf_.find(well->number);
                if (from == indexOf_.end()) break;
                const std::vector<Clock::time_point>& sent = clients_[static_cast<std::size_t>(from->second)].sentAt;
                const std::size_t seq = Sequence(well->well);
                if (seq < sent.size())
                    latenciesMs_[IsSpectator(index)].push_back(
                        std::chrono::duration<double, std::milli>(now - sent[seq]).count());
                break;
            }
            default: break;
        }
        if (!c.welcomed || c.asked) return {};
        if (IsSpectator(index)) {
            c.asked = true;
            return EncodeWatch("watch" + std::to_string(index - players_));
        }
        return Subscribe(index);
    }

    // The report that follows a landing of player `index`.
    std::string Report(int index, Clock::time_point now) {
        Client& c = clients_[static_cast<std::size_t>(index)];
        if (!c.welcomed) return {};
        std::size_t seq = c.sentAt.size();
        c.sentAt.push_back(now);
        WellRows well{25, {}};
        for (int u = 0; u < 10; ++u, seq /= 7) well.SetCell(u, 0, static_cast<int>(seq % 7) + 1);
        for (int v = 1; v < kRows; ++v)
            for (int u = 0; u < 10; ++u) well.SetCell(u, v, (u + v) % 3 == 0 ? 0 : 1 + (index + v) % 7);
        return EncodeReport(well);
    }

    // `allBytes`: what each client received while measuring, every kind.
    void Print(double seconds, const std::vector<long long>& allBytes) {
        for (int kind = 0; kind < 2; ++kind) {
            const int from = kind == 0 ? 0 : players_, to = kind == 0 ? players_ : static_cast<int>(clients_.size());
            if (to <= from) continue;
            std::vector<double>& latencies = latenciesMs_[kind];
            std::sort(latencies.begin(), latencies.end());
            std::size_t fewest = SIZE_MAX, most = 0, shown = 0;
            double allMax = 0, allSum = 0, extMax = 0, extSum = 0;
            for (int i = from; i < to; ++i) {
                const Client& c = clients_[static_cast<std::size_t>(i)];
                fewest = std::min(fewest, c.known.size()), most = std::max(most, c.known.size());
                shown += c.known.size();
                const double all = seconds > 0 ? double(allBytes[static_cast<std::size_t>(i)]) / seconds : 0;
                const double ext = seconds > 0 ? double(c.extBytes) / seconds : 0;
                allMax = std::max(allMax, all), allSum += all, extMax = std::max(extMax, ext), extSum += ext;
            }
            const double n = to - from, maxMs = latencies.empty() ? 0.0 : latencies.back();
            const char* who = kind == 0 ? "players" : "spectators";
            std::printf(
                "wells, %d %s (each asked for %s): shown min %zu avg %.1f max %zu; %zu well changes arrived, "
                "latency p50 %.2f ms p99 %.2f ms max %.2f ms; bytes per receiver avg %.0f/s max %.0f/s, of which "
                "the extension's avg %.0f/s max %.0f/s\n",
                to - from, who, kind == 0 ? std::to_string(watched_).c_str() : "all", fewest, double(shown) / n, most,
                latencies.size(), Percentile(latencies, 0.5), Percentile(latencies, 0.99), maxMs, allSum / n, allMax,
                extSum / n, extMax);
            std::printf(
                "{\"wells_receivers\":\"%s\",\"receivers\":%d,\"wells_asked\":%d,\"wells_shown_min\":%zu,"
                "\"wells_shown_avg\":%.2f,\"wells_shown_max\":%zu,\"well_messages\":%zu,\"well_p50_ms\":%.3f,"
                "\"well_p99_ms\":%.3f,\"well_max_ms\":%.3f,\"bytes_per_receiver_avg\":%.1f,"
                "\"bytes_per_receiver_max\":%.1f,\"ext_bytes_per_receiver_avg\":%.1f,"
                "\"ext_bytes_per_receiver_max\":%.1f}\n",
                who, to - from, kind == 0 ? watched_ : -1, fewest, double(shown) / n, most, latencies.size(),
                Percentile(latencies, 0.5), Percentile(latencies, 0.99), maxMs, allSum / n, allMax, extSum / n,
                extMax);
        }
    }

private:
    static constexpr int kRows = 8;  // the rows of a reported well

    struct Client {
        bool welcomed = false, asked = false;    // asked: subscribed, or sent its watch
        std::map<std::int32_t, WellRows> known;  // the wells it shows
        std::vector<Clock::time_point> sentAt;   // by sequence number
        long long extBytes = 0;
    };

    // The bottom row's cells are the sequence number's base-7 digits plus 1.
    static std::size_t Sequence(const WellRows& well) {
        std::size_t seq = 0;
        for (int u = 9; u >= 0; --u) seq = seq * 7 + static_cast<std::size_t>(std::max(0, well.Cell(u, 0) - 1));
        return seq;
    }

    // Once the roster names the K players after it.
    std::string Subscribe(int index) {
        Subscription s;
        for (int k = 1; k <= watched_ && k < players_; ++k) {
            const auto it = numbers_.find((index + k) % players_);
            if (it == numbers_.end()) return {};
            s.numbers.push_back(it->second);
        }
        clients_[static_cast<std::size_t>(index)].asked = true;
        return EncodeSubscribe(s);
    }

    int players_;
    int watched_;
    std::vector<Client> clients_;
    std::map<int, std::int32_t> numbers_;  // player index -> the server's number
    std::map<std::int32_t, int> indexOf_;
    std::vector<double> latenciesMs_[2];   // arrivals at players, at spectators
};

}  // namespace vexari::netload
