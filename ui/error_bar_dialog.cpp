#include "ui/error_bar_dialog.h"

#include "document/tarn_doc.h"
#include "model/style_codes.h"
#include "render/graph.h"
#include "ui/plot_list_box.h"
#include "ui/tab_order.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

template <std::size_t N>
static QComboBox* NamesCombo(const char* const (&names)[N])
{
    auto* combo = new QComboBox;
    for (const char* name : names)
        combo->addItem(name);
    return combo;
}

static QComboBox* SizesCombo()
{
    auto* combo = new QComboBox;
    for (int size = 1; size <= 10; ++size)
        combo->addItem(QString::number(size));
    return combo;
}

CErrorBarDialog::CErrorBarDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Error Bar");
    m_list = new CPlotListBox(doc, messages, this);
    m_hatSize = SizesCombo();
    m_lineStyle = NamesCombo(kLineStyleNames);
    m_lineSize = SizesCombo();
    m_xDisplay = NamesCombo(kXErrorBarNames);
    m_yDisplay = NamesCombo(kYErrorBarNames);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CErrorBarDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &CPlotListBox::ChoiceChanged, this, &CErrorBarDialog::Reload);

    auto* form = new QFormLayout;
    form->addRow("Hat Size:", m_hatSize);
    form->addRow("Line Type:", m_lineStyle);
    form->addRow("Line Size:", m_lineSize);
    form->addRow("Display X Bar:", m_xDisplay);
    form->addRow("Display Y Bar:", m_yDisplay);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(form);
    layout->addWidget(buttons);
    // The button box is made before the lists join the dialog, so the made
    // order would put the buttons first.
    SetTabOrder({m_list, m_hatSize, m_lineStyle, m_lineSize, m_xDisplay, m_yDisplay, ok, cancel});
    Reload();
}

void CErrorBarDialog::Reload()
{
    m_edit.Load(m_doc.CurrentGraph(), m_list->Remembered());
    m_hatSize->setCurrentIndex(m_edit.m_items.hatSize);
    m_lineStyle->setCurrentIndex(m_edit.m_items.lineStyle);
    m_lineSize->setCurrentIndex(m_edit.m_items.lineSize);
    m_xDisplay->setCurrentIndex(m_edit.m_items.xDisplay);
    m_yDisplay->setCurrentIndex(m_edit.m_items.yDisplay);
}

void CErrorBarDialog::accept()
{
    m_edit.m_items = {m_hatSize->currentIndex(), m_lineStyle->currentIndex(), m_lineSize->currentIndex(),
                      m_xDisplay->currentIndex(), m_yDisplay->currentIndex()};
    if (m_edit.Apply(m_doc, m_messages))
        QDialog::accept();
}
