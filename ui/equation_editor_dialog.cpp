#include "ui/equation_editor_dialog.h"

#include "document/function_history.h"
#include "document/tarn_doc.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRegularExpressionValidator>
#include <QTabBar>
#include <QVBoxLayout>

#include <climits>

namespace {

QPlainTextEdit* FormulaBox()
{
    auto* box = new QPlainTextEdit;
    box->setTabChangesFocus(true);
    box->setFixedHeight(box->fontMetrics().lineSpacing() * 3 + 12);
    return box;
}

// The wait cursor for as long as the plot is computed.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

CEquationEditorDialog::CEquationEditorDialog(CTarnDoc& doc, FunctionKind kind, Messages& messages,
                                             QWidget* parent)
    : QDialog(parent), m_doc(doc), m_kind(kind), m_messages(messages),
      m_history(HistoryOf(doc, kind))
{
    setWindowTitle(FunctionCaption(kind));
    const bool explicitFunction = kind == FunctionKind::Explicit;
    m_tabs = new QTabBar;
    m_formula = FormulaBox();
    if (kind == FunctionKind::Parametric)
        m_formula2 = FormulaBox();
    m_points = new QLineEdit;
    m_points->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), m_points));
    m_min = new QLineEdit;
    m_max = new QLineEdit;
    m_progress = new QProgressBar;
    m_progress->setTextVisible(false);
    m_progress->setValue(0);

    auto* grid = new QGridLayout;
    int row = 0;
    const char* firstLabel = kind == FunctionKind::Explicit ? "f(x) = "
                             : kind == FunctionKind::Polar  ? "r(t) = "
                                                            : "x(t)=";
    grid->addWidget(new QLabel(firstLabel), row, 0, Qt::AlignTop);
    grid->addWidget(m_formula, row++, 1, 1, 3);
    if (m_formula2) {
        grid->addWidget(new QLabel("y(t)="), row, 0, Qt::AlignTop);
        grid->addWidget(m_formula2, row++, 1, 1, 3);
    }
    grid->addWidget(new QLabel(explicitFunction ? "x min =" : "t min = "), row, 0);
    grid->addWidget(m_min, row, 1);
    grid->addWidget(new QLabel(explicitFunction ? "x max =" : "t max = "), row, 2);
    grid->addWidget(m_max, row++, 3);
    grid->addWidget(new QLabel("Number of points = "), row, 0);
    grid->addWidget(m_points, row++, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEquationEditorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEquationEditorDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(grid);
    layout->addWidget(m_progress);
    layout->addWidget(buttons);

    // The defaults join the history unless they are there already; the
    // first tab is then selected and the fields keep the defaults.
    const FunctionRequest defaults = DefaultFunctionRequest(kind, doc.CurrentGraph());
    Load(defaults);
    m_history.AddOnOpening(EntryOf(defaults));
    for (int i = 0; i < m_history.Count(); ++i)
        m_tabs->addTab(QString::asprintf("Eq %d", i + 1));
    m_tabs->setCurrentIndex(0);
    m_shownTab = 0;
    connect(m_tabs, &QTabBar::currentChanged, this, &CEquationEditorDialog::TabChanged);
    (m_formula2 ? m_formula2 : m_formula)->setFocus();
}

FunctionRequest CEquationEditorDialog::Request() const
{
    FunctionRequest request;
    request.kind = m_kind;
    request.formula = m_formula->toPlainText().toStdString();
    if (m_formula2)
        request.formula2 = m_formula2->toPlainText().toStdString();
    request.points = m_points->text().toStdString();
    request.min = m_min->text().toStdString();
    request.max = m_max->text().toStdString();
    return request;
}

void CEquationEditorDialog::Load(const FunctionRequest& request)
{
    m_formula->setPlainText(QString::fromStdString(request.formula));
    if (m_formula2)
        m_formula2->setPlainText(QString::fromStdString(request.formula2));
    m_points->setText(QString::fromStdString(request.points));
    m_min->setText(QString::fromStdString(request.min));
    m_max->setText(QString::fromStdString(request.max));
}

void CEquationEditorDialog::TabChanged(int index)
{
    // The fields belong to the tab that was shown until now.
    if (m_shownTab >= 0 && m_shownTab < m_history.Count())
        m_history.m_entries[std::size_t(m_shownTab)] = EntryOf(Request());
    m_shownTab = index;
    if (index >= 0 && index < m_history.Count())
        Load(RequestOf(m_kind, m_history.m_entries[std::size_t(index)]));
}

void CEquationEditorDialog::accept()
{
    const FunctionRequest request = Request();
    m_progress->setValue(0);
    int added = -1;
    {
        WaitCursor wait;
        added = PlotFunction(m_doc.CurrentGraph(), request, m_messages,
                             [this](std::uint64_t done, std::uint64_t total) {
                                 // The bar runs 0 to N; beyond an int it runs in proportion.
                                 const bool scaled = total > std::uint64_t(INT_MAX);
                                 m_progress->setRange(0, scaled ? INT_MAX : int(total));
                                 m_progress->setValue(
                                     scaled ? int(double(done) / double(total) * INT_MAX) : int(done));
                                 m_progress->repaint();
                             });
    }
    if (added < 0)
        return;
    m_added = added;
    m_history.AddAfterPlot(EntryOf(request));
    QDialog::accept();
}
