#include "model/list.h"
#include "model/stack.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include <functional>
#include <string>
#include <vector>

static std::vector<int> Contents(List<int>& list)
{
    std::vector<int> values;
    for (int i = 0; i < list.Count(); ++i)
        values.push_back(list.Get(i));
    return values;
}

static List<int> ListOf(std::initializer_list<int> values)
{
    List<int> list;
    for (int value : values)
        list.Append(value);
    return list;
}

static void ExpectError(const std::function<void()>& action, const char* message, const char* file)
{
    try {
        action();
        ADD_FAILURE() << "no error raised, expected " << message;
    } catch (const Error& error) {
        EXPECT_STREQ(error.message, message);
        EXPECT_STREQ(error.file, file);
        EXPECT_GT(error.line, 0);
    }
}

TEST(List, InsertPlacesAtIndexAndLeavesCursorOnNewNode)
{
    List<int> list = ListOf({1, 2, 3});
    EXPECT_EQ(list.Insert(9, 3), 4); // at count appends
    EXPECT_EQ(list.CursorIndex(), 3);
    EXPECT_EQ(list.Insert(0, 0), 5);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(list.Insert(5, 2), 6);
    EXPECT_EQ(list.CursorIndex(), 2);
    EXPECT_EQ(Contents(list), (std::vector<int>{0, 1, 5, 2, 3, 9}));
}

TEST(List, RejectedOperationsRaiseTheirMessagesAndChangeNothing)
{
    const char* bounds = "Error! List index out of bounds!.";
    List<int> list = ListOf({1, 2, 3});
    ExpectError([&] { list.Insert(7, 4); },
                "Error! Attempt to add an element beyond the bounds of the list.", "list");
    ExpectError([&] { list.Insert(7, -1); },
                "Error! Attempt to add an element beyond the bounds of the list.", "list");
    ExpectError([&] { list.Get(-1); }, bounds, "list");
    ExpectError([&] { list.Get(3); }, bounds, "list");
    ExpectError([&] { list.Remove(3); },
                "Error! Attempt to remove an non-existantelement the list.", "list");
    ExpectError([&] { list.Remove(-1); },
                "Error! Attempt to remove an non-existantelement the list.", "list");
    ExpectError([&] { list.MoveToFront(3); }, bounds, "list");
    ExpectError([&] { list.MoveToBack(-1); }, bounds, "list");
    EXPECT_EQ(Contents(list), (std::vector<int>{1, 2, 3}));

    List<int> empty;
    ExpectError([&] { empty.Get(0); }, bounds, "list");
    ExpectError([&] { empty.Remove(0); },
                "Error! Attempt to remove an non-existantelement the list.", "list");
}

TEST(List, RemoveMovesCursorAndHead)
{
    List<int> list = ListOf({10, 11, 12});
    list.Remove(0);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(list.Get(0), 11);
    list.Remove(1);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(Contents(list), (std::vector<int>{11}));
    list.Remove(0);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.CursorIndex(), 0);
    EXPECT_EQ(list.Insert(42, 0), 1);
    EXPECT_EQ(list.Get(0), 42);
}

TEST(List, MoveToFrontAndBackKeepTheOthersInOrder)
{
    struct Row {
        int index;
        bool front;
        std::vector<int> expected;
        int cursor;
    };
    const Row rows[] = {
        {2, true, {2, 0, 1, 3}, 0},  {0, true, {0, 1, 2, 3}, 0},  {3, true, {3, 0, 1, 2}, 0},
        {0, false, {1, 2, 3, 0}, 3}, {3, false, {0, 1, 2, 3}, 3}, {1, false, {0, 2, 3, 1}, 3},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.index) + (row.front ? " to front" : " to back"));
        List<int> list = ListOf({0, 1, 2, 3});
        if (row.front)
            list.MoveToFront(row.index);
        else
            list.MoveToBack(row.index);
        EXPECT_EQ(list.CursorIndex(), row.cursor);
        EXPECT_EQ(Contents(list), row.expected);
        // The links must hold in both directions: walk backwards too.
        std::vector<int> backwards;
        for (int i = list.Count() - 1; i >= 0; --i)
            backwards.push_back(list.Get(i));
        EXPECT_EQ(std::vector<int>(backwards.rbegin(), backwards.rend()), row.expected);
    }
}

