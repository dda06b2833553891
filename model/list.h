#pragma once

#include "model/error.h"

#include <new>
#include <utility>

/// An ordered sequence addressed by zero-based index: a doubly linked chain of
/// nodes with a remembered cursor, so runs of neighbouring accesses cost one
/// step each. Element addresses stay valid until that element is removed.
/// Misuse raises `Error` with the source name "list" and leaves the list as it was.
template <class T>
class List {
public:
    List() = default;
    List(const List& other) { AppendAll(other); }
    List& operator=(const List& other)
    {
        if (this != &other) {
            List copy(other);
            Swap(copy);
        }
        return *this;
    }
    List(List&& other) noexcept { Swap(other); }
    List& operator=(List&& other) noexcept
    {
        if (this != &other) {
            Clear();
            Swap(other);
        }
        return *this;
    }
    ~List() { Clear(); }

    /// Number of elements.
    int Count() const { return m_count; }

    /// The element at `index`; moves the cursor there. Raises
    /// "Error! List index out of bounds!." for an index outside 0 .. Count()-1.
    T& Get(int index)
    {
        if (index < 0 || index >= m_count)
            throw Error("Error! List index out of bounds!.", "list", __LINE__);
        return Reach(index)->value;
    }
    const T& Get(int index) const { return const_cast<List*>(this)->Get(index); }

    /// Copies `value` into a new node that then stands at `index` (Count() appends)
    /// and leaves the cursor on it. Returns the new count. An index outside
    /// 0 .. Count() raises "Error! Attempt to add an element beyond the bounds of the list.".
    int Insert(const T& value, int index)
    {
        if (index < 0 || index > m_count)
            throw Error("Error! Attempt to add an element beyond the bounds of the list.", "list",
                        __LINE__);
        if (m_count == 0) {
            Node* node = nullptr;
            try {
                node = new Node{nullptr, nullptr, value};
            } catch (const std::bad_alloc&) {
                throw Error("Error! Can't allocate memory for first element of list", "list",
                            __LINE__);
            }
            m_head = node;
            m_cursorNode = node;
            m_cursorIndex = 0;
        } else if (index == m_count) {
            Node* last = Reach(m_count - 1);
            Node* node = new Node{nullptr, last, value};
            last->next = node;
            m_cursorNode = node;
            m_cursorIndex = m_count;
        } else if (index == 0) {
            Node* node = new Node{m_head, nullptr, value};
            m_head->prev = node;
            m_head = node;
            m_cursorNode = node;
            m_cursorIndex = 0;
        } else {
            Node* at = Reach(index);
            Node* node = new Node{at, at->prev, value};
            at->prev->next = node;
            at->prev = node;
            m_cursorNode = node;
            m_cursorIndex = index;
        }
        return ++m_count;
    }

    /// Appends `value`; returns the new count.
    int Append(const T& value) { return Insert(value, m_count); }

    /// Destroys the element at `index`. An index outside 0 .. Count()-1 raises
    /// "Error! Attempt to remove an non-existantelement the list.".
    void Remove(int index)
    {
        if (index < 0 || index >= m_count)
            throw Error("Error! Attempt to remove an non-existantelement the list.", "list",
                        __LINE__);
        Node* node = Reach(index);
        Unlink(node);
        if (node->prev) {
            m_cursorNode = node->prev;
            m_cursorIndex = index - 1;
        } else if (node->next) {
            m_cursorNode = node->next;
            m_cursorIndex = 0;
        } else {
            m_cursorNode = nullptr;
            m_cursorIndex = 0;
        }
        --m_count;
        delete node;
    }

    /// Makes the element at `index` the first one, keeping the others' order.
    void MoveToFront(int index)
    {
        if (index < 0 || index >= m_count)
            throw Error("Error! List index out of bounds!.", "list", __LINE__);
        Node* node = Reach(index);
        if (node != m_head) {
            Unlink(node);
            node->prev = nullptr;
            node->next = m_head;
            m_head->prev = node;
            m_head = node;
        }
        m_cursorNode = node;
        m_cursorIndex = 0;
    }

    /// Makes the element at `index` the last one, keeping the others' order.
    void MoveToBack(int index)
    {
        if (index < 0 || index >= m_count)
            throw Error("Error! List index out of bounds!.", "list", __LINE__);
        Node* node = Reach(index);
        if (node->next) {
            Unlink(node);
            Node* last = node->next;
            while (last->next)
                last = last->next;
            node->prev = last;
            node->next = nullptr;
            last->next = node;
        }
        m_cursorNode = node;
        m_cursorIndex = m_count - 1;
    }

    /// Removes the last element repeatedly until the list is empty.
    void Clear()
    {
        while (m_count > 0)
            Remove(m_count - 1);
        m_head = nullptr;
        m_cursorNode = nullptr;
        m_cursorIndex = 0;
    }

    /// Index of the node the cursor stands on (0 for an empty list).
    int CursorIndex() const { return m_cursorIndex; }

private:
    struct Node {
        Node* next;
        Node* prev;
        T value;
    };

    // Walks from the cursor, never from the head, so index-order loops are linear.
    Node* Reach(int index)
    {
        Node* node = m_cursorNode;
        int at = m_cursorIndex;
        while (at > index) {
            node = node->prev;
            --at;
        }
        while (at < index) {
            node = node->next;
            ++at;
        }
        m_cursorNode = node;
        m_cursorIndex = at;
        return node;
    }

    // Takes `node` out of the chain; a removed head hands its place to its successor.
    void Unlink(Node* node)
    {
        if (node->prev)
            node->prev->next = node->next;
        else
            m_head = node->next;
        if (node->next)
            node->next->prev = node->prev;
    }

    void AppendAll(const List& other)
    {
        for (Node* node = other.m_head; node && other.m_count > 0; node = node->next)
            Append(node->value);
    }

    void Swap(List& other) noexcept
    {
        std::swap(m_head, other.m_head);
        std::swap(m_count, other.m_count);
        std::swap(m_cursorIndex, other.m_cursorIndex);
        std::swap(m_cursorNode, other.m_cursorNode);
    }

    Node* m_head = nullptr;
    int m_count = 0;
    int m_cursorIndex = 0;
    Node* m_cursorNode = nullptr;
};
