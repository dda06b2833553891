#include "ui/difference_dialog.h"

#include "document/tarn_doc.h"
#include "ui/plot_list_box.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// Shows the wait cursor while alive, so an exception or an early return
// restores it as well.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

CDifferenceDialog::CDifferenceDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Differentiation (discrete difference)");
    m_list = new CPlotListBox(doc, messages, this);
    m_method = new QComboBox;
    m_method->addItems({"3 point", "5 point"});
    m_centered = new QRadioButton("Centered");
    m_left = new QRadioButton("Left");
    m_right = new QRadioButton("Right");
    m_centered->setChecked(true);
    m_target = new QComboBox;
    FillTargetGraphCombo(m_target, doc);

    auto* placement = new QHBoxLayout;
    placement->addWidget(m_centered);
    placement->addWidget(m_left);
    placement->addWidget(m_right);
    auto* grid = new QGridLayout;
    grid->addWidget(m_method, 0, 0);
    grid->addLayout(placement, 0, 1);
    grid->addWidget(new QLabel("Load Result to graph:"), 1, 0);
    grid->addWidget(m_target, 1, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDifferenceDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDifferenceDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(grid);
    layout->addWidget(buttons);
}

DerivativeRequest CDifferenceDialog::Request() const
{
    DerivativeRequest request;
    request.method = m_method->currentIndex() == 1 ? kFivePoint : kThreePoint;
    request.placement = m_left->isChecked()    ? SlopePlacement::Left
                        : m_right->isChecked() ? SlopePlacement::Right
                                               : SlopePlacement::Centered;
    request.targetGraph = ChosenTargetGraph(m_target, m_doc);
    return request;
}

void CDifferenceDialog::accept()
{
    bool added = false;
    {
        const WaitCursor wait;
        added = MakeDerivatives(m_doc, Request(), m_messages);
    }
    if (added)
        QDialog::accept();
}
