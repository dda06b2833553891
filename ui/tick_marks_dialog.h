#pragma once

#include "document/axis_settings.h"

#include <QDialog>

class CTarnDoc;
class QComboBox;
class QRadioButton;

/// The "Tick Marks" dialog for one direction of the current graph: the side
/// ("Draw Ticks on:"), In or Out ("Draw Ticks Pointing:") and "Apply To:".
/// Choosing a side resets the direction to Out. OK applies the choice.
class CTickMarksDialog : public QDialog {
    Q_OBJECT
public:
    CTickMarksDialog(CTarnDoc& doc, AxisDirection direction, QWidget* parent = nullptr);

    TickMarkEntries Entries() const;
    QComboBox* Side() const { return m_side; }
    QRadioButton* In() const { return m_in; }
    QRadioButton* Out() const { return m_out; }
    QComboBox* ApplyTo() const { return m_applyTo; }

public slots:
    /// Applies the choice to the graphs "Apply To" names, then closes.
    void accept() override;

private:
    CTarnDoc& m_doc;
    AxisDirection m_direction;
    QComboBox* m_side;
    QRadioButton* m_in;
    QRadioButton* m_out;
    QComboBox* m_applyTo;
};
