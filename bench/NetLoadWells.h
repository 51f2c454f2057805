// SPDX-License-Identifier: GPL-3.0-or-later
// The wells of vexari-netload (--wells K): every client announces the network
// extension behind its join, asks for the wells of the K players after it
// (load<i+1> .. load<i+K>, round the table), and reports a new well with each
// of its landings. The changing bottom row of a reported well holds the
// reporter's sequence number, so each arrival is matched to the time its
// report left: the latency of a well change. Reported: how many wells each
// client shows, the bytes of wells and rosters each receiver got per second,
// and the latencies.
#pragma once
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "net/WireExtension.h"

namespace vexari::netload {

class WellLoad {
public:
    using Clock = std::chrono::steady_clock;

    WellLoad(int players, int watched) : watched_(watched), clients_(static_cast<std::size_t>(players)) {}

    // What a client sends right behind its join.
    static std::string AfterJoin() { return EncodeHello(); }

    // An extension message for client `index`, `bytes` long; returns what
    // the client sends in answer (its subscription), if anything.
    std::string Take(int index, const ServerMessage& m, std::size_t bytes, Clock::time_point now, bool measuring) {
        Client& c = clients_[static_cast<std::size_t>(index)];
        if (measuring) c.bytesMeasured += static_cast<long long>(bytes);
        switch (m.kind) {
            case MSG_EXT_WELCOME: c.welcomed = true; break;
            case MSG_EXT_ROSTER:
                if (numbers_.size() == clients_.size()) break;  // every number known
                if (const auto roster = ParseRoster(m.payload))
                    for (const RosterEntry& e : roster->members)
                        if (e.name.rfind("load", 0) == 0) numbers_[std::atoi(e.name.c_str() + 4)] = e.number;
                break;
            case MSG_EXT_WELL:
            case MSG_EXT_WELL_DIFF: {
                const auto well = ParseWell(m.kind, m.payload, c.known);
                if (!well) break;
                c.known[well->number] = well->well;
                if (!measuring) break;
                ++wellMessages_;
                const auto from = indexOf_.find(well->number);
                if (from == indexOf_.end()) break;
                const std::vector<Clock::time_point>& sent = clients_[static_cast<std::size_t>(from->second)].sentAt;
                const std::size_t seq = Sequence(well->well);
                if (seq < sent.size()) latenciesMs_.push_back(std::chrono::duration<double, std::milli>(now - sent[seq]).count());
                break;
            }
            default: break;
        }
        return c.welcomed && !c.subscribed ? Subscribe(index) : std::string();
    }

    // The report that follows a landing of client `index`.
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

    void Print(double seconds) {
        std::sort(latenciesMs_.begin(), latenciesMs_.end());
        const auto at = [this](double p) {
            if (latenciesMs_.empty()) return 0.0;
            const auto rank = static_cast<std::size_t>(std::ceil(p * double(latenciesMs_.size())));
            return latenciesMs_[std::min(latenciesMs_.size() - 1, rank == 0 ? 0 : rank - 1)];
        };
        std::size_t fewest = clients_.empty() ? 0 : SIZE_MAX, most = 0, shown = 0;
        double bytesMax = 0, bytesSum = 0;
        for (const Client& c : clients_) {
            fewest = std::min(fewest, c.known.size()), most = std::max(most, c.known.size()), shown += c.known.size();
            const double perSecond = seconds > 0 ? double(c.bytesMeasured) / seconds : 0;
            bytesMax = std::max(bytesMax, perSecond), bytesSum += perSecond;
        }
        const double n = clients_.empty() ? 1 : double(clients_.size());
        std::printf(
            "wells: each client asked for %d; shown per client min %zu avg %.1f max %zu; %lld well messages, change "
            "latency p50 %.2f ms p99 %.2f ms max %.2f ms; extension bytes per receiver avg %.0f/s max %.0f/s\n",
            watched_, fewest, double(shown) / n, most, wellMessages_, at(0.5), at(0.99),
            latenciesMs_.empty() ? 0.0 : latenciesMs_.back(), bytesSum / n, bytesMax);
        std::printf(
            "{\"wells_asked\":%d,\"wells_shown_min\":%zu,\"wells_shown_avg\":%.2f,\"wells_shown_max\":%zu,"
            "\"well_messages\":%lld,\"well_p50_ms\":%.3f,\"well_p99_ms\":%.3f,\"well_max_ms\":%.3f,"
            "\"ext_bytes_per_receiver_avg\":%.1f,\"ext_bytes_per_receiver_max\":%.1f}\n",
            watched_, fewest, double(shown) / n, most, wellMessages_, at(0.5), at(0.99),
            latenciesMs_.empty() ? 0.0 : latenciesMs_.back(), bytesSum / n, bytesMax);
    }

private:
    static constexpr int kRows = 8;  // the rows of a reported well

    struct Client {
        bool welcomed = false, subscribed = false;
        std::map<std::int32_t, WellRows> known;  // the wells it shows
        std::vector<Clock::time_point> sentAt;   // by sequence number
        long long bytesMeasured = 0;
    };

    // The bottom row's cells are the sequence number's base-7 digits plus 1.
    static std::size_t Sequence(const WellRows& well) {
        std::size_t seq = 0;
        for (int u = 9; u >= 0; --u) seq = seq * 7 + static_cast<std::size_t>(std::max(0, well.Cell(u, 0) - 1));
        return seq;
    }

    // Once the roster names the K players after it.
    std::string Subscribe(int index) {
        const int players = static_cast<int>(clients_.size());
        Subscription s;
        for (int k = 1; k <= watched_ && k < players; ++k) {
            const auto it = numbers_.find((index + k) % players);
            if (it == numbers_.end()) return {};
            s.numbers.push_back(it->second);
        }
        for (const auto& [i, number] : numbers_) indexOf_[number] = i;
        clients_[static_cast<std::size_t>(index)].subscribed = true;
        return EncodeSubscribe(s);
    }

    int watched_;
    std::vector<Client> clients_;
    std::map<int, std::int32_t> numbers_;  // client index -> the server's number
    std::map<std::int32_t, int> indexOf_;
    std::vector<double> latenciesMs_;
    long long wellMessages_ = 0;
};

}  // namespace vexari::netload
