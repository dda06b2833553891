#pragma once

#include "analysis/function_plot.h"

#include <QDialog>

class CTarnDoc;
class FunctionHistory;
class Messages;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QTabBar;

/// The three equation editors: "Equation Editor" (y = f(x)), "Parametric
/// Equation Editor" (x(t), y(t)) and "Polar Equation Editor" (r(t)). Each
/// takes the formula, the range of x or t and the number of points, keeps
/// the document's history of its kind as tabs "Eq 1", "Eq 2", ..., and on
/// "OK" adds the new set to the current graph and closes; a failure shows
/// its message and the dialog stays open.
class CEquationEditorDialog : public QDialog {
    Q_OBJECT
public:
    CEquationEditorDialog(CTarnDoc& doc, FunctionKind kind, Messages& messages,
                          QWidget* parent = nullptr);

    /// The entries as they stand.
    FunctionRequest Request() const;

    /// The top formula box (f(x), x(t) or r(t)) and, for parametric curves, y(t).
    QPlainTextEdit* Formula() const { return m_formula; }
    QPlainTextEdit* SecondFormula() const { return m_formula2; }
    QLineEdit* Points() const { return m_points; }
    QLineEdit* Minimum() const { return m_min; }
    QLineEdit* Maximum() const { return m_max; }
    QTabBar* Tabs() const { return m_tabs; }
    QProgressBar* Progress() const { return m_progress; }
    /// The index of the set the last successful "OK" added, or -1.
    int AddedSet() const { return m_added; }

public slots:
    void accept() override;

private:
    void Load(const FunctionRequest& request);
    void TabChanged(int index);

    CTarnDoc& m_doc;
    FunctionKind m_kind;
    Messages& m_messages;
    FunctionHistory& m_history;
    QPlainTextEdit* m_formula;
    QPlainTextEdit* m_formula2 = nullptr;
    QLineEdit* m_points;
    QLineEdit* m_min;
    QLineEdit* m_max;
    QTabBar* m_tabs;
    QProgressBar* m_progress;
    int m_shownTab = 0;
    int m_added = -1;
};
