#pragma once

#include "document/axis_settings.h"

#include <QDialog>

class CColorCombo;
class CTarnDoc;
class Messages;
class QComboBox;

/// The "Grid Options" dialog for the grid of one direction of the current
/// graph (drawn by its normal axis): "Type:", "Size:" 1 to 5, "Color:" and
/// "Apply To:". OK applies the choice.
class CGridOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CGridOptionsDialog(CTarnDoc& doc, AxisDirection direction, Messages& messages,
                       QWidget* parent = nullptr);

    GridEntries Entries() const;
    /// Whether OK switched the grid on (the choices on the current graph).
    bool SwitchedOn() const { return m_switchedOn; }
    QComboBox* Type() const { return m_type; }
    QComboBox* Size() const { return m_size; }
    CColorCombo* ColorChoice() const { return m_color; }
    QComboBox* ApplyTo() const { return m_applyTo; }

public slots:
    void accept() override;

private:
    CTarnDoc& m_doc;
    AxisDirection m_direction;
    QComboBox* m_type;
    QComboBox* m_size;
    CColorCombo* m_color;
    QComboBox* m_applyTo;
    bool m_switchedOn = false;
};
