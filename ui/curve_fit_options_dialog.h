#pragma once

#include "analysis/fit_options.h"

#include <QDialog>

class Messages;
class QCheckBox;
class QLineEdit;
class QListWidget;

/// "Curve Fit Options": the algorithm ("Lev-Marq", the only one), "Max
/// Iterations", "Fit Tolerance" and the weighting and simplification
/// switches. "OK" checks the numbers (a failure shows its message and the
/// dialog stays open) and keeps the new options.
class CCurveFitOptionsDialog : public QDialog {
    Q_OBJECT
public:
    CCurveFitOptionsDialog(const FitOptions& options, Messages& messages, QWidget* parent = nullptr);

    /// The options after "OK" (the ones it opened with before).
    const FitOptions& Options() const { return m_options; }

    QListWidget* Algorithm() const { return m_algorithm; }
    QLineEdit* MaxIterations() const { return m_iterations; }
    QLineEdit* Tolerance() const { return m_tolerance; }
    QCheckBox* Weight() const { return m_weight; }
    QCheckBox* Simplify() const { return m_simplify; }

public slots:
    void accept() override;

private:
    FitOptions m_options;
    Messages& m_messages;
    QListWidget* m_algorithm;
    QLineEdit* m_iterations;
    QLineEdit* m_tolerance;
    QCheckBox* m_weight;
    QCheckBox* m_simplify;
};
