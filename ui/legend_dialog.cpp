#include "ui/legend_dialog.h"

#include "ui/color_combo.h"
#include "ui/tick_labels_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CLegendDialog::CLegendDialog(Graph& graph, Messages& messages, QWidget* parent)
    : QDialog(parent), m_edit(graph)
{
    setWindowTitle("Legend");
    m_chooser = [&messages](QWidget* owner, LogFont& font, Color& color) {
        return ChooseFontAndColor(owner, font, color, messages);
    };
    m_list = new QListWidget;
    for (const std::string& entry : m_edit.Entries())
        m_list->addItem(QString::fromStdString(entry));
    m_text = new QLineEdit(QString::fromStdString(m_edit.SelectedText()));
    m_showBox = new QCheckBox("Show Bounding box");
    m_showBox->setChecked(m_edit.m_showBox != 0);
    m_fill = new CColorCombo(messages);
    m_fill->SetColor(m_edit.m_boxFillColor);
    m_edge = new CColorCombo(messages);
    m_edge->SetColor(m_edit.m_boxEdgeColor);
    m_fontButton = new QPushButton("Label Font");
    connect(m_fontButton, &QPushButton::clicked, this, &CLegendDialog::ChooseFont);
    connect(m_showBox, &QCheckBox::toggled, this, &CLegendDialog::OnShowBoxToggled);
    if (m_edit.Selected() >= 0)
        m_list->setCurrentRow(m_edit.Selected());
    connect(m_list, &QListWidget::currentRowChanged, this, &CLegendDialog::OnSelectionChanged);
    OnShowBoxToggled(m_showBox->isChecked());

    auto* form = new QFormLayout;
    form->addRow("Text Label:", m_text);
    form->addRow(m_showBox, m_fontButton);
    form->addRow("Bounding box fill color :", m_fill);
    form->addRow("Bounding box edge color :", m_edge);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLegendDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLegendDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

void CLegendDialog::OnSelectionChanged(int row)
{
    if (row < 0)
        return;
    m_text->setText(QString::fromStdString(m_edit.Select(row, m_text->text().toStdString())));
}

void CLegendDialog::OnShowBoxToggled(bool checked)
{
    m_fill->setEnabled(checked);
    m_edge->setEnabled(checked);
}

void CLegendDialog::ChooseFont()
{
    LogFont font = m_edit.m_font;
    Color color = m_edit.m_textColor;
    if (m_chooser && m_chooser(this, font, color)) {
        m_edit.m_font = font;
        m_edit.m_textColor = color;
    }
}

void CLegendDialog::accept()
{
    m_edit.m_showBox = m_showBox->isChecked() ? 1 : 0;
    m_edit.m_boxFillColor = m_fill->ColorValue();
    m_edit.m_boxEdgeColor = m_edge->ColorValue();
    m_edit.Apply(m_text->text().toStdString());
    QDialog::accept();
}
