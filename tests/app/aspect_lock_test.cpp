#include "app/aspect_lock.h"

#include <gtest/gtest.h>

// Borders of a typical frame: 16 pixels across, 100 down (caption, menu,
// toolbar and status line).
static constexpr WindowBorders kBorders{16, 100};

TEST(AspectLock, DraggingKeepsTheClientRatio)
{
    struct Row {
        const char* name;
        SizingEdge edge;
        WindowRect dragged;
        WindowRect expected;
    };
    // Client width 600 at ratio 0.75 gives client height 450.
    const Row rows[] = {
        {"right edge", SizingEdge::Right, {0, 0, 616, 400}, {0, 0, 616, 550}},
        {"left edge", SizingEdge::Left, {10, 20, 626, 40}, {10, 20, 626, 570}},
        {"bottom right", SizingEdge::BottomRight, {0, 0, 416, 999}, {0, 0, 416, 400}},
        {"bottom edge", SizingEdge::Bottom, {0, 0, 50, 550}, {0, 0, 616, 550}},
        {"top edge", SizingEdge::Top, {5, 0, 50, 400}, {5, 0, 421, 400}},
        {"top left", SizingEdge::TopLeft, {0, 0, 616, 900}, {0, 350, 616, 900}},
        {"top right", SizingEdge::TopRight, {0, 100, 416, 700}, {0, 300, 416, 700}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(AdjustSizingRect(row.edge, row.dragged, kBorders, 0.75f), row.expected);
    }
}

TEST(AspectLock, ConversionsTruncateTowardZero)
{
    // 401 x 0.75 = 300.75 -> 300; 301 / 0.75 = 401.33 -> 401.
    EXPECT_EQ(AdjustSizingRect(SizingEdge::Right, {0, 0, 417, 0}, kBorders, 0.75f).bottom, 400);
    EXPECT_EQ(AdjustSizingRect(SizingEdge::Bottom, {0, 0, 0, 401}, kBorders, 0.75f).right, 417);
    EXPECT_EQ(LockedWindowHeight(400, 0.75f, kBorders), 400);
    EXPECT_EQ(LockedWindowHeight(401, 0.75f, kBorders), 400);
    EXPECT_EQ(LockedWindowHeight(400, 1.2941f, {0, 0}), 517);
}

TEST(AspectLock, SizeLimitsFollowTheRatio)
{
    // A 1916 x 1100 screen leaves 1900 x 1000 of client area.
    const SizeLimits screen{1916, 1100, 1916, 1100};
    // Tall page (ratio 1.5): the height limits, so the width shrinks.
    EXPECT_EQ(AdjustSizeLimits(screen, kBorders, 1.5f), (SizeLimits{682, 1100, 682, 1100}));
    // Flat page (ratio 0.25): the width limits, so the height shrinks.
    EXPECT_EQ(AdjustSizeLimits(screen, kBorders, 0.25f), (SizeLimits{1916, 575, 1916, 575}));
}
