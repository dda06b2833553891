#pragma once

#include "document/legend_edit.h"

#include <QDialog>

#include <functional>

class CColorCombo;
class Graph;
class Messages;
class QCheckBox;
class QLineEdit;
class QListWidget;
class QPushButton;

/// The "Legend" dialog: the graph's active sets, "Text Label:" for the
/// selected set's entry, "Show Bounding box", "Label Font" and the two box
/// colours. It edits working copies: Cancel changes nothing, OK writes them.
class CLegendDialog : public QDialog {
    Q_OBJECT
public:
    using FontChooser = std::function<bool(QWidget* parent, LogFont& font, Color& color)>;

    CLegendDialog(Graph& graph, Messages& messages, QWidget* parent = nullptr);

    /// Replaces the platform font chooser (tests).
    void SetFontChooser(FontChooser chooser) { m_chooser = std::move(chooser); }
    /// What "Label Font" does.
    void ChooseFont();

    QListWidget* List() const { return m_list; }
    QLineEdit* TextLabel() const { return m_text; }
    QCheckBox* ShowBox() const { return m_showBox; }
    CColorCombo* FillColor() const { return m_fill; }
    CColorCombo* EdgeColor() const { return m_edge; }
    const LegendEdit& Edit() const { return m_edit; }

public slots:
    void accept() override;

private:
    void OnSelectionChanged(int row);
    void OnShowBoxToggled(bool checked);

    LegendEdit m_edit;
    FontChooser m_chooser;
    QListWidget* m_list;
    QLineEdit* m_text;
    QCheckBox* m_showBox;
    CColorCombo* m_fill;
    CColorCombo* m_edge;
    QPushButton* m_fontButton;
};
