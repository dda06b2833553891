#pragma once

#include "document/tarn_doc.h"

#include <QDialog>

class Messages;
class QLineEdit;
class QRadioButton;
class QSpinBox;

/// The "Arrange Graph(s)" dialog: all graphs or the selected graph, rows and
/// columns with spin buttons, gaps, start and graph size. The width and
/// height follow the rows, columns and gaps as they are typed.
class CArrangeDialog : public QDialog {
    Q_OBJECT
public:
    CArrangeDialog(const ArrangeRequest& initial, Messages& messages, QWidget* parent = nullptr);

    /// The entries as typed.
    ArrangeRequest Request() const;
    /// Recomputes width and height from rows, columns and gaps, or shows why
    /// it cannot.
    void UpdateSizes();

    QRadioButton* AllGraphs() const { return m_all; }
    QRadioButton* SelectedGraph() const { return m_selected; }
    QLineEdit* Field(const char* label) const;
    /// The spin buttons beside "Rows:" and "Columns:".
    QSpinBox* RowSpin() const { return m_rowSpin; }
    QSpinBox* ColumnSpin() const { return m_columnSpin; }

public slots:
    /// Refuses a row or column count of 0 or less and stays open.
    void accept() override;

private:
    void UpdateEnabled();

    Messages& m_messages;
    QRadioButton* m_all;
    QRadioButton* m_selected;
    QLineEdit* m_rows;
    QLineEdit* m_columns;
    QSpinBox* m_rowSpin;
    QSpinBox* m_columnSpin;
    QLineEdit* m_verticalGap;
    QLineEdit* m_horizontalGap;
    QLineEdit* m_startX;
    QLineEdit* m_startY;
    QLineEdit* m_width;
    QLineEdit* m_height;
};
