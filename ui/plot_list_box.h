#pragma once

#include "document/set_control.h"

#include <QListWidget>

class CTarnDoc;
class Messages;
class QComboBox;

/// The set list of the analysis dialogs: the current graph's active sets,
/// several of which may be chosen, with the first one chosen when it opens.
/// Every change of the choice is copied into the sets' selected flags.
class CPlotListBox : public QListWidget {
    Q_OBJECT
public:
    CPlotListBox(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// Chooses exactly the entries in `rows` (as a user's clicks would).
    void ChooseRows(const std::vector<int>& rows);
    /// The index of the set chosen last (the remembered set), or -1.
    int Remembered() const { return m_filler.LastSelected(); }

signals:
    /// The choice has changed and the sets' selected flags follow it.
    void ChoiceChanged();

private:
    void SelectionChanged();

    CTarnDoc& m_doc;
    PlotListFiller m_filler;
};

/// Fills a "Load Result to graph:" list: "Current", then the number of every
/// visible graph of the page; "Current" is chosen.
void FillTargetGraphCombo(QComboBox* combo, const CTarnDoc& doc);

/// The page index of the graph chosen in a list filled by `FillTargetGraphCombo`.
int ChosenTargetGraph(const QComboBox* combo, const CTarnDoc& doc);
