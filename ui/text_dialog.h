#pragma once

#include "model/colors.h"
#include "model/log_font.h"

#include <QDialog>

#include <functional>
#include <string>

class Messages;
class QLineEdit;
class QPushButton;
class QTextEdit;
class QToolButton;
class TextObject;

/// The text editing dialog (titles, free labels): a box for the markup
/// text, "Font ..." (the font chooser, which also picks the text colour) and
/// "Orientation:" in degrees with arrows from 0 to 360. OK refuses an
/// orientation outside 0 to 360 with "Please enter a valid orientation!" and
/// stays open.
class CTextDialog : public QDialog {
    Q_OBJECT
public:
    using FontChooser = std::function<bool(QWidget* parent, LogFont& font, Color& color)>;

    /// Opens on the text, font, colour and orientation of `text`.
    CTextDialog(const QString& caption, const TextObject& text, Messages& messages,
                QWidget* parent = nullptr);

    /// Replaces the platform font chooser (tests).
    void SetFontChooser(FontChooser chooser) { m_chooser = std::move(chooser); }
    /// What "Font ..." does.
    void ChooseFont();

    /// After OK: the text, font, colour and orientation in degrees.
    std::string Text() const;
    const LogFont& Font() const { return m_font; }
    Color TextColor() const { return m_color; }
    int Orientation() const { return m_orientation; }
    /// Stores the dialog's results into `text` (orientation x 10).
    void ApplyTo(TextObject& text) const;

    QTextEdit* TextEdit() const { return m_text; }
    QLineEdit* OrientationEdit() const { return m_orientationEdit; }
    QPushButton* FontButton() const { return m_fontButton; }

public slots:
    void accept() override;

private:
    void Step(int degrees);

    Messages& m_messages;
    LogFont m_font;
    Color m_color;
    int m_orientation = 0;
    FontChooser m_chooser;
    QTextEdit* m_text;
    QLineEdit* m_orientationEdit;
    QPushButton* m_fontButton;
};
