#pragma once

#include <QDialog>

class Messages;
class QComboBox;

/// The "Overlap Graphs" dialog: place one graph on top of another.
class COverlapDialog : public QDialog {
    Q_OBJECT
public:
    COverlapDialog(int graphCount, Messages& messages, QWidget* parent = nullptr);

    /// The graph that moves (first combo) and the graph it goes onto.
    int TopGraph() const;
    int BottomGraph() const;
    QComboBox* TopCombo() const { return m_top; }
    QComboBox* BottomCombo() const { return m_bottom; }

public slots:
    /// The same graph twice shows "Unable to place a graph on top of itself!",
    /// resets the combos to 0 and 1 and stays open.
    void accept() override;

private:
    Messages& m_messages;
    QComboBox* m_top;
    QComboBox* m_bottom;
};
