#pragma once

#include "model/error.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

/// A last-in first-out chain, traversed from the top (newest) element down.
/// Elements live in contiguous blocks that grow geometrically up to a fixed
/// size, so a million pushes cost a few dozen allocations, no element is ever
/// moved once stored, and the memory held stays within one block of the data.
template <class T>
class Stack {
    static constexpr std::size_t kFirstBlock = 16;
    static constexpr std::size_t kLargestBlock = std::size_t(1) << 16;

public:
    /// Iterates from the top (newest) element to the bottom (oldest).
    class const_iterator {
    public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        reference operator*() const { return (*m_blocks)[m_block][m_offset]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++()
        {
            if (m_offset > 0) {
                --m_offset;
            } else {
                --m_block;
                m_offset = m_block >= 0 ? (*m_blocks)[m_block].size() - 1 : 0;
            }
            return *this;
        }
        const_iterator operator++(int)
        {
            const_iterator before = *this;
            ++*this;
            return before;
        }
        bool operator==(const const_iterator& other) const
        {
            return m_block == other.m_block && m_offset == other.m_offset;
        }

    private:
        friend class Stack;
        const_iterator(const std::vector<std::vector<T>>* blocks, std::ptrdiff_t block,
                       std::size_t offset)
            : m_blocks(blocks), m_block(block), m_offset(offset) {}
        const std::vector<std::vector<T>>* m_blocks = nullptr;
        std::ptrdiff_t m_block = -1;
        std::size_t m_offset = 0;
    };

    /// Puts `value` on top.
    void Push(const T& value)
    {
        if (m_blocks.empty() || m_blocks.back().size() == m_blocks.back().capacity())
            AddBlock();
        m_blocks.back().push_back(value);
        ++m_count;
    }

    /// Destroys the top element and returns the new count. An empty stack raises
    /// "Trying to pop an empty stack!" and stays as it was.
    int Pop()
    {
        if (m_count == 0)
            throw Error("Trying to pop an empty stack!", "stack", __LINE__);
        m_blocks.back().pop_back();
        if (m_blocks.back().empty())
            m_blocks.pop_back();
        return --m_count;
    }

    /// The top element; the stack must not be empty.
    const T& Top() const { return m_blocks.back().back(); }

    int Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    /// Pops until the stack is empty.
    void Clear()
    {
        m_blocks.clear();
        m_count = 0;
    }

    const_iterator begin() const
    {
        if (m_count == 0)
            return end();
        return const_iterator(&m_blocks, std::ptrdiff_t(m_blocks.size()) - 1,
                              m_blocks.back().size() - 1);
    }
    const_iterator end() const { return const_iterator(&m_blocks, -1, 0); }

    /// Calls `visit` for each element from the top down; faster than iterating.
    template <class Visit>
    void ForEachFromTop(Visit&& visit) const
    {
        for (auto block = m_blocks.rbegin(); block != m_blocks.rend(); ++block)
            for (auto element = block->rbegin(); element != block->rend(); ++element)
                visit(*element);
    }

    /// Pushes every element of `source` from its top down, so this stack is then
    /// traversed in the reverse of `source`'s order.
    void PushAllFromTop(const Stack& source)
    {
        source.ForEachFromTop([this](const T& value) { Push(value); });
    }

    /// Bytes held by the elements' blocks (capacity, not count).
    std::size_t HeldBytes() const
    {
        std::size_t bytes = m_blocks.capacity() * sizeof(std::vector<T>);
        for (const auto& block : m_blocks)
            bytes += block.capacity() * sizeof(T);
        return bytes;
    }

private:
    void AddBlock()
    {
        std::size_t size = m_blocks.empty()
                               ? kFirstBlock
                               : std::min(kLargestBlock, m_blocks.back().capacity() * 2);
        m_blocks.emplace_back();
        m_blocks.back().reserve(size);
    }

    std::vector<std::vector<T>> m_blocks;
    int m_count = 0;
};
