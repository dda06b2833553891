#include "ui/properties_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

CPropertiesDialog::CPropertiesDialog(int lineScaling, float fontScaling, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle("Properties");
    m_line = new QComboBox;
    for (const char* item : {"1", "2", "3", "4", "5"})
        m_line->addItem(item);
    m_line->setCurrentIndex(std::clamp(lineScaling - 1, 0, 4));
    m_font = new QComboBox;
    for (const char* item : {"1", "1 1/4", "1 1/2", "1 3/4", "2", "2 1/4", "2 1/2", "2 3/4", "3"})
        m_font->addItem(item);
    m_font->setCurrentIndex(std::clamp(int(std::lround((fontScaling - 1.0f) / 0.25f)), 0, 8));
    auto* form = new QFormLayout;
    form->addRow("Scale all line thicknesses by", m_line);
    form->addRow("Scale all font sizes by ", m_font);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPropertiesDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int CPropertiesDialog::LineScaling() const
{
    return m_line->currentIndex() + 1;
}

float CPropertiesDialog::FontScaling() const
{
    return 1.0f + 0.25f * m_font->currentIndex();
}
