// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <sys/uio.h>

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>

namespace vexari {

// The bytes waiting to go out on one socket, in order. Small pieces are
// joined into one; a large piece sent to many sockets is held by reference,
// so all its recipients share one copy.
class OutputQueue {
public:
    // Pieces below this size are copied and joined.
    static constexpr std::size_t kSmall = 4096;

    void Append(std::string_view bytes);
    void Append(const std::shared_ptr<const std::string>& shared);
    std::int64_t Size() const { return size_; }
    bool Empty() const { return size_ == 0; }
    // Points up to `most` iovecs at the front of the queue; returns how many.
    int Gather(iovec* parts, int most) const;
    // The first `bytes` have been sent.
    void Consume(std::int64_t bytes);
    void Clear();

private:
    struct Piece {
        std::shared_ptr<const std::string> shared;  // or, when null, own
        std::string own;
        std::size_t offset = 0;  // bytes already sent
        std::string_view Bytes() const { return shared ? std::string_view(*shared) : std::string_view(own); }
    };
    std::deque<Piece> pieces_;
    std::int64_t size_ = 0;
    std::string spare_;  // the memory of the last piece sent, for the next one
};

}  // namespace vexari
