#pragma once

#include <QDialog>

class CPlotListBox;
class CTarnDoc;
class Messages;
class QLineEdit;
class QPushButton;
class QRadioButton;

/// The "Integratation" dialog (its caption is spelled so): sets of the
/// current graph, automatic or user-defined limits, "Apply" for the report
/// and "Cancel" to close.
class CIntegrationDialog : public QDialog {
    Q_OBJECT
public:
    CIntegrationDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    CPlotListBox* List() const { return m_list; }
    QRadioButton* Auto() const { return m_auto; }
    QRadioButton* UserDefined() const { return m_user; }
    QLineEdit* From() const { return m_from; }
    QLineEdit* To() const { return m_to; }
    QPushButton* ApplyButton() const { return m_apply; }
    QPushButton* CancelButton() const { return m_cancel; }

    /// Reads the limits (a limit that is not a number shows "Please enter a
    /// number." and nothing is computed) and shows the report of the chosen sets.
    void Apply();

private:
    void UpdateEnabled();

    CTarnDoc& m_doc;
    Messages& m_messages;
    CPlotListBox* m_list;
    QRadioButton* m_auto;
    QRadioButton* m_user;
    QLineEdit* m_from;
    QLineEdit* m_to;
    QPushButton* m_apply;
    QPushButton* m_cancel;
};
