#include "ui/plot_list_box.h"

#include "analysis/set_selection.h"
#include "document/tarn_doc.h"

#include <QComboBox>
#include <QSignalBlocker>

CPlotListBox::CPlotListBox(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QListWidget(parent), m_doc(doc)
{
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string& entry : m_filler.Fill(doc, messages))
        addItem(QString::fromStdString(entry));
    if (count() > 0)
        item(0)->setSelected(true);
    connect(this, &QListWidget::itemSelectionChanged, this, &CPlotListBox::SelectionChanged);
}

void CPlotListBox::ChooseRows(const std::vector<int>& rows)
{
    {
        const QSignalBlocker quiet(this);
        clearSelection();
        for (int row : rows)
            if (row >= 0 && row < count())
                item(row)->setSelected(true);
    }
    SelectionChanged();
}

void CPlotListBox::SelectionChanged()
{
    std::vector<int> rows;
    for (int row = 0; row < count(); ++row)
        if (item(row)->isSelected())
            rows.push_back(row);
    m_filler.UpdateSelection(m_doc, rows);
    emit ChoiceChanged();
}

void FillTargetGraphCombo(QComboBox* combo, const CTarnDoc& doc)
{
    combo->clear();
    for (const std::string& entry : TargetGraphEntries(doc))
        combo->addItem(QString::fromStdString(entry));
    combo->setCurrentIndex(0);
}

int ChosenTargetGraph(const QComboBox* combo, const CTarnDoc& doc)
{
    return TargetGraphIndex(doc, combo->currentIndex());
}
