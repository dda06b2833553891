#pragma once

#include "document/error_bar_edit.h"

#include <QDialog>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QComboBox;

/// The "Error Bar" dialog: the error-bar style of the chosen active sets of
/// the current graph. "OK" restyles them and marks the document modified, or
/// says "No Plots have been selected!" and stays open.
class CErrorBarDialog : public QDialog {
    Q_OBJECT
public:
    CErrorBarDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    CPlotListBox* List() const { return m_list; }
    QComboBox* HatSize() const { return m_hatSize; }
    QComboBox* LineStyle() const { return m_lineStyle; }
    QComboBox* LineSize() const { return m_lineSize; }
    QComboBox* XDisplay() const { return m_xDisplay; }
    QComboBox* YDisplay() const { return m_yDisplay; }

public slots:
    void accept() override;

private:
    void Reload();

    CTarnDoc& m_doc;
    Messages& m_messages;
    ErrorBarEdit m_edit;
    CPlotListBox* m_list;
    QComboBox* m_hatSize;
    QComboBox* m_lineStyle;
    QComboBox* m_lineSize;
    QComboBox* m_xDisplay;
    QComboBox* m_yDisplay;
};
