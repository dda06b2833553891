#include "ui/select_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

CSelectDialog::CSelectDialog(int graphCount, int current, QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Select Graph");
    m_combo = new QComboBox;
    for (int i = 0; i < graphCount; ++i)
        m_combo->addItem(QString::asprintf("%d", i));
    m_combo->setCurrentIndex(current);
    auto* form = new QFormLayout;
    form->addRow("Current graph:", m_combo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSelectDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSelectDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

int CSelectDialog::Chosen() const
{
    return m_combo->currentIndex();
}
