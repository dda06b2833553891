#pragma once

#include "model/colors.h"
#include "model/graph_object.h"
#include "model/log_font.h"

#include <string>

/// A page object that shows one line of markup text: a graph title, an axis
/// title, a legend entry or a free label. Its position is the centre of the
/// text. The model keeps the text and its font; layout and drawing belong to
/// the render layer.
class TextObject : public GraphObject {
public:
    TextObject() = default;
    explicit TextObject(std::string text) : m_text(std::move(text)) {}

    /// Empties the text.
    void Clear() override { m_text.clear(); }

    std::string m_text;
    LogFont m_font;
    Color m_color = 0x000000;
};
