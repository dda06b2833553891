#pragma once

#include <QDialog>

class QComboBox;

/// The "Properties" dialog: line thickness factor 1 to 5 and font size
/// factor 1 to 3 in quarter steps.
class CPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    CPropertiesDialog(int lineScaling, float fontScaling, QWidget* parent = nullptr);

    /// The chosen line factor (item number + 1).
    int LineScaling() const;
    /// The chosen font factor (1 + 0.25 x item number).
    float FontScaling() const;
    QComboBox* LineCombo() const { return m_line; }
    QComboBox* FontCombo() const { return m_font; }

private:
    QComboBox* m_line;
    QComboBox* m_font;
};
