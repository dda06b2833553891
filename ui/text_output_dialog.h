#pragma once

#include <QDialog>

class QTextEdit;

/// A read-only text window with one "Close" button, used for help texts and
/// analysis reports. Its caption is the one it is given.
class TextOutputDialog : public QDialog {
    Q_OBJECT
public:
    TextOutputDialog(const QString& caption, const QString& text, QWidget* parent = nullptr);

    /// The text as shown (line ends as plain LF).
    QString Text() const;

private:
    QTextEdit* m_text;
};
