#pragma once

#include "document/axis_settings.h"

#include <QDialog>

#include <functional>

class CTarnDoc;
class Messages;
class QComboBox;
class QPushButton;

/// The "Tick Labels" dialog for one direction of the current graph: the side
/// ("Draw Labels on:"), the label font and colour ("Font ..."), "Format:",
/// "Precision:" 0 to 9 and "Apply To:". OK applies the choice.
class CTickLabelsDialog : public QDialog {
    Q_OBJECT
public:
    /// Asks for a font and colour, changing them and returning true when the
    /// user accepts.
    using FontChooser = std::function<bool(QWidget* parent, LogFont& font, Color& color)>;

    CTickLabelsDialog(CTarnDoc& doc, AxisDirection direction, Messages& messages,
                      QWidget* parent = nullptr);

    TickLabelEntries Entries() const;
    /// Replaces the font chooser "Font ..." opens (the platform's font dialog,
    /// then the Color dialog for the colour).
    void SetFontChooser(FontChooser chooser) { m_chooser = std::move(chooser); }
    /// What "Font ..." does.
    void ChooseFont();
    QComboBox* Side() const { return m_side; }
    QComboBox* Format() const { return m_format; }
    QComboBox* Precision() const { return m_precision; }
    QComboBox* ApplyTo() const { return m_applyTo; }
    QPushButton* FontButton() const { return m_fontButton; }

public slots:
    void accept() override;

private:
    CTarnDoc& m_doc;
    AxisDirection m_direction;
    LogFont m_font;
    Color m_color;
    FontChooser m_chooser;
    QComboBox* m_side;
    QComboBox* m_format;
    QComboBox* m_precision;
    QComboBox* m_applyTo;
    QPushButton* m_fontButton;
};

/// The platform's font dialog (screen fonts with effects) on `font`, then the
/// Color dialog on `color`; Cancel in the colour keeps the old colour.
bool ChooseFontAndColor(QWidget* parent, LogFont& font, Color& color, Messages& messages);
