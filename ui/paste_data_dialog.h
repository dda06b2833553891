#pragma once

#include <QDialog>

class QComboBox;

/// Asks which text format the clipboard data has ("Paste Data").
class PasteDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit PasteDataDialog(QWidget* parent = nullptr);

    /// The chosen format, 0 to 4.
    int Format() const;
    void SetFormat(int format);

private:
    QComboBox* m_format;
};
