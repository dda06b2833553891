#pragma once

#include <QDialog>

class CTarnDoc;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

/// The modeless "Animate Plots" window: a slider over the sets of the current
/// graph, two text lines, and the buttons "Play" (which reads "Pause" while
/// playing) and "Loop". Moving the slider shows that set and asks the view to
/// redraw; the view asks the window to refresh whenever it redraws or the page
/// changes. Playing steps the slider one set further at a movie's frame rate
/// (15 frames per second); it stops at the last set, or starts over at the
/// first with "Loop" down, and stops when the slider is disabled. Closing the
/// window deletes it.
class CAnimatePlotsWindow : public QDialog {
    Q_OBJECT
public:
    CAnimatePlotsWindow(CTarnDoc& doc, QWidget* parent = nullptr);

    /// Follows the current graph: slider range, position and both lines
    /// (the shown set goes back to 0 when it lies outside the sets).
    void Refresh();

    QSlider* Slider() const { return m_slider; }
    QLabel* FirstLine() const { return m_firstLine; }
    QLabel* SecondLine() const { return m_secondLine; }
    QPushButton* PlayButton() const { return m_play; }
    QPushButton* LoopButton() const { return m_loop; }
    /// Whether the sets are being played.
    bool IsPlaying() const;

signals:
    /// The shown set changed: the page must be drawn again.
    void RedrawRequested();

private:
    void OnSliderMoved(int position);
    void OnPlay();
    void OnFrameDue();
    void StopPlaying();

    CTarnDoc& m_doc;
    QSlider* m_slider;
    QLabel* m_firstLine;
    QLabel* m_secondLine;
    QPushButton* m_play;
    QPushButton* m_loop;
    QTimer* m_timer;
    bool m_updating = false;
};
