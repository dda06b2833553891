#pragma once

#include <QDialog>

#include <string>

class Messages;
class QLineEdit;

/// The "Export Image" size dialog: "Output dimensions (in pixels)" with a
/// width and a height, each a whole number of at least 1. A value that is no
/// whole number, or is out of range, is shown as the framework's message and
/// the dialog stays open on that field.
class CImageSizeDialog : public QDialog {
    Q_OBJECT
public:
    CImageSizeDialog(int width, int height, Messages& messages, QWidget* parent = nullptr);

    int ImageWidth() const { return m_width; }
    int ImageHeight() const { return m_height; }
    QLineEdit* WidthEdit() const { return m_widthEdit; }
    QLineEdit* HeightEdit() const { return m_heightEdit; }

    /// Reads one field: true with `value` set, or false with the message.
    static bool ReadSize(const std::string& text, int& value, std::string& message);

    void accept() override;

private:
    Messages& m_messages;
    QLineEdit* m_widthEdit;
    QLineEdit* m_heightEdit;
    int m_width;
    int m_height;
};
