#include "ui/curve_fit_options_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

CCurveFitOptionsDialog::CCurveFitOptionsDialog(const FitOptions& options, Messages& messages,
                                               QWidget* parent)
    : QDialog(parent), m_options(options), m_messages(messages)
{
    setWindowTitle("Curve Fit Options");
    const FitOptionsEntry entry = OptionsEntry(options);
    m_algorithm = new QListWidget;
    m_algorithm->addItem("Lev-Marq");
    m_algorithm->setCurrentRow(0);
    m_algorithm->setMaximumHeight(m_algorithm->sizeHintForRow(0) * 2 + 8);
    m_iterations = new QLineEdit(QString::fromStdString(entry.maxIterations));
    m_tolerance = new QLineEdit(QString::fromStdString(entry.tolerance));
    m_weight = new QCheckBox("Weight points according to y error bars");
    m_weight->setChecked(entry.weight);
    m_simplify = new QCheckBox("Simplify functions when possible");
    m_simplify->setChecked(entry.simplify);

    auto* form = new QFormLayout;
    form->addRow("Algorithm", m_algorithm);
    form->addRow("Max Iterations", m_iterations);
    form->addRow("Fit Tolerance", m_tolerance);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CCurveFitOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CCurveFitOptionsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_weight);
    layout->addWidget(m_simplify);
    layout->addWidget(buttons);
}

void CCurveFitOptionsDialog::accept()
{
    FitOptionsEntry entry;
    entry.algorithm = m_algorithm->currentRow() < 0 ? 0 : m_algorithm->currentRow();
    entry.maxIterations = m_iterations->text().toStdString();
    entry.tolerance = m_tolerance->text().toStdString();
    entry.weight = m_weight->isChecked();
    entry.simplify = m_simplify->isChecked();
    if (ReadFitOptions(entry, m_options, m_messages))
        QDialog::accept();
}
