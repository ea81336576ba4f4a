#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

// The rows of a result by position, each null until it is read. They are kept in blocks that
// come into being with their first row read, so that a result of a million rows costs a pointer
// per block rather than one per row until its rows are read.
template <typename Row, int BlockRows>
class RowTable
{
public:
    int size() const { return m_size; }

    Row *operator[](int row) const
    {
        const auto &block = m_blocks[blockOf(row)];
        return block ? (*block)[slotOf(row)].get() : nullptr;
    }

    void set(int row, std::unique_ptr<Row> value)
    {
        auto &block = m_blocks[blockOf(row)];
        if (!block) {
            if (!value)
                return;
            block = std::make_unique<Block>();
        }
        (*block)[slotOf(row)] = std::move(value);
    }

    // New rows are unread; rows past a smaller size are dropped.
    void resize(int rows)
    {
        for (int row = rows; row < m_size && slotOf(row) != 0; ++row)
            set(row, nullptr);
        m_blocks.resize(size_t((rows + BlockRows - 1) / BlockRows));
        m_size = rows;
    }

    void clear()
    {
        m_blocks.clear();
        m_size = 0;
    }

    // The rows from `at` on move one place down / up.
    void insert(int at, std::unique_ptr<Row> value)
    {
        resize(m_size + 1);
        for (int row = m_size - 1; row > at; --row)
            set(row, take(row - 1));
        set(at, std::move(value));
    }
    void erase(int at)
    {
        for (int row = at; row < m_size - 1; ++row)
            set(row, take(row + 1));
        resize(m_size - 1);
    }

private:
    using Block = std::array<std::unique_ptr<Row>, BlockRows>;

    static size_t blockOf(int row) { return size_t(row / BlockRows); }
    static size_t slotOf(int row) { return size_t(row % BlockRows); }

    std::unique_ptr<Row> take(int row)
    {
        const auto &block = m_blocks[blockOf(row)];
        return block ? std::move((*block)[slotOf(row)]) : nullptr;
    }

    std::vector<std::unique_ptr<Block>> m_blocks;
    int m_size = 0;
};
