#include "ui/histogram_dialog.h"

#include "document/tarn_doc.h"
#include "ui/plot_list_box.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

CHistogramDialog::CHistogramDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Histogram");
    m_list = new CPlotListBox(doc, messages, this);
    m_byWidth = new QRadioButton("Bin Width:");
    m_byCount = new QRadioButton("# bins:");
    m_byWidth->setChecked(true);
    m_binWidth = new QLineEdit;
    m_binCount = new QLineEdit;
    m_start = new QLineEdit;
    m_end = new QLineEdit;
    m_target = new QComboBox;
    FillTargetGraphCombo(m_target, doc);
    m_normalize = new QCheckBox("Normalize histogram(s)");
    m_align = new QCheckBox("Align bin center on value");
    m_align->setChecked(true);

    auto* grid = new QGridLayout;
    grid->addWidget(m_byWidth, 0, 0);
    grid->addWidget(m_binWidth, 0, 1);
    grid->addWidget(m_byCount, 1, 0);
    grid->addWidget(m_binCount, 1, 1);
    grid->addWidget(new QLabel("Start Value:"), 2, 0);
    grid->addWidget(m_start, 2, 1);
    grid->addWidget(new QLabel("Ending Value:"), 3, 0);
    grid->addWidget(m_end, 3, 1);
    grid->addWidget(new QLabel("Load Result to graph:"), 4, 0);
    grid->addWidget(m_target, 4, 1);
    grid->addWidget(m_normalize, 5, 0, 1, 2);
    grid->addWidget(m_align, 6, 0, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CHistogramDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CHistogramDialog::reject);
    connect(m_byWidth, &QRadioButton::toggled, this, &CHistogramDialog::UpdateEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    UpdateEnabled();
}

void CHistogramDialog::UpdateEnabled()
{
    m_binWidth->setEnabled(m_byWidth->isChecked());
    m_binCount->setEnabled(m_byCount->isChecked());
}

HistogramRequest CHistogramDialog::Request() const
{
    HistogramRequest request;
    request.byBinCount = m_byCount->isChecked();
    request.binWidth = m_binWidth->text().toStdString();
    request.binCount = m_binCount->text().toStdString();
    request.start = m_start->text().toStdString();
    request.end = m_end->text().toStdString();
    request.normalize = m_normalize->isChecked();
    request.alignOnValue = m_align->isChecked();
    request.targetGraph = ChosenTargetGraph(m_target, m_doc);
    return request;
}

void CHistogramDialog::accept()
{
    if (MakeHistograms(m_doc, Request(), m_messages))
        QDialog::accept();
}
