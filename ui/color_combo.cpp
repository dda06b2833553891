#include "ui/color_combo.h"

#include "model/style_codes.h"
#include "ui/color_dialog.h"

static constexpr int kCustomItem = 8;

CColorCombo::CColorCombo(Messages& messages, QWidget* parent) : QComboBox(parent), m_messages(messages)
{
    for (const char* name : kColorNames)
        addItem(name);
    connect(this, &QComboBox::activated, this, &CColorCombo::Choose);
    SetColor(0);
}

void CColorCombo::SetColor(Color color)
{
    m_color = color;
    int item = kCustomItem;
    for (int code = 0; code < kCustomItem; ++code)
        if (ColorFromCode(code) == color)
            item = code;
    setCurrentIndex(item);
}

void CColorCombo::Choose(int index)
{
    if (index >= 0 && index < kCustomItem) {
        SetColor(ColorFromCode(index));
        return;
    }
    Color chosen = m_color;
    if (PickColor(this, m_color, &chosen, m_messages))
        m_color = chosen;
    SetColor(m_color);
}
