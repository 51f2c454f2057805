// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/OutputQueue.h"

namespace vexari {

void OutputQueue::Append(std::string_view bytes) {
    if (bytes.empty()) return;
    size_ += static_cast<std::int64_t>(bytes.size());
    if (!pieces_.empty() && !pieces_.back().shared && pieces_.back().own.size() < kSmall && bytes.size() < kSmall) {
        pieces_.back().own.append(bytes);
        return;
    }
    Piece& piece = pieces_.emplace_back();
    piece.own = std::move(spare_);  // a queue that empties and fills again allocates nothing
    piece.own.assign(bytes);
}

void OutputQueue::Append(const std::shared_ptr<const std::string>& shared) {
    if (!shared || shared->empty()) return;
    if (shared->size() < kSmall) {
        Append(std::string_view(*shared));
        return;
    }
    size_ += static_cast<std::int64_t>(shared->size());
    pieces_.emplace_back().shared = shared;
}

int OutputQueue::Gather(iovec* parts, int most) const {
    int count = 0;
    for (auto it = pieces_.begin(); it != pieces_.end() && count < most; ++it, ++count) {
        const std::string_view rest = it->Bytes().substr(it->offset);
        parts[count].iov_base = const_cast<char*>(rest.data());
        parts[count].iov_len = rest.size();
    }
    return count;
}

void OutputQueue::Consume(std::int64_t bytes) {
    while (bytes > 0 && !pieces_.empty()) {
        Piece& front = pieces_.front();
        const auto rest = static_cast<std::int64_t>(front.Bytes().size() - front.offset);
        if (bytes < rest) {
            front.offset += static_cast<std::size_t>(bytes);
            size_ -= bytes;
            return;
        }
        bytes -= rest;
        size_ -= rest;
        if (!front.shared && front.own.capacity() > spare_.capacity() && front.own.capacity() <= 4 * kSmall)
            spare_ = std::move(front.own);
        pieces_.pop_front();
    }
}

void OutputQueue::Clear() {
    pieces_.clear();
    size_ = 0;
}

}  // namespace vexari
