#pragma once

#include <array>
#include <memory>
#include <string>

/// The five places a text element keeps its children.
enum TextSlot : int {
    kSlotAbove = 0,       ///< centred above (limits, accents, numerators)
    kSlotSuperscript = 1, ///< to the right, raised
    kSlotNext = 2,        ///< the next element, to the right
    kSlotSubscript = 3,   ///< to the right, lowered
    kSlotBelow = 4,       ///< centred below (limits, denominators)
};
constexpr int kSlotCount = 5;

/// Flags of a text element.
enum TextFlag : int {
    kTextStackLow = 0x01,    ///< fraction variant: children sit close to the bar
    kTextStackHigh = 0x02,   ///< fraction variant: the stack is centred on the bar
    kTextFraction = 0x08,    ///< a bar is drawn between slots 0 and 4
    kTextBigOperator = 0x10, ///< centred vertically on the middle of the text around it
    kTextLimitsAbove = 0x20, ///< a superscript goes above (slot 0)
    kTextLimitsBelow = 0x40, ///< a subscript goes below (slot 4)
};

/// Font indexes of a text block's font table.
enum TextFontIndex : int { kFontUpright = 0, kFontItalic = 1, kFontSymbol = 2, kFontMath3 = 3 };

/// One node of a parsed markup text: its characters in one font and size,
/// and up to five children. Characters of the Symbol and "Math3" fonts are
/// kept as those fonts' codes; drawing maps them to Unicode. Destroying an
/// element frees its whole subtree without recursion, so chains of any
/// length are safe.
struct TextElement {
    TextElement() = default;
    TextElement(std::string text, int size, int fontIndex, int flags = 0)
        : m_text(std::move(text)), m_size(size), m_fontIndex(fontIndex), m_flags(flags) {}
    TextElement(const TextElement&) = delete;
    TextElement& operator=(const TextElement&) = delete;
    ~TextElement();

    /// Multiplies the size of this element and of its whole subtree by
    /// `factor`, each rounded toward zero.
    void Scale(double factor);
    /// The child in `slot` (0 to 4), or null.
    const TextElement* Child(int slot) const { return m_children[slot].get(); }
    TextElement* Child(int slot) { return m_children[slot].get(); }
    /// The last element of the chain that starts here (through slot 2).
    TextElement* Last();

    std::array<std::unique_ptr<TextElement>, kSlotCount> m_children;
    std::string m_text;
    int m_size = 14;
    int m_fontIndex = kFontUpright;
    int m_flags = 0;
};

/// Puts `child` into `slot` of `parent`, scaling it and its subtree by
/// `factor` first when the factor is not 1. A slot outside 0 to 4 raises
/// `Bounds_Error` "loc out of bounds"; an occupied slot raises `Error`
/// "Overwrite!" (both from source `Text`). A null child is ignored.
void Attach(TextElement& parent, int slot, std::unique_ptr<TextElement> child, double factor);