TEST(List, CopiesAreIndependentAndElementsStayPut)
{
    List<std::string> list;
    list.Append("a");
    std::string* first = &list.Get(0);
    for (int i = 0; i < 100; ++i)
        list.Insert("x", 1);
    EXPECT_EQ(first, &list.Get(0));
    List<std::string> copy = list;
    copy.Get(0) = "changed";
    EXPECT_EQ(list.Get(0), "a");
    EXPECT_EQ(copy.Count(), 101);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(copy.Get(100), "x");
}

TEST(Stack, PushPopAndTraversalFromTheTop)
{
    Stack<int> stack;
    ExpectError([&] { stack.Pop(); }, "Trying to pop an empty stack!", "stack");
    for (int i = 0; i < 100000; ++i)
        stack.Push(i);
    EXPECT_EQ(stack.Count(), 100000);
    EXPECT_EQ(stack.Top(), 99999);
    int expected = 99999;
    bool inOrder = true;
    for (int value : stack)
        inOrder = inOrder && value == expected--;
    EXPECT_TRUE(inOrder);
    EXPECT_EQ(expected, -1);
    // Popping across block boundaries and pushing again keeps the order.
    for (int i = 0; i < 60000; ++i)
        stack.Pop();
    EXPECT_EQ(stack.Top(), 39999);
    stack.Push(-5);
    std::vector<int> top3;
    for (auto it = stack.begin(); top3.size() < 3; ++it)
        top3.push_back(*it);
    EXPECT_EQ(top3, (std::vector<int>{-5, 39999, 39998}));
    EXPECT_EQ(stack.Pop(), 40000);
    stack.Clear();
    EXPECT_TRUE(stack.begin() == stack.end());
    ExpectError([&] { stack.Pop(); }, "Trying to pop an empty stack!", "stack");
}

TEST(Stack, CopiesShareStorageUntilEitherSideChanges)
{
    // Rows: pushes on the copy, pops then pushes on the source, both across
    // block boundaries.
    struct Row {
        const char* what;
        int size, sourcePops, sourcePushes, copyPushes;
    };
    for (const Row& row : {Row{"push on the copy", 100, 0, 0, 5}, Row{"pop and push on the source", 100, 7, 3, 0},
                           Row{"both, across blocks", 70000, 40, 20000, 20000}}) {
        SCOPED_TRACE(row.what);
        Stack<int> source;
        for (int i = 0; i < row.size; ++i)
            source.Push(i);
        Stack<int> copy = source;
        std::vector<const void*> sourceBlocks, copyBlocks;
        source.ForEachBlock([&](const void* block, std::size_t) { sourceBlocks.push_back(block); });
        copy.ForEachBlock([&](const void* block, std::size_t) { copyBlocks.push_back(block); });
        EXPECT_EQ(sourceBlocks, copyBlocks) << "the copy shares every block";
        for (int i = 0; i < row.sourcePops; ++i)
            source.Pop();
        for (int i = 0; i < row.sourcePushes; ++i)
            source.Push(-1 - i);
        for (int i = 0; i < row.copyPushes; ++i)
            copy.Push(1000000 + i);
        std::vector<int> expectSource, expectCopy;
        for (int i = 0; i < row.size - row.sourcePops; ++i)
            expectSource.push_back(i);
        for (int i = 0; i < row.sourcePushes; ++i)
            expectSource.push_back(-1 - i);
        for (int i = 0; i < row.size; ++i)
            expectCopy.push_back(i);
        for (int i = 0; i < row.copyPushes; ++i)
            expectCopy.push_back(1000000 + i);
        std::vector<int> seenSource(source.begin(), source.end()), seenCopy(copy.begin(), copy.end());
        std::reverse(seenSource.begin(), seenSource.end());
        std::reverse(seenCopy.begin(), seenCopy.end());
        EXPECT_EQ(seenSource, expectSource);
        EXPECT_EQ(seenCopy, expectCopy);
    }
}

TEST(Error, HandlerTextFallsBackForMissingMessage)
{
    EXPECT_STREQ(Error().Text(), "Excepts error thrown");
    EXPECT_STREQ(IO_Error("A unknown flag was found on the command line", "CommandLine", 1).Text(),
                 "A unknown flag was found on the command line");
    try {
        throw Mem_Error("Can't allocate text buffer", "Text", 3);
    } catch (const Error& error) {
        EXPECT_STREQ(error.Text(), "Can't allocate text buffer");
        EXPECT_STREQ(error.file, "Text");
    }
    Bounds_Error copy = Bounds_Error("loc out of bounds", "Text", 9);
    EXPECT_EQ(copy.line, 9);
}
