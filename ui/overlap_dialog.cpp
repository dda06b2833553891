#include "ui/overlap_dialog.h"

#include "model/messages.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

static QComboBox* MakeGraphCombo(int count, int current)
{
    auto* combo = new QComboBox;
    for (int i = 0; i < count; ++i)
        combo->addItem(QString::asprintf("%d", i));
    combo->setCurrentIndex(std::min(current, count - 1));
    return combo;
}

COverlapDialog::COverlapDialog(int graphCount, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle("Overlap Graphs");
    m_top = MakeGraphCombo(graphCount, 0);
    m_bottom = MakeGraphCombo(graphCount, 1);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Place graph "), 0, 0);
    grid->addWidget(m_top, 0, 1);
    grid->addWidget(new QLabel("on top of graph "), 1, 0);
    grid->addWidget(m_bottom, 1, 1);
    auto* note = new QLabel("Note: After alignment, the top graph will have the same size as the "
                            "bottom graph");
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &COverlapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COverlapDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

int COverlapDialog::TopGraph() const
{
    return m_top->currentIndex();
}

int COverlapDialog::BottomGraph() const
{
    return m_bottom->currentIndex();
}

void COverlapDialog::accept()
{
    if (TopGraph() == BottomGraph()) {
        m_messages.Show("Unable to place a graph on top of itself!");
        m_top->setCurrentIndex(0);
        m_bottom->setCurrentIndex(std::min(1, m_bottom->count() - 1));
        return;
    }
    QDialog::accept();
}
