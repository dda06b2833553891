#include "ui/curve_fit_dialog.h"

#include "analysis/fit_history.h"
#include "document/tarn_doc.h"
#include "render/equation_curve.h"
#include "render/graph.h"
#include "ui/curve_fit_options_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTreeWidget>
#include <QVBoxLayout>

// Carries what the worker reports to the dialog's thread, as copies.
class CCurveFitDialog::Relay : public FitObserver {
public:
    explicit Relay(CCurveFitDialog* dialog) : m_dialog(dialog) {}
    void Progress(const Equation& model, const std::string& chiText) override
    {
        CCurveFitDialog* dialog = m_dialog;
        QMetaObject::invokeMethod(
            dialog, [dialog, model = Equation(model), chiText] { dialog->OnFitProgress(model, chiText); },
            Qt::QueuedConnection);
    }

private:
    CCurveFitDialog* m_dialog;
};

CCurveFitDialog::CCurveFitDialog(CTarnDoc& doc, std::vector<std::string>& history,
                                 Messages& messages, QWidget* parent)
    : QDialog(parent), m_fit(doc.CurrentGraph(), messages, [this] { emit Redraw(); }),
      m_history(history), m_messages(messages)
{
    setWindowTitle("Non-linear Curve Fit");
    m_sets = new QListWidget;
    m_sets->setSelectionMode(QAbstractItemView::SingleSelection);
    m_sets->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_model = new QLineEdit;
    m_tabs = new QTabBar;
    m_parameters = new QTreeWidget;
    m_parameters->setRootIsDecorated(false);
    m_parameters->setSelectionMode(QAbstractItemView::SingleSelection);
    const QStringList titles{"name", "value", "min", "max"};
    m_parameters->setHeaderLabels(titles);
    for (int column = 0; column < titles.size(); ++column) {
        const int width = m_parameters->header()->fontMetrics().horizontalAdvance(titles[column]);
        m_parameters->setColumnWidth(column, int(width * 1.2) + 12);
    }
    m_minEdit = new QLineEdit;
    m_initEdit = new QLineEdit;
    m_maxEdit = new QLineEdit;
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setRange(0, 100);
    m_chi = new QLabel;
    m_prev = new QPushButton("<< Prev");
    m_next = new QPushButton("Next >>");
    m_fitButton = new QPushButton("Fit");
    m_save = new QPushButton("Save Fit");
    m_saveResiduals = new QCheckBox("Save residuals");
    m_saveBand = new QCheckBox("Save 95% confidence band");
    m_saveResiduals->setToolTip("\"Save Fit\" also adds the residuals y - f(x) as a set");
    m_saveBand->setToolTip("\"Save Fit\" also adds the 95% confidence band of the curve as two sets");
    m_options = new QPushButton("Options ...");
    m_close = new QPushButton("Close");
    m_next->setDefault(true);

    auto* data = new QGroupBox("Data to fit");
    (new QVBoxLayout(data))->addWidget(m_sets);
    auto* model = new QHBoxLayout;
    model->addWidget(new QLabel("f(x) = "));
    model->addWidget(m_model);
    auto* parameters = new QGroupBox("Parameters");
    (new QVBoxLayout(parameters))->addWidget(m_parameters);
    auto* adjust = new QGroupBox("Adjust Parameter");
    auto* adjustGrid = new QGridLayout(adjust);
    adjustGrid->addWidget(new QLabel("min"), 0, 0);
    adjustGrid->addWidget(new QLabel("init val"), 0, 1);
    adjustGrid->addWidget(new QLabel("max"), 0, 2);
    adjustGrid->addWidget(m_minEdit, 1, 0);
    adjustGrid->addWidget(m_initEdit, 1, 1);
    adjustGrid->addWidget(m_maxEdit, 1, 2);
    adjustGrid->addWidget(m_slider, 2, 0, 1, 3);
    auto* chi = new QHBoxLayout;
    chi->addWidget(new QLabel("Chi Sqr = "));
    chi->addWidget(m_chi, 1);
    auto* extras = new QHBoxLayout;
    extras->addWidget(m_saveResiduals);
    extras->addWidget(m_saveBand);
    extras->addStretch(1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* button : {m_prev, m_next, m_fitButton, m_save, m_options, m_close})
        buttons->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(data);
    layout->addWidget(m_tabs);
    layout->addLayout(model);
    layout->addWidget(parameters);
    layout->addWidget(adjust);
    layout->addLayout(chi);
    layout->addLayout(extras);
    layout->addLayout(buttons);

    for (const std::string& entry : m_fit.ListSets())
        m_sets->addItem(QString::fromStdString(entry));
    if (m_sets->count() > 0)
        m_sets->setCurrentRow(0);
    OnSetChosen();
    m_fit.m_fxText = m_model->text().toStdString();
    AddToFitHistory(m_history, m_fit.m_fxText);
    RefreshTabs();
    m_tabs->setCurrentIndex(0);
    m_shownTab = 0;

    connect(m_sets, &QListWidget::itemSelectionChanged, this, &CCurveFitDialog::OnSetChosen);
    connect(m_next, &QPushButton::clicked, this, &CCurveFitDialog::OnNext);
    connect(m_prev, &QPushButton::clicked, this, &CCurveFitDialog::OnPrev);
    connect(m_parameters, &QTreeWidget::itemSelectionChanged, this, &CCurveFitDialog::OnParameterClicked);
    connect(m_slider, &QSlider::valueChanged, this, &CCurveFitDialog::OnSlider);
    connect(m_fitButton, &QPushButton::clicked, this, &CCurveFitDialog::OnFit);
    connect(m_save, &QPushButton::clicked, this, &CCurveFitDialog::OnSaveFit);
    connect(m_options, &QPushButton::clicked, this, &CCurveFitDialog::OnOptions);
    connect(m_close, &QPushButton::clicked, this, &CCurveFitDialog::OnClose);
    connect(m_tabs, &QTabBar::currentChanged, this, &CCurveFitDialog::OnTabChanged);
    UpdateControls();
    m_model->setFocus();
}

