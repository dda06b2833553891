#include "ui/arrange_dialog.h"

#include "model/messages.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>
#include <QVBoxLayout>

static QLineEdit* MakeEdit(const std::string& text)
{
    return new QLineEdit(QString::fromStdString(text));
}

// A spin box used only for its arrows: it steps the count in its edit field.
static QSpinBox* MakeSpin(QLineEdit* edit)
{
    auto* spin = new QSpinBox;
    spin->setRange(1, 32767);
    spin->setValue(std::max(1, edit->text().toInt()));
    spin->setFixedWidth(24);
    QObject::connect(spin, &QSpinBox::valueChanged, edit,
                     [edit](int value) { edit->setText(QString::number(value)); });
    // The arrows step from what is typed, so a typed count is followed.
    QObject::connect(edit, &QLineEdit::textChanged, spin, [spin](const QString& text) {
        bool ok = false;
        const int value = text.trimmed().toInt(&ok);
        if (!ok || value == spin->value())
            return;
        const QSignalBlocker quiet(spin);
        spin->setValue(std::clamp(value, spin->minimum(), spin->maximum()));
    });
    return spin;
}

CArrangeDialog::CArrangeDialog(const ArrangeRequest& initial, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle("Arrange Graph(s)");
    m_all = new QRadioButton("All Graphs");
    m_selected = new QRadioButton("Selected Graph");
    m_all->setChecked(initial.allGraphs);
    m_selected->setChecked(!initial.allGraphs);
    m_rows = MakeEdit(initial.rows);
    m_columns = MakeEdit(initial.columns);
    m_rowSpin = MakeSpin(m_rows);
    m_columnSpin = MakeSpin(m_columns);
    m_verticalGap = MakeEdit(initial.verticalGap);
    m_horizontalGap = MakeEdit(initial.horizontalGap);
    m_startX = MakeEdit(initial.startX);
    m_startY = MakeEdit(initial.startY);
    m_width = MakeEdit(initial.width);
    m_height = MakeEdit(initial.height);

    auto* form = new QFormLayout;
    auto withSpin = [](QLineEdit* edit, QSpinBox* spin) {
        auto* row = new QHBoxLayout;
        row->addWidget(edit);
        row->addWidget(spin);
        return row;
    };
    form->addRow("Rows:", withSpin(m_rows, m_rowSpin));
    form->addRow("Columns:", withSpin(m_columns, m_columnSpin));
    form->addRow("Vertical gap:", m_verticalGap);
    form->addRow("Horizontal gap:", m_horizontalGap);
    form->addRow("Start at x =", m_startX);
    form->addRow("Start at y =", m_startY);
    form->addRow("Graph width:", m_width);
    form->addRow("Graph height:", m_height);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CArrangeDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CArrangeDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_all);
    layout->addWidget(m_selected);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(m_rows, &QLineEdit::textChanged, this, &CArrangeDialog::UpdateSizes);
    connect(m_columns, &QLineEdit::textChanged, this, &CArrangeDialog::UpdateSizes);
    connect(m_all, &QRadioButton::toggled, this, &CArrangeDialog::UpdateEnabled);
    UpdateEnabled();
}

QLineEdit* CArrangeDialog::Field(const char* label) const
{
    const std::string name(label);
    if (name == "Rows:") return m_rows;
    if (name == "Columns:") return m_columns;
    if (name == "Vertical gap:") return m_verticalGap;
    if (name == "Horizontal gap:") return m_horizontalGap;
    if (name == "Start at x =") return m_startX;
    if (name == "Start at y =") return m_startY;
    if (name == "Graph width:") return m_width;
    if (name == "Graph height:") return m_height;
    return nullptr;
}

ArrangeRequest CArrangeDialog::Request() const
{
    ArrangeRequest request;
    request.allGraphs = m_all->isChecked();
    request.rows = m_rows->text().toStdString();
    request.columns = m_columns->text().toStdString();
    request.verticalGap = m_verticalGap->text().toStdString();
    request.horizontalGap = m_horizontalGap->text().toStdString();
    request.startX = m_startX->text().toStdString();
    request.startY = m_startY->text().toStdString();
    request.width = m_width->text().toStdString();
    request.height = m_height->text().toStdString();
    return request;
}

void CArrangeDialog::UpdateSizes()
{
    const ArrangeRequest request = Request();
    const ArrangeSizes sizes = ComputeArrangeSizes(request.rows, request.columns,
                                                   request.horizontalGap, request.verticalGap);
    if (!sizes.message.empty()) {
        m_messages.Show(sizes.message);
        return;
    }
    m_width->setText(QString::fromStdString(sizes.width));
    m_height->setText(QString::fromStdString(sizes.height));
}

void CArrangeDialog::UpdateEnabled()
{
    const bool all = m_all->isChecked();
    for (QWidget* widget : std::initializer_list<QWidget*>{m_rows, m_columns, m_rowSpin,
                                                          m_columnSpin, m_verticalGap,
                                                          m_horizontalGap})
        widget->setEnabled(all);
}

void CArrangeDialog::accept()
{
    const std::string message =
        CheckArrangeCounts(m_rows->text().toStdString(), m_columns->text().toStdString());
    if (!message.empty()) {
        m_messages.Show(message);
        return;
    }
    QDialog::accept();
}
