#include "ui/axis_properties_dialog.h"

#include "document/tarn_doc.h"
#include "model/messages.h"
#include "ui/axis_dialog_parts.h"
#include "ui/color_combo.h"
#include "ui/grid_options_dialog.h"
#include "ui/tick_labels_dialog.h"
#include "ui/tick_marks_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CAxisPropertiesDialog::CAxisPropertiesDialog(CTarnDoc& doc, AxisDirection direction,
                                             Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages), m_direction(direction)
{
    setWindowTitle("Axis Properties");
    m_edit = new QComboBox;
    m_edit->addItem("X Axis");
    m_edit->addItem("Y Axis");
    connect(m_edit, &QComboBox::activated, this,
            [this](int index) { Load(index == 0 ? AxisDirection::X : AxisDirection::Y); });
    m_title = new QLineEdit;
    m_major = new QLineEdit;
    m_minor = new QLineEdit;
    m_ticks = new QCheckBox("Display Tick Marks");
    m_labels = new QCheckBox("Display Tick Labels");
    m_grid = new QCheckBox("Display Axis Grid");
    m_color = new CColorCombo(messages);
    m_applyTo = MakeApplyToCombo(this);

    auto* tickMarks = new QPushButton("Tick Marks ...");
    auto* tickLabels = new QPushButton("Tick Labels ...");
    auto* grid = new QPushButton("Grid Options ...");
    connect(tickMarks, &QPushButton::clicked, this, &CAxisPropertiesDialog::OnTickMarks);
    connect(tickLabels, &QPushButton::clicked, this, &CAxisPropertiesDialog::OnTickLabels);
    connect(grid, &QPushButton::clicked, this, &CAxisPropertiesDialog::OnGrid);

    auto* form = new QFormLayout;
    form->addRow("Edit:", m_edit);
    form->addRow("Axis Label:", m_title);
    form->addRow("Major Tick Spacing:", m_major);
    form->addRow("Minor Tick Spacing", m_minor);
    auto* ticksRow = new QHBoxLayout;
    ticksRow->addWidget(m_ticks);
    ticksRow->addWidget(tickMarks);
    auto* labelsRow = new QHBoxLayout;
    labelsRow->addWidget(m_labels);
    labelsRow->addWidget(tickLabels);
    auto* gridRow = new QHBoxLayout;
    gridRow->addWidget(m_grid);
    gridRow->addWidget(grid);
    form->addRow(ticksRow);
    form->addRow(labelsRow);
    form->addRow(gridRow);
    form->addRow("Axis Color:", m_color);
    form->addRow("Apply To:", m_applyTo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         QDialogButtonBox::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &CAxisPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CAxisPropertiesDialog::reject);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CAxisPropertiesDialog::Apply);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    Load(direction);
}

void CAxisPropertiesDialog::Load(AxisDirection direction)
{
    m_direction = direction;
    m_edit->setCurrentIndex(direction == AxisDirection::X ? 0 : 1);
    const AxisPropertiesEntries entries = LoadAxisProperties(m_doc.CurrentGraph(), direction);
    m_title->setText(QString::fromStdString(entries.title));
    m_major->setText(QString::fromStdString(entries.majorSpacing));
    m_minor->setText(QString::fromStdString(entries.minorSpacing));
    m_ticks->setChecked(entries.ticks);
    m_labels->setChecked(entries.labels);
    m_grid->setChecked(entries.grid);
    m_color->SetColor(entries.color);
}

AxisPropertiesEntries CAxisPropertiesDialog::Entries() const
{
    AxisPropertiesEntries entries;
    entries.title = m_title->text().toStdString();
    entries.majorSpacing = m_major->text().toStdString();
    entries.minorSpacing = m_minor->text().toStdString();
    entries.ticks = m_ticks->isChecked();
    entries.labels = m_labels->isChecked();
    entries.grid = m_grid->isChecked();
    entries.color = m_color->ColorValue();
    return entries;
}

bool CAxisPropertiesDialog::Apply()
{
    std::string message;
    if (!ApplyAxisProperties(m_doc, m_direction, m_applyTo->currentIndex(), Entries(), &message)) {
        m_messages.Show(message);
        QLineEdit* field = message.find("major") != std::string::npos ? m_major : m_minor;
        field->setFocus();
        field->selectAll();
        return false;
    }
    m_doc.SetModifiedFlag(true);
    emit Changed();
    return true;
}

void CAxisPropertiesDialog::accept()
{
    if (Apply())
        QDialog::accept();
}

void CAxisPropertiesDialog::AfterTickMarks()
{
    m_ticks->setChecked(true);
    emit Changed();
}

void CAxisPropertiesDialog::AfterTickLabels()
{
    m_labels->setChecked(true);
    emit Changed();
}

void CAxisPropertiesDialog::AfterGrid(bool switchedOn)
{
    if (switchedOn)
        m_grid->setChecked(true);
    emit Changed();
}

void CAxisPropertiesDialog::OnTickMarks()
{
    CTickMarksDialog dialog(m_doc, m_direction, this);
    if (dialog.exec() == QDialog::Accepted)
        AfterTickMarks();
}

void CAxisPropertiesDialog::OnTickLabels()
{
    CTickLabelsDialog dialog(m_doc, m_direction, m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        AfterTickLabels();
}

void CAxisPropertiesDialog::OnGrid()
{
    CGridOptionsDialog dialog(m_doc, m_direction, m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        AfterGrid(dialog.SwitchedOn());
}
