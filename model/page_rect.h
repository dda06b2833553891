#pragma once

/// The device rectangle of the whole page that every draw, hit-test and
/// bounding-box call receives. Page fractions run from 0 at the left to 1 at the
/// right and from 0 at the bottom to 1 at the top; device y grows downwards.
struct PageRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool operator==(const PageRect&) const = default;
};
