#pragma once

/// Window geometry arithmetic for keeping the client area at a fixed
/// height-to-width ratio while the user resizes the window.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const WindowRect&) const = default;
};

/// The edge or corner the user drags.
enum class SizingEdge { Left, Right, Top, Bottom, TopLeft, TopRight, BottomLeft, BottomRight };

/// Borders: window size minus client size, horizontally and vertically.
struct WindowBorders {
    int horizontal = 0;
    int vertical = 0;
};

/// Maximised size and largest tracking size a window may take.
struct SizeLimits {
    int maxWidth = 0;
    int maxHeight = 0;
    int maxTrackWidth = 0;
    int maxTrackHeight = 0;
    bool operator==(const SizeLimits&) const = default;
};

/// Window height that gives a client area of `clientWidth` x trunc(clientWidth x ratio).
int LockedWindowHeight(int clientWidth, float ratio, WindowBorders borders);

/// The dragged rectangle adjusted so its client area keeps `ratio`: side drags
/// move the bottom, top and bottom drags move the right edge, top corners move the top.
WindowRect AdjustSizingRect(SizingEdge edge, WindowRect rect, WindowBorders borders, float ratio);

/// Restricts the maximised and largest tracking sizes to the ratio.
SizeLimits AdjustSizeLimits(SizeLimits limits, WindowBorders borders, float ratio);