CCurveFitDialog::~CCurveFitDialog()
{
    if (m_worker.joinable()) {
        m_fit.m_cancel = 1;
        m_worker.join();
    }
}

ParameterEdits CCurveFitDialog::Edits() const
{
    return {m_initEdit->text().toStdString(), m_minEdit->text().toStdString(),
            m_maxEdit->text().toStdString()};
}

void CCurveFitDialog::UpdateControls()
{
    const int stage = m_fit.m_stage;
    m_sets->setEnabled(stage != kFitRunning);
    m_model->setEnabled(stage == kFitEquation);
    m_tabs->setEnabled(stage == kFitEquation);
    m_parameters->setEnabled(stage == kFitEstimates || stage == kFitAdjust);
    for (QLineEdit* edit : {m_minEdit, m_initEdit, m_maxEdit})
        edit->setEnabled(stage == kFitEstimates);
    m_slider->setEnabled(stage == kFitAdjust && m_fit.SliderEnabled());
    m_fitButton->setEnabled(stage == kFitAdjust);
    m_save->setEnabled(stage == kFitAdjust);
    m_saveResiduals->setEnabled(stage == kFitAdjust);
    m_saveBand->setEnabled(stage == kFitAdjust);
    m_prev->setEnabled(stage == kFitEstimates || stage == kFitAdjust);
    m_next->setEnabled(stage == kFitEquation || stage == kFitEstimates);
    m_options->setEnabled(stage != kFitRunning);
}

void CCurveFitDialog::RefreshTabs()
{
    const bool updating = m_updating;
    m_updating = true;
    while (m_tabs->count() > int(m_history.size()))
        m_tabs->removeTab(m_tabs->count() - 1);
    while (m_tabs->count() < int(m_history.size()))
        m_tabs->addTab(QString::asprintf("Eq %d", m_tabs->count() + 1));
    m_updating = updating;
}

void CCurveFitDialog::ShowChiSquare()
{
    m_chi->setText(QString::fromStdString(m_fit.m_chiText));
}

void CCurveFitDialog::OnSetChosen()
{
    if (m_updating)
        return;
    const QList<QListWidgetItem*> chosen = m_sets->selectedItems();
    m_fit.SelectSet(chosen.isEmpty() ? -1 : m_sets->row(chosen.front()));
    ShowChiSquare();
}

void CCurveFitDialog::OnTabChanged(int index)
{
    if (m_updating)
        return;
    if (m_shownTab >= 0 && m_shownTab < int(m_history.size()))
        m_history[std::size_t(m_shownTab)] = m_model->text().toStdString();
    m_shownTab = index;
    if (index >= 0 && index < int(m_history.size()))
        m_model->setText(QString::fromStdString(m_history[std::size_t(index)]));
}

void CCurveFitDialog::FillParameters()
{
    m_updating = true;
    m_parameters->clear();
    for (int i = 0; i < m_fit.ParameterCount(); ++i) {
        QStringList texts;
        for (const std::string& text : m_fit.RowOf(i))
            texts << QString::fromStdString(text);
        m_parameters->addTopLevelItem(new QTreeWidgetItem(texts));
    }
    if (m_fit.ParameterCount() > 0)
        m_parameters->setCurrentItem(m_parameters->topLevelItem(m_fit.m_current));
    m_updating = false;
}

void CCurveFitDialog::ShowRow(int index)
{
    QTreeWidgetItem* item = m_parameters->topLevelItem(index);
    if (!item)
        return;
    const std::vector<std::string> texts = m_fit.RowOf(index);
    for (int column = 0; column < int(texts.size()); ++column)
        item->setText(column, QString::fromStdString(texts[std::size_t(column)]));
}

