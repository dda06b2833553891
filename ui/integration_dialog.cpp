#include "ui/integration_dialog.h"

#include "analysis/integration.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "ui/plot_list_box.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CIntegrationDialog::CIntegrationDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Integratation");
    m_list = new CPlotListBox(doc, messages, this);
    m_auto = new QRadioButton(" Auto");
    m_user = new QRadioButton("User Defined");
    m_auto->setChecked(true);
    m_from = new QLineEdit("0");
    m_to = new QLineEdit("0");

    auto* limits = new QGroupBox("Integration limits");
    auto* form = new QFormLayout(limits);
    form->addRow(m_auto);
    form->addRow(m_user);
    form->addRow("From:", m_from);
    form->addRow("To:", m_to);

    auto* buttons = new QDialogButtonBox(this);
    m_apply = buttons->addButton("Apply", QDialogButtonBox::ApplyRole);
    m_cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    m_apply->setDefault(true);
    connect(m_apply, &QPushButton::clicked, this, &CIntegrationDialog::Apply);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_user, &QRadioButton::toggled, this, &CIntegrationDialog::UpdateEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(limits);
    layout->addWidget(buttons);
    UpdateEnabled();
}

void CIntegrationDialog::UpdateEnabled()
{
    m_from->setEnabled(m_user->isChecked());
    m_to->setEnabled(m_user->isChecked());
}

void CIntegrationDialog::Apply()
{
    IntegrationLimits limits;
    limits.userDefined = m_user->isChecked();
    if (!ReadLimitField(m_from->text().toStdString(), limits.from) ||
        !ReadLimitField(m_to->text().toStdString(), limits.to)) {
        m_messages.Show("Please enter a number.");
        return;
    }
    ShowIntegration(m_doc.CurrentGraph(), limits, m_messages);
}
