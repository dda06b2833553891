#pragma once

#include "model/colors.h"

#include <QDialog>

#include <string>

class Messages;
class QCheckBox;
class QLineEdit;
class QSlider;
class QWidget;

/// The "Color" dialog: red, green and blue sliders (255 at the top) with edit
/// boxes under them, a "Transparent (no color)" check box and a preview.
class CColorDialog : public QDialog {
    Q_OBJECT
public:
    CColorDialog(Color color, Messages& messages, QWidget* parent = nullptr);

    /// The colour the dialog shows: `kNoColor` while transparent is checked,
    /// else red + green x 256 + blue x 65536 from the sliders.
    Color CurrentColor() const;
    /// Checks the three edit boxes as OK does; on failure returns false,
    /// stores the message and the index (0 red, 1 green, 2 blue) of the box.
    bool Validate(std::string* message, int* box) const;

    QSlider* Slider(int index) const { return m_sliders[index]; }
    QLineEdit* Edit(int index) const { return m_edits[index]; }
    QCheckBox* Transparent() const { return m_transparent; }

public slots:
    /// Validates; shows the message and focuses the bad box, or accepts.
    void accept() override;

private:
    void OnSliderMoved(int index, int value);
    void OnEditChanged();
    void OnTransparentToggled(bool checked);

    Messages& m_messages;
    QSlider* m_sliders[3];
    QLineEdit* m_edits[3];
    QCheckBox* m_transparent;
    QWidget* m_preview;
    bool m_updating = false;
};

/// Runs the Color dialog on `color`. Returns true and stores the choice in
/// `*result` when the user accepts; false (and `*result` untouched) on Cancel.
bool PickColor(QWidget* parent, Color color, Color* result, Messages& messages);
