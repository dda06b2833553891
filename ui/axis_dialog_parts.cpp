#include "ui/axis_dialog_parts.h"

#include <QComboBox>

QComboBox* MakeApplyToCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    for (const char* name : kAxisApplyToNames)
        combo->addItem(name);
    return combo;
}

QComboBox* MakeSideCombo(QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    for (const char* name : kAxisSideNames)
        combo->addItem(name);
    return combo;
}
