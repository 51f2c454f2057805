// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "net/OutputQueue.h"

namespace vexari {
namespace {

// What the queue would hand to the system, gathered a few pieces at a time.
std::string Front(const OutputQueue& queue, int most) {
    iovec parts[8];
    std::string out;
    for (int k = 0, n = queue.Gather(parts, most); k < n; ++k)
        out.append(static_cast<const char*>(parts[k].iov_base), parts[k].iov_len);
    return out;
}

// Sends that the system takes in parts of any size give back exactly the
// bytes appended, in order, whether small pieces were joined or a large one
// is shared with other queues.
TEST(OutputQueue, PartialSendsGiveBackEveryByteInOrder) {
    const auto big = std::make_shared<const std::string>(OutputQueue::kSmall + 5, 'B');
    std::string expected;
    OutputQueue queue, other;
    for (const std::string& small : {std::string("ab"), std::string("cde")}) {
        queue.Append(small);
        expected += small;
    }
    queue.Append(big);
    other.Append(big);
    queue.Append(std::string_view("fg"));
    expected += *big + "fg";
    ASSERT_EQ(queue.Size(), static_cast<std::int64_t>(expected.size()));

    std::string sent;
    for (const std::int64_t step : {1, 3, 4000, 7, 100000}) {
        const std::string front = Front(queue, 2);
        const auto taken = std::min<std::int64_t>(step, static_cast<std::int64_t>(front.size()));
        sent += front.substr(0, static_cast<std::size_t>(taken));
        queue.Consume(taken);
        EXPECT_EQ(queue.Size(), static_cast<std::int64_t>(expected.size() - sent.size()));
    }
    sent += Front(queue, 8);
    EXPECT_EQ(sent, expected);
    EXPECT_EQ(Front(other, 8), *big);  // the shared piece is untouched
}

}  // namespace
}  // namespace vexari
