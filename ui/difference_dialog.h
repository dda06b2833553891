#pragma once

#include "analysis/differences.h"

#include <QDialog>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QComboBox;
class QRadioButton;

/// The "Differentiation (discrete difference)" dialog: sets of the current
/// graph, the method ("3 point" or "5 point"), where the result lies in its
/// window of points, and the graph for the results. "OK" adds the
/// derivatives and closes; a failed check shows its message and stays open.
class CDifferenceDialog : public QDialog {
    Q_OBJECT
public:
    CDifferenceDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// The choices as they stand.
    DerivativeRequest Request() const;

    CPlotListBox* List() const { return m_list; }
    QComboBox* Method() const { return m_method; }
    QRadioButton* Centered() const { return m_centered; }
    QRadioButton* Left() const { return m_left; }
    QRadioButton* Right() const { return m_right; }
    QComboBox* TargetGraph() const { return m_target; }

public slots:
    /// Computes with the wait cursor shown, restored on every way out.
    void accept() override;

private:
    CTarnDoc& m_doc;
    Messages& m_messages;
    CPlotListBox* m_list;
    QComboBox* m_method;
    QRadioButton* m_centered;
    QRadioButton* m_left;
    QRadioButton* m_right;
    QComboBox* m_target;
};
