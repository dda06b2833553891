#include "ui/statistics_dialog.h"

#include "analysis/statistics.h"
#include "document/tarn_doc.h"
#include "ui/plot_list_box.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QVBoxLayout>

CStatisticsDialog::CStatisticsDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Plot Statistics");
    m_list = new CPlotListBox(doc, messages, this);
    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton("Apply", QDialogButtonBox::ApplyRole);
    m_close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &CStatisticsDialog::Apply);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(380, 300);
}

void CStatisticsDialog::Apply()
{
    ShowStatistics(m_doc.CurrentGraph(), m_messages);
}
