#include "ui/tick_marks_dialog.h"

#include "document/tarn_doc.h"
#include "ui/axis_dialog_parts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

CTickMarksDialog::CTickMarksDialog(CTarnDoc& doc, AxisDirection direction, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_direction(direction)
{
    setWindowTitle("Tick Marks");
    const TickMarkEntries entries = LoadTickMarks(doc.CurrentGraph(), direction);
    m_side = MakeSideCombo(this);
    m_side->setCurrentIndex(entries.side);
    m_in = new QRadioButton("In");
    m_out = new QRadioButton("Out");
    (entries.out ? m_out : m_in)->setChecked(true);
    connect(m_side, &QComboBox::activated, this, [this] { m_out->setChecked(true); });
    m_applyTo = MakeApplyToCombo(this);
    auto* pointing = new QHBoxLayout;
    pointing->addWidget(m_in);
    pointing->addWidget(m_out);
    auto* form = new QFormLayout;
    form->addRow("Draw Ticks on:", m_side);
    form->addRow("Draw Ticks Pointing:", pointing);
    form->addRow("Apply To:", m_applyTo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTickMarksDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTickMarksDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

TickMarkEntries CTickMarksDialog::Entries() const
{
    return {m_side->currentIndex(), m_out->isChecked()};
}

void CTickMarksDialog::accept()
{
    ApplyTickMarks(m_doc, m_direction, m_applyTo->currentIndex(), Entries());
    m_doc.SetModifiedFlag(true);
    QDialog::accept();
}
