#pragma once

#include "analysis/histogram.h"

#include <QDialog>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;

/// The "Histogram" dialog: sets of the current graph, bins by width or by
/// count, start and ending value (number fields that take expressions), the
/// graph for the results, and the normalise and align options. "OK" adds
/// the histograms and closes; a failed check shows its message and stays open.
class CHistogramDialog : public QDialog {
    Q_OBJECT
public:
    CHistogramDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// The entries as they stand.
    HistogramRequest Request() const;

    CPlotListBox* List() const { return m_list; }
    QRadioButton* ByWidth() const { return m_byWidth; }
    QRadioButton* ByCount() const { return m_byCount; }
    QLineEdit* BinWidth() const { return m_binWidth; }
    QLineEdit* BinCount() const { return m_binCount; }
    QLineEdit* StartValue() const { return m_start; }
    QLineEdit* EndValue() const { return m_end; }
    QComboBox* TargetGraph() const { return m_target; }
    QCheckBox* Normalize() const { return m_normalize; }
    QCheckBox* Align() const { return m_align; }

public slots:
    void accept() override;

private:
    void UpdateEnabled();

    CTarnDoc& m_doc;
    Messages& m_messages;
    CPlotListBox* m_list;
    QRadioButton* m_byWidth;
    QRadioButton* m_byCount;
    QLineEdit* m_binWidth;
    QLineEdit* m_binCount;
    QLineEdit* m_start;
    QLineEdit* m_end;
    QComboBox* m_target;
    QCheckBox* m_normalize;
    QCheckBox* m_align;
};
