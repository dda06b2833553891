#include "ui/animate_plots_window.h"

#include "document/plot_animation.h"
#include "document/tarn_doc.h"

#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

CAnimatePlotsWindow::CAnimatePlotsWindow(CTarnDoc& doc, QWidget* parent) : QDialog(parent), m_doc(doc)
{
    setWindowTitle("Animate Plots");
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);
    m_slider = new QSlider(Qt::Horizontal);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setPageStep(1);
    m_firstLine = new QLabel;
    m_secondLine = new QLabel;
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_slider);
    layout->addWidget(m_firstLine);
    layout->addWidget(m_secondLine);
    setMinimumWidth(320);
    connect(m_slider, &QSlider::valueChanged, this, &CAnimatePlotsWindow::OnSliderMoved);
    Refresh();
}

// Shows `state` without taking the slider's own signal for a move.
static void ShowState(const PlotAnimationState& state, QSlider* slider, QLabel* first, QLabel* second)
{
    slider->setRange(0, state.maximum);
    slider->setValue(state.position);
    slider->setEnabled(state.enabled);
    first->setText(QString::fromStdString(state.firstLine));
    second->setText(QString::fromStdString(state.secondLine));
}

void CAnimatePlotsWindow::Refresh()
{
    m_updating = true;
    ShowState(RefreshPlotAnimation(m_doc.CurrentGraph()), m_slider, m_firstLine, m_secondLine);
    m_updating = false;
}

void CAnimatePlotsWindow::OnSliderMoved(int position)
{
    if (m_updating)
        return;
    m_updating = true;
    ShowState(MovePlotAnimation(m_doc.CurrentGraph(), position), m_slider, m_firstLine, m_secondLine);
    m_updating = false;
    emit RedrawRequested();
}