void CCurveFitDialog::ShowEdits()
{
    const ParameterEdits edits = m_fit.EditsOf(m_fit.m_current);
    m_initEdit->setText(QString::fromStdString(edits.init));
    m_minEdit->setText(QString::fromStdString(edits.min));
    m_maxEdit->setText(QString::fromStdString(edits.max));
}

void CCurveFitDialog::ShowSlider()
{
    const bool updating = m_updating;
    m_updating = true;
    m_slider->setValue(m_fit.SliderPosition());
    m_slider->setEnabled(m_fit.m_stage == kFitAdjust && m_fit.SliderEnabled());
    m_updating = updating;
}

void CCurveFitDialog::OnNext()
{
    if (m_fit.m_stage == kFitEquation)
        m_fit.m_fxText = m_model->text().toStdString();
    const int stage = m_fit.m_stage;
    const int current = m_fit.m_current;
    if (m_fit.Next(Edits())) {
        if (stage == kFitEquation) {
            FillParameters();
            ShowEdits();
        } else {
            for (int i = 0; i < m_fit.ParameterCount(); ++i)
                ShowRow(i);
            ShowSlider();
        }
    } else if (stage == kFitEstimates) {
        ShowRow(current);  // the edits were stored before the check
    }
    ShowChiSquare();
    UpdateControls();
}

void CCurveFitDialog::OnPrev()
{
    m_fit.Prev();
    if (m_fit.m_stage == kFitEstimates)
        ShowEdits();
    UpdateControls();
}

void CCurveFitDialog::OnParameterClicked()
{
    if (m_updating)
        return;
    const int previous = m_fit.m_current;
    QTreeWidgetItem* item = m_parameters->currentItem();
    const int row = item ? m_parameters->indexOfTopLevelItem(item) : -1;
    m_fit.SelectParameter(row, Edits());
    ShowRow(previous);
    ShowEdits();
    if (m_fit.m_stage == kFitAdjust)
        ShowSlider();
}

void CCurveFitDialog::OnSlider(int position)
{
    if (m_updating || m_fit.m_stage != kFitAdjust)
        return;
    m_fit.MoveSlider(position);
    ShowRow(m_fit.m_current);
    ShowEdits();
    ShowChiSquare();
}

void CCurveFitDialog::OnFit()
{
    if (!m_fit.StartFit())
        return;
    if (AddToFitHistory(m_history, m_fit.m_fxText))
        RefreshTabs();
    UpdateControls();
    m_job = m_fit.MakeFit();
    m_relay = std::make_unique<Relay>(this);
    m_worker = std::thread([this, job = m_job.get(), relay = m_relay.get()] {
        const FitOutcome outcome = job->Run(m_fit.m_cancel, relay);
        QMetaObject::invokeMethod(this, [this, outcome] { OnFitFinished(outcome); }, Qt::QueuedConnection);
    });
}

void CCurveFitDialog::OnFitProgress(const Equation& model, const std::string& chiText)
{
    Graph& graph = m_fit.GetGraph();
    graph.m_showCurve = 1;
    graph.SetCurve(std::make_shared<EquationCurve>(model));
    emit Redraw();
    m_fit.m_chiText = chiText;
    ShowChiSquare();
}

void CCurveFitDialog::OnFitFinished(const FitOutcome& outcome)
{
    if (m_worker.joinable())
        m_worker.join();
    const bool cancelled = m_fit.m_cancel.load() != 0;
    m_fit.FinishFit(outcome, *m_job);
    m_job.reset();
    m_relay.reset();
    emit FitFinished();
    if (cancelled) {
        m_fit.RemoveCurve();
        QDialog::reject();
        return;
    }
    for (int i = 0; i < m_fit.ParameterCount(); ++i)
        ShowRow(i);
    ShowEdits();
    ShowSlider();
    ShowChiSquare();
    UpdateControls();
}

void CCurveFitDialog::OnSaveFit()
{
    if (m_fit.SaveFit() < 0)
        return;
    if (m_saveResiduals->isChecked())
        m_fit.SaveResiduals();
    if (m_saveBand->isChecked())
        m_fit.SaveConfidenceBand();
    emit Changed();
}

void CCurveFitDialog::OnOptions()
{
    CCurveFitOptionsDialog dialog(m_fit.Options(), m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        m_fit.SetOptions(dialog.Options());
}

void CCurveFitDialog::OnClose()
{
    // During a fit "Close" only asks the worker to stop; the dialog closes
    // when it has.
    if (m_fit.m_stage == kFitRunning) {
        m_fit.m_cancel = 1;
        return;
    }
    m_fit.RemoveCurve();
    QDialog::reject();
}

void CCurveFitDialog::reject()
{
    OnClose();
}
