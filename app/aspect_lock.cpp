#include "app/aspect_lock.h"

// Every conversion below truncates toward zero, as int conversion does.

int LockedWindowHeight(int clientWidth, float ratio, WindowBorders borders)
{
    return int(clientWidth * ratio) + borders.vertical;
}

WindowRect AdjustSizingRect(SizingEdge edge, WindowRect rect, WindowBorders borders, float ratio)
{
    const int clientWidth = rect.right - rect.left - borders.horizontal;
    const int clientHeight = rect.bottom - rect.top - borders.vertical;
    switch (edge) {
    case SizingEdge::Left:
    case SizingEdge::Right:
    case SizingEdge::BottomLeft:
    case SizingEdge::BottomRight:
        rect.bottom = rect.top + borders.vertical + int(clientWidth * ratio);
        break;
    case SizingEdge::Top:
    case SizingEdge::Bottom:
        rect.right = rect.left + borders.horizontal + int(clientHeight / ratio);
        break;
    case SizingEdge::TopLeft:
    case SizingEdge::TopRight:
        rect.top = rect.bottom - int(clientWidth * ratio) - borders.vertical;
        break;
    }
    return rect;
}

SizeLimits AdjustSizeLimits(SizeLimits limits, WindowBorders borders, float ratio)
{
    const int availableWidth = limits.maxWidth - borders.horizontal;
    const int availableHeight = limits.maxHeight - borders.vertical;
    if (availableWidth > 0 && float(availableHeight) / float(availableWidth) >= ratio) {
        limits.maxHeight = borders.vertical + int(availableWidth * ratio);
        limits.maxTrackHeight =
            borders.vertical + int((limits.maxTrackWidth - borders.horizontal) * ratio);
    } else {
        limits.maxWidth = borders.horizontal + int(availableHeight / ratio);
        limits.maxTrackWidth =
            int((limits.maxTrackHeight - borders.vertical) / ratio + borders.horizontal);
    }
    return limits;
}
