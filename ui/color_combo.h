#pragma once

#include "model/colors.h"

#include <QComboBox>

class Messages;

/// The colour list of the dialogs: "Black" ... "None" for the fixed colours
/// and "Custom", which opens the Color dialog. A colour that is none of the
/// fixed ones shows as Custom.
class CColorCombo : public QComboBox {
    Q_OBJECT
public:
    explicit CColorCombo(Messages& messages, QWidget* parent = nullptr);

    /// Shows `color`.
    void SetColor(Color color);
    /// The colour shown.
    Color ColorValue() const { return m_color; }
    /// What choosing item `index` does: a fixed colour is taken; "Custom" asks
    /// the Color dialog (through `PickColor`), and Cancel there keeps the
    /// previous colour and item.
    void Choose(int index);

private:
    Messages& m_messages;
    Color m_color = 0;
};
