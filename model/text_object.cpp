#include "model/text_object.h"

#include "model/drawing_settings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

void TextObject::SetText(std::string text, const LogFont& font, int orientation, Color color)
{
    m_text = std::move(text);
    m_font = font;
    m_font.escapement = orientation;
    m_font.orientation = orientation;
    m_color = color;
    m_block.reset();
}

void TextObject::Clear()
{
    m_text.clear();
    m_block.reset();
}

BoundingBox TextObject::GetBoundingBox(const PageRect& page) const
{
    if (m_text.empty())
        return {};
    const int x = ClampCoord(page.left + double(page.right - page.left) * m_x);
    const int y = ClampCoord(page.bottom - double(page.bottom - page.top) * m_y);
    const double halfWidth = (m_measuredWidth + 10) / 2;
    const double halfHeight = (m_measuredHeight + 10) / 2;
    const double angle = Orientation() * 0.0017453292519944445;
    const double c = std::fabs(std::cos(angle));
    const double s = std::fabs(std::sin(angle));
    return {x, y, int(halfWidth * c + halfHeight * s + 0.5),
            int(halfWidth * s + halfHeight * c + 0.5)};
}

// number x numerator / denominator rounded half away from zero.
static int ScaleBy(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return number;
    const std::int64_t product = std::int64_t(number) * numerator;
    const std::int64_t half = std::llabs(denominator) / 2;
    const std::int64_t magnitude = (std::llabs(product) + half) / std::llabs(denominator);
    return int(((product < 0) != (denominator < 0)) ? -magnitude : magnitude);
}

void TextObject::BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect)
{
    GraphObject::BeginPrintScaling(canvas, num, den, rect);
    if (!m_heightScaled) {
        m_unscaledHeight = m_font.height;
        m_heightScaled = true;
    }
    m_font.height = -ScaleBy(-m_unscaledHeight, num, den);
    m_block.reset();
}

void TextObject::EndPrintScaling(Canvas& canvas, const PageRect& rect)
{
    GraphObject::EndPrintScaling(canvas, rect);
    if (m_heightScaled)
        m_font.height = m_unscaledHeight;
    m_heightScaled = false;
    m_block.reset();
}
