#include "ui/set_control_dialog.h"

#include "document/set_control.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

CSetControlDialog::CSetControlDialog(SetControl& control, QWidget* parent)
    : QDialog(parent), m_control(control), m_list(new QListWidget(this))
{
    setWindowTitle(control.Caption());
    m_list->setSelectionMode(control.MultipleSelection() ? QAbstractItemView::ExtendedSelection
                                                         : QAbstractItemView::SingleSelection);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string& entry : control.Entries())
        m_list->addItem(QString::fromStdString(entry));
    // Lists that take several sets open with the first one chosen; the
    // one-set lists open with none.
    if (control.MultipleSelection() && m_list->count() > 0)
        m_list->item(0)->setSelected(true);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CSetControlDialog::accept);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSetControlDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(360, 300);
}

void CSetControlDialog::accept()
{
    std::vector<int> rows;
    for (int row = 0; row < m_list->count(); ++row)
        if (m_list->item(row)->isSelected())
            rows.push_back(row);
    m_result = m_control.Apply(rows);
    QDialog::accept();
}
