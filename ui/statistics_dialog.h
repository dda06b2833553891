#pragma once

#include <QDialog>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QPushButton;

/// The "Plot Statistics" dialog: choose sets of the current graph and press
/// "Apply" for their statistics report; it stays open until "Close".
class CStatisticsDialog : public QDialog {
    Q_OBJECT
public:
    CStatisticsDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    CPlotListBox* List() const { return m_list; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* CloseButton() const { return m_close; }

    /// Shows the report of the chosen sets, or "No Plots have been selected!".
    void Apply();

private:
    CTarnDoc& m_doc;
    Messages& m_messages;
    CPlotListBox* m_list;
    QPushButton* m_apply;
    QPushButton* m_close;
};
