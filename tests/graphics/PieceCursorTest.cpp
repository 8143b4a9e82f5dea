#include "PieceCursor.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace zorvic {
namespace {

std::vector<iovec> Pieces(std::uint8_t* memory, const std::vector<std::size_t>& sizes) {
    std::vector<iovec> pieces;
    for (const std::size_t size : sizes) {
        pieces.push_back({memory, size});
        memory += size;
    }
    return pieces;
}

// Where each call starts and how much it asks for, as a system call that moves fewer bytes than
// asked leaves the cursor: empty pieces in front are skipped, a piece moved in part resumes in its
// middle.
TEST(PieceCursor, ResumesWhereTheLastCallStopped) {
    std::uint8_t memory[10] = {};
    TPieceCursor cursor(Pieces(memory, {0, 3, 0, 5, 2}));
    ASSERT_FALSE(cursor.Done());
    EXPECT_EQ(cursor.Next().size(), 4u);
    EXPECT_EQ(cursor.Next()[0].iov_base, memory);
    EXPECT_EQ(cursor.Next()[0].iov_len, 3u);
    cursor.Advance(4); // the first piece and one byte of the second
    ASSERT_EQ(cursor.Next().size(), 2u);
    EXPECT_EQ(cursor.Next()[0].iov_base, memory + 4);
    EXPECT_EQ(cursor.Next()[0].iov_len, 4u);
    cursor.Advance(4);
    ASSERT_EQ(cursor.Next().size(), 1u);
    EXPECT_EQ(cursor.Next()[0].iov_base, memory + 8);
    cursor.Advance(2);
    EXPECT_TRUE(cursor.Done());
    EXPECT_TRUE(TPieceCursor(Pieces(memory, {0, 0})).Done());
}

TEST(PieceCursor, EachCallTakesAtMostTheSystemsLimitOfPieces) {
    std::vector<std::uint8_t> memory(2 * IOV_MAX + 5);
    TPieceCursor cursor(Pieces(memory.data(), std::vector<std::size_t>(memory.size(), 1)));
    for (const std::size_t expected :
         {std::size_t{IOV_MAX}, std::size_t{IOV_MAX}, std::size_t{5}}) {
        ASSERT_EQ(cursor.Next().size(), expected);
        cursor.Advance(expected);
    }
    EXPECT_TRUE(cursor.Done());
}

} // namespace
} // namespace zorvic
