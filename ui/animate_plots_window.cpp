#include "ui/animate_plots_window.h"

#include "document/plot_animation.h"
#include "document/tarn_doc.h"
#include "io/movie_settings.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

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
    m_play = new QPushButton("Play");
    m_loop = new QPushButton("Loop");
    m_loop->setCheckable(true);
    // The sets play as a recorded movie of them would, at its first frame rate.
    m_timer = new QTimer(this);
    m_timer->setInterval(std::max(1, 1000 / MovieSettings().framesPerSecond));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_play);
    buttons->addWidget(m_loop);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_slider);
    layout->addWidget(m_firstLine);
    layout->addWidget(m_secondLine);
    layout->addLayout(buttons);
    setMinimumWidth(320);
    connect(m_slider, &QSlider::valueChanged, this, &CAnimatePlotsWindow::OnSliderMoved);
    connect(m_play, &QPushButton::clicked, this, &CAnimatePlotsWindow::OnPlay);
    connect(m_timer, &QTimer::timeout, this, &CAnimatePlotsWindow::OnFrameDue);
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
    m_play->setEnabled(m_slider->isEnabled());
    if (!m_slider->isEnabled())
        StopPlaying();
}

bool CAnimatePlotsWindow::IsPlaying() const
{
    return m_timer->isActive();
}

void CAnimatePlotsWindow::OnPlay()
{
    if (IsPlaying()) {
        StopPlaying();
        return;
    }
    if (!m_slider->isEnabled())
        return;
    // Played to the end, the sets play again from the first.
    if (m_slider->value() >= m_slider->maximum())
        m_slider->setValue(0);
    m_play->setText("Pause");
    m_timer->start();
}

void CAnimatePlotsWindow::OnFrameDue()
{
    if (!m_slider->isEnabled()) {
        StopPlaying();
        return;
    }
    int next = m_slider->value() + 1;
    if (next > m_slider->maximum())
        next = 0;
    m_slider->setValue(next);
    if (next >= m_slider->maximum() && !m_loop->isChecked())
        StopPlaying();
}

void CAnimatePlotsWindow::StopPlaying()
{
    m_timer->stop();
    m_play->setText("Play");
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
