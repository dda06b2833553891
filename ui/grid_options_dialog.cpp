#include "ui/grid_options_dialog.h"

#include "document/tarn_doc.h"
#include "model/style_codes.h"
#include "ui/axis_dialog_parts.h"
#include "ui/color_combo.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include <algorithm>

CGridOptionsDialog::CGridOptionsDialog(CTarnDoc& doc, AxisDirection direction, Messages& messages,
                                       QWidget* parent)
    : QDialog(parent), m_doc(doc), m_direction(direction)
{
    setWindowTitle("Grid Options");
    const GridEntries entries = LoadGrid(doc.CurrentGraph(), direction);
    m_type = new QComboBox;
    for (const char* name : kLineStyleNames)
        m_type->addItem(name);
    m_type->setCurrentIndex(std::clamp(entries.type, 0, 5));
    m_size = new QComboBox;
    for (const char* size : {"1", "2", "3", "4", "5"})
        m_size->addItem(size);
    m_size->setCurrentIndex(std::clamp(entries.size - 1, 0, 4));
    m_color = new CColorCombo(messages);
    m_color->SetColor(entries.color);
    m_applyTo = MakeApplyToCombo(this);
    auto* form = new QFormLayout;
    form->addRow("Type:", m_type);
    form->addRow("Size:", m_size);
    form->addRow("Color:", m_color);
    form->addRow("Apply To:", m_applyTo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CGridOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CGridOptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

GridEntries CGridOptionsDialog::Entries() const
{
    return {m_type->currentIndex(), m_size->currentIndex() + 1, m_color->ColorValue()};
}

void CGridOptionsDialog::accept()
{
    m_switchedOn = ApplyGrid(m_doc, m_direction, m_applyTo->currentIndex(), Entries());
    m_doc.SetModifiedFlag(true);
    QDialog::accept();
}
