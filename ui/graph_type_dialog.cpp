#include "ui/graph_type_dialog.h"

#include "document/graph_type_edit.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CGraphTypeDialog::CGraphTypeDialog(int item, QWidget* parent) : QDialog(parent), m_list(new QListWidget(this))
{
    setWindowTitle("Set Graph Type");
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    for (const char* name : kGraphTypeNames)
        m_list->addItem(name);
    m_list->setCurrentRow(item >= 0 && item < m_list->count() ? item : 0);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CGraphTypeDialog::accept);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(buttons);
    resize(260, 180);
}

int CGraphTypeDialog::Item() const
{
    const int row = m_list->currentRow();
    return row >= 0 ? row : 0;
}
