#include "ui/lines_dialog.h"

#include "model/messages.h"
#include "render/graph.h"
#include "render/reference_lines.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cmath>
#include <cstdlib>

CLinePropertiesDialog::CLinePropertiesDialog(Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle("Line Properties");
    m_orientation = new QComboBox;
    m_orientation->addItems({"X", "Y"});
    m_orientation->setCurrentIndex(1);
    m_value = new QLineEdit("0");
    m_type = new QComboBox;
    m_type->addItems({"Solid", "Dotted", "Dashed", "Dash-Dot", "Dash-Dot-Dot"});
    auto* row = new QHBoxLayout;
    row->addWidget(m_orientation);
    row->addWidget(new QLabel("="));
    row->addWidget(m_value);
    auto* type = new QHBoxLayout;
    type->addWidget(new QLabel("Line type:"));
    type->addWidget(m_type);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CLinePropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CLinePropertiesDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(type);
    layout->addWidget(buttons);
}

// A float as the dialog reads it: the whole entry (white space around it
// allowed) must be a number within the float range.
static bool ReadFloat(const std::string& text, float& value)
{
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const float read = std::strtof(begin, &end);
    if (end == begin || errno == ERANGE || !std::isfinite(read))
        return false;
    for (const char* p = end; *p; ++p)
        if (*p != ' ' && *p != '\t')
            return false;
    value = read;
    return true;
}

void CLinePropertiesDialog::accept()
{
    float value = 0.0f;
    if (!ReadFloat(m_value->text().toStdString(), value)) {
        m_messages.Show("Please enter a number.");
        m_value->setFocus();
        return;
    }
    m_line.m_orientation = m_orientation->currentIndex();
    m_line.m_lineStyle = m_type->currentIndex();
    m_line.m_value = value;
    QDialog::accept();
}

CLinesDialog::CLinesDialog(Graph& graph, Messages& messages, QWidget* parent)
    : QDialog(parent), m_graph(graph), m_messages(messages)
{
    setWindowTitle("Lines");
    m_asker = [&messages](QWidget* owner, RefLine& line) {
        CLinePropertiesDialog dialog(messages, owner);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        line = dialog.Line();
        return true;
    };
    m_list = new QListWidget;
    auto* add = new QPushButton("Add ...");
    auto* remove = new QPushButton("Delete");
    auto* close = new QPushButton("Close");
    connect(add, &QPushButton::clicked, this, &CLinesDialog::Add);
    connect(remove, &QPushButton::clicked, this, &CLinesDialog::Delete);
    connect(close, &QPushButton::clicked, this, &CLinesDialog::accept);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    Fill();
}

void CLinesDialog::Fill()
{
    m_list->clear();
    for (int i = 0; i < m_graph.m_refLines.Count(); ++i)
        m_list->addItem(QString::fromStdString(RefLineText(m_graph.m_refLines.Get(i))));
}

void CLinesDialog::Add()
{
    RefLine line;
    if (!m_asker || !m_asker(this, line))
        return;
    if (AddReferenceLine(m_graph, line, m_messages))
        m_list->addItem(QString::fromStdString(RefLineText(line)));
}

void CLinesDialog::Delete()
{
    const int row = m_list->selectedItems().isEmpty() ? -1 : m_list->currentRow();
    if (DeleteReferenceLine(m_graph, row, m_messages))
        delete m_list->takeItem(row);
}
