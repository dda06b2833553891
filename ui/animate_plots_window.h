#pragma once

#include <QDialog>

class CTarnDoc;
class QLabel;
class QSlider;

/// The modeless "Animate Plots" window: a slider over the sets of the current
/// graph and two text lines. Moving the slider shows that set and asks the
/// view to redraw; the view asks the window to refresh whenever it redraws
/// or the page changes. Closing the window deletes it.
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

signals:
    /// The shown set changed: the page must be drawn again.
    void RedrawRequested();

private:
    void OnSliderMoved(int position);

    CTarnDoc& m_doc;
    QSlider* m_slider;
    QLabel* m_firstLine;
    QLabel* m_secondLine;
    bool m_updating = false;
};
