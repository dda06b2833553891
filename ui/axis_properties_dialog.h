#pragma once

#include "document/axis_settings.h"

#include <QDialog>

class CColorCombo;
class CTarnDoc;
class Messages;
class QCheckBox;
class QComboBox;
class QLineEdit;

/// The "Axis Properties" dialog for the X or Y direction of the current graph:
/// "Edit:" switches the direction; "Axis Label:", the major and minor tick
/// spacings (number fields), "Display Tick Marks", "Display Tick Labels",
/// "Display Axis Grid", "Axis Color:" and "Apply To:", with buttons for the
/// Tick Marks, Tick Labels and Grid Options dialogs. OK and Apply check the
/// spacings first; a bad one shows its message and changes nothing.
class CAxisPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    CAxisPropertiesDialog(CTarnDoc& doc, AxisDirection direction, Messages& messages,
                          QWidget* parent = nullptr);

    /// The entries as typed.
    AxisPropertiesEntries Entries() const;
    AxisDirection Direction() const { return m_direction; }
    /// Shows the fields of `direction` (what "Edit:" does).
    void Load(AxisDirection direction);
    /// Checks and applies the entries; false (and the message shown) when a
    /// spacing is refused.
    bool Apply();

    /// After the Tick Marks or Tick Labels dialog closed with OK: the
    /// matching box is checked and the page is redrawn.
    void AfterTickMarks();
    void AfterTickLabels();
    /// After Grid Options closed with OK: the grid box is checked when the
    /// grid was switched on, and the page is redrawn.
    void AfterGrid(bool switchedOn);

    QComboBox* EditCombo() const { return m_edit; }
    QLineEdit* Title() const { return m_title; }
    QLineEdit* MajorSpacing() const { return m_major; }
    QLineEdit* MinorSpacing() const { return m_minor; }
    QCheckBox* Ticks() const { return m_ticks; }
    QCheckBox* Labels() const { return m_labels; }
    QCheckBox* Grid() const { return m_grid; }
    CColorCombo* ColorChoice() const { return m_color; }
    QComboBox* ApplyTo() const { return m_applyTo; }

signals:
    /// The document changed (Apply, OK or one of the sub-dialogs): redraw.
    void Changed();

public slots:
    void accept() override;

private:
    void OnTickMarks();
    void OnTickLabels();
    void OnGrid();

    CTarnDoc& m_doc;
    Messages& m_messages;
    AxisDirection m_direction;
    QComboBox* m_edit;
    QLineEdit* m_title;
    QLineEdit* m_major;
    QLineEdit* m_minor;
    QCheckBox* m_ticks;
    QCheckBox* m_labels;
    QCheckBox* m_grid;
    CColorCombo* m_color;
    QComboBox* m_applyTo;
};
