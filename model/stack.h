#pragma once

#include "model/error.h"

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <memory>
#include <type_traits>
#include <vector>

/// Hands out version numbers that no stack has had before: a new value in the
/// upper 32 bits, with room for 2^32 changes below it.
inline std::uint64_t FreshStackVersion()
{
    static std::atomic<std::uint64_t> stamps{0};
    return (stamps.fetch_add(1, std::memory_order_relaxed) + 1) << 32;
}

/// A last-in first-out chain, traversed from the top (newest) element down.
/// Elements live in contiguous blocks that grow geometrically up to a fixed
/// size, so a million pushes cost a few dozen allocations, no element is ever
/// moved once stored, and the memory held stays within one block of the data.
/// A copy shares the blocks with its source; a push into a top block that
/// another stack still shares copies that one block first, so neither side
/// ever sees the other's later changes and a copy of a million elements
/// costs a few dozen pointers. Holds plain values (numbers and small records
/// of them).
template <class T>
class Stack {
    static_assert(std::is_trivially_copyable_v<T>, "Stack holds plain values");
    static constexpr std::size_t kFirstBlock = 16;
    static constexpr std::size_t kLargestBlock = std::size_t(1) << 16;

    struct Block {
        std::shared_ptr<T[]> data;
        std::size_t capacity = 0;
    };

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
        reference operator*() const { return m_stack->m_blocks[m_block].data[m_offset]; }
        pointer operator->() const { return &**this; }
        const_iterator& operator++()
        {
            if (m_offset > 0) {
                --m_offset;
            } else if (--m_block >= 0) {
                m_offset = m_stack->m_blocks[m_block].capacity - 1;
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
        const_iterator(const Stack* stack, std::ptrdiff_t block, std::size_t offset)
            : m_stack(stack), m_block(block), m_offset(offset) {}
        const Stack* m_stack = nullptr;
        std::ptrdiff_t m_block = -1;
        std::size_t m_offset = 0;
    };

    Stack() = default;
    Stack(const Stack& other) { CopyFrom(other); }
    Stack& operator=(const Stack& other)
    {
        if (this != &other) {
            Clear();
            CopyFrom(other);
        }
        return *this;
    }
    Stack(Stack&& other) noexcept
    {
        Swap(other);
        m_version = FreshStackVersion();
        other.m_version = FreshStackVersion();
    }
    Stack& operator=(Stack&& other) noexcept
    {
        if (this != &other) {
            Clear();
            Swap(other);
            m_version = FreshStackVersion();
            other.m_version = FreshStackVersion();
        }
        return *this;
    }

    /// Puts `value` on top.
    void Push(const T& value)
    {
        if (m_fill == m_capacity)
            AddBlock();
        else if (m_blocks.back().data.use_count() > 1)
            UnshareTopBlock();
        m_top[m_fill++] = value;
        ++m_count;
        ++m_version;
    }

    /// Destroys the top element and returns the new count. An empty stack raises
    /// "Trying to pop an empty stack!" and stays as it was.
    int Pop()
    {
        if (m_count == 0)
            throw Error("Trying to pop an empty stack!", "stack", __LINE__);
        if (--m_fill == 0) {
            m_blocks.pop_back();
            m_top = m_blocks.empty() ? nullptr : m_blocks.back().data.get();
            m_capacity = m_blocks.empty() ? 0 : m_blocks.back().capacity;
            m_fill = m_capacity; // every block below the top one is full
        }
        ++m_version;
        return --m_count;
    }

    /// The top element; the stack must not be empty.
    const T& Top() const { return m_top[m_fill - 1]; }

    int Count() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    /// Pops until the stack is empty.
    void Clear()
    {
        m_blocks.clear();
        m_top = nullptr;
        m_capacity = m_fill = 0;
        m_count = 0;
        m_version = FreshStackVersion();
    }

    /// Changes whenever the contents may have changed (push, pop, clear,
    /// assignment), and never returns to an earlier value, so what is computed
    /// from the contents can be kept under it.
    std::uint64_t Version() const { return m_version; }

    const_iterator begin() const
    {
        if (m_count == 0)
            return end();
        return const_iterator(this, std::ptrdiff_t(m_blocks.size()) - 1, m_fill - 1);
    }
    const_iterator end() const { return const_iterator(this, -1, 0); }

    /// Calls `visit` for each element from the top down; faster than iterating.
    template <class Visit>
    void ForEachFromTop(Visit&& visit) const
    {
        for (std::size_t b = m_blocks.size(); b-- > 0;) {
            const T* data = m_blocks[b].data.get();
            for (std::size_t i = b + 1 == m_blocks.size() ? m_fill : m_blocks[b].capacity; i-- > 0;)
                visit(data[i]);
        }
    }

    /// Pushes every element of `source` from its top down, so this stack is then
    /// traversed in the reverse of `source`'s order.
    void PushAllFromTop(const Stack& source)
    {
        source.ForEachFromTop([this](const T& value) { Push(value); });
    }

    /// Calls `visit` (block address, bytes) for each block of elements, so that
    /// storage shared between copies can be told apart and counted once.
    template <class Visit>
    void ForEachBlock(Visit&& visit) const
    {
        for (const Block& block : m_blocks)
            visit(static_cast<const void*>(block.data.get()), block.capacity * sizeof(T));
    }

    /// Bytes held by the elements' blocks (capacity, not count).
    std::size_t HeldBytes() const
    {
        std::size_t bytes = m_blocks.capacity() * sizeof(Block);
        for (const Block& block : m_blocks)
            bytes += block.capacity * sizeof(T);
        return bytes;
    }

private:
    void AddBlock()
    {
        const std::size_t size =
            m_blocks.empty() ? kFirstBlock : std::min(kLargestBlock, m_capacity * 2);
        m_blocks.push_back({std::make_shared_for_overwrite<T[]>(size), size});
        m_top = m_blocks.back().data.get();
        m_capacity = size;
        m_fill = 0;
    }

    // The top block is shared with a copy: this stack takes a block of its own
    // holding the elements it uses, so the push does not write into the copy's.
    void UnshareTopBlock()
    {
        Block& top = m_blocks.back();
        std::shared_ptr<T[]> own = std::make_shared_for_overwrite<T[]>(top.capacity);
        std::copy_n(top.data.get(), m_fill, own.get());
        top.data = std::move(own);
        m_top = top.data.get();
    }

    void CopyFrom(const Stack& other)
    {
        m_blocks = other.m_blocks;
        m_top = m_blocks.empty() ? nullptr : m_blocks.back().data.get();
        m_capacity = other.m_capacity;
        m_fill = other.m_fill;
        m_count = other.m_count;
        m_version = FreshStackVersion();
    }

    void Swap(Stack& other) noexcept
    {
        std::swap(m_blocks, other.m_blocks);
        std::swap(m_top, other.m_top);
        std::swap(m_capacity, other.m_capacity);
        std::swap(m_fill, other.m_fill);
        std::swap(m_count, other.m_count);
    }

    std::vector<Block> m_blocks;
    T* m_top = nullptr;          // the top block's elements
    std::size_t m_capacity = 0;  // size of the top block
    std::size_t m_fill = 0;      // elements used in the top block
    int m_count = 0;
    std::uint64_t m_version = 0;
};
