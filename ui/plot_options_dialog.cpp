#include "ui/plot_options_dialog.h"

#include "document/tarn_doc.h"
#include "model/style_codes.h"
#include "render/graph.h"
#include "ui/color_dialog.h"
#include "ui/plot_list_box.h"
#include "ui/tab_order.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

template <std::size_t N>
static QComboBox* NamesCombo(const char* const (&names)[N])
{
    auto* combo = new QComboBox;
    for (const char* name : names)
        combo->addItem(name);
    return combo;
}

static QComboBox* SizesCombo(int largest)
{
    auto* combo = new QComboBox;
    for (int size = 1; size <= largest; ++size)
        combo->addItem(QString::number(size));
    return combo;
}

static QGroupBox* StyleGroup(const char* title, QComboBox* type, QComboBox* size, QComboBox* color)
{
    auto* group = new QGroupBox(title);
    auto* form = new QFormLayout(group);
    form->addRow("Type:", type);
    form->addRow("Size:", size);
    form->addRow("Color:", color);
    return group;
}

CPlotOptionsDialog::CPlotOptionsDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Plot Options");
    m_pickColor = [this](Color start, Color* result) { return PickColor(this, start, result, m_messages); };
    m_list = new CPlotListBox(doc, messages, this);
    m_pointStyle = NamesCombo(kPointStyleNames);
    m_pointSize = SizesCombo(10);
    m_pointColor = NamesCombo(kColorNames);
    m_lineStyle = NamesCombo(kLineStyleNames);
    m_lineSize = SizesCombo(5);
    m_lineColor = NamesCombo(kColorNames);
    m_animation = new QCheckBox("Show multiple plots as animation");
    m_animation->setChecked(doc.CurrentGraph().m_singlePlotOnly != 0);

    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton("Apply", QDialogButtonBox::ApplyRole);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(m_apply, &QPushButton::clicked, this, &CPlotOptionsDialog::Apply);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPlotOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &CPlotListBox::ChoiceChanged, this, &CPlotOptionsDialog::Reload);
    connect(m_pointColor, &QComboBox::activated, this, [this](int item) { ChooseColor(false, item); });
    connect(m_lineColor, &QComboBox::activated, this, [this](int item) { ChooseColor(true, item); });

    auto* styles = new QHBoxLayout;
    styles->addWidget(StyleGroup("Symbol", m_pointStyle, m_pointSize, m_pointColor));
    styles->addWidget(StyleGroup("Line", m_lineStyle, m_lineSize, m_lineColor));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(styles);
    layout->addWidget(m_animation);
    layout->addWidget(buttons);
    // The button box is made before the lists join the dialog, so the made
    // order would put the buttons first.
    SetTabOrder({m_list, m_pointStyle, m_pointSize, m_pointColor, m_lineStyle, m_lineSize, m_lineColor,
                 m_animation, m_apply, ok, cancel});
    Reload();
}

void CPlotOptionsDialog::Reload()
{
    m_edit.Load(m_doc.CurrentGraph(), m_list->Remembered());
    ShowItems();
}

void CPlotOptionsDialog::ShowItems()
{
    const PlotStyleItems& items = m_edit.m_items;
    m_pointStyle->setCurrentIndex(items.pointStyle);
    m_pointSize->setCurrentIndex(items.pointSize);
    m_pointColor->setCurrentIndex(items.pointColor);
    m_lineStyle->setCurrentIndex(items.lineStyle);
    m_lineSize->setCurrentIndex(items.lineSize);
    m_lineColor->setCurrentIndex(items.lineColor);
}

void CPlotOptionsDialog::ReadItems()
{
    PlotStyleItems& items = m_edit.m_items;
    items.pointStyle = m_pointStyle->currentIndex();
    items.pointSize = m_pointSize->currentIndex();
    items.pointColor = m_pointColor->currentIndex();
    items.lineStyle = m_lineStyle->currentIndex();
    items.lineSize = m_lineSize->currentIndex();
    items.lineColor = m_lineColor->currentIndex();
}

void CPlotOptionsDialog::ChooseColor(bool line, int item)
{
    QComboBox* combo = line ? m_lineColor : m_pointColor;
    combo->setCurrentIndex(item);
    if (item != kCustomColorItem)
        return;
    Color chosen = 0;
    if (!m_pickColor(m_edit.ChooserStart(line), &chosen)) {
        Reload();
        return;
    }
    ReadItems();
    m_edit.ChooseCustom(line, chosen);
}

void CPlotOptionsDialog::Apply()
{
    ReadItems();
    if (m_edit.Apply(m_doc.CurrentGraph(), m_animation->isChecked(), m_messages).Redraw())
        emit Changed();
}

void CPlotOptionsDialog::accept()
{
    Apply();
    QDialog::accept();
}
