#include "render/text_element.h"

#include "model/error.h"

#include <vector>

TextElement::~TextElement()
{
    // Children are taken out of the tree before they die, so no destructor
    // below this one has anything left to free: the depth of the recursion
    // stays one, whatever the shape of the tree.
    std::vector<std::unique_ptr<TextElement>> pending;
    for (auto& child : m_children)
        if (child)
            pending.push_back(std::move(child));
    while (!pending.empty()) {
        std::unique_ptr<TextElement> element = std::move(pending.back());
        pending.pop_back();
        for (auto& child : element->m_children)
            if (child)
                pending.push_back(std::move(child));
    }
}

void TextElement::Scale(double factor)
{
    std::vector<TextElement*> pending{this};
    while (!pending.empty()) {
        TextElement* element = pending.back();
        pending.pop_back();
        element->m_size = int(element->m_size * factor);
        for (auto& child : element->m_children)
            if (child)
                pending.push_back(child.get());
    }
}

TextElement* TextElement::Last()
{
    TextElement* element = this;
    while (element->m_children[kSlotNext])
        element = element->m_children[kSlotNext].get();
    return element;
}

void Attach(TextElement& parent, int slot, std::unique_ptr<TextElement> child, double factor)
{
    if (slot < 0 || slot >= kSlotCount)
        throw Bounds_Error("loc out of bounds", "Text", __LINE__);
    if (!child)
        return;
    if (parent.m_children[slot])
        throw Error("Overwrite!", "Text", __LINE__);
    if (factor != 1.0)
        child->Scale(factor);
    parent.m_children[slot] = std::move(child);
}
