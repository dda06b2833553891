#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

#include <memory>
#include <string>

class TextBlock;

/// A page object that shows one line of markup text: a graph title, an axis
/// title, a legend entry or a free label. Its position is the centre of the
/// text; the font's escapement is its orientation in tenths of a degree. The
/// model keeps the text, font and colour; the render layer builds the text
/// block from them, draws it (`DrawTextObject`) and leaves the measured size
/// here for the bounding box and hit tests.
class TextObject : public GraphObject {
public:
    TextObject() = default;
    explicit TextObject(std::string text) : m_text(std::move(text)) {}

    /// Stores the text, the font, the orientation (tenths of a degree, set as
    /// the font's escapement and orientation) and the colour; the text block
    /// is rebuilt when next drawn.
    void SetText(std::string text, const LogFont& font, int orientation, Color color);
    /// Empties the text; the object then draws nothing but stays where it is.
    void Clear() override;
    /// Empty for an empty text; otherwise centred on the position with half
    /// sizes (measured width + 10) / 2 and (measured height + 10) / 2, turned
    /// by the orientation (the box holds the turned rectangle).
    BoundingBox GetBoundingBox(const PageRect& page) const override;
    /// Print scaling: the font height is multiplied by num / den (and the
    /// small gaps of the text follow the same ratio); `EndPrintScaling` puts
    /// the height back exactly as it was.
    void BeginPrintScaling(Canvas& canvas, int num, int den, const PageRect& rect) override;
    void EndPrintScaling(Canvas& canvas, const PageRect& rect) override;

    /// The orientation in tenths of a degree.
    int Orientation() const { return m_font.escapement; }
    /// The ratio of the small gaps in the text: num / den while printing, else 1.
    double SpacingRatio() const
    {
        return m_printMode && m_scaleDen != 0 ? double(m_scaleNum) / m_scaleDen : 1.0;
    }
    /// Stores the size the text measured when last laid out.
    void SetMeasuredSize(int width, int height) const
    {
        m_measuredWidth = width;
        m_measuredHeight = height;
    }
    int MeasuredWidth() const { return m_measuredWidth; }
    int MeasuredHeight() const { return m_measuredHeight; }

    std::string m_text;
    LogFont m_font;
    Color m_color = 0x000000;
    /// The text block built from the fields above, shared by copies; the
    /// render layer rebuilds it whenever it no longer matches them.
    mutable std::shared_ptr<const TextBlock> m_block;

private:
    mutable int m_measuredWidth = 0;
    mutable int m_measuredHeight = 0;
    int m_unscaledHeight = 0;
    bool m_heightScaled = false;
};
