#include "ui/scaling_dialog.h"

#include "equation/evalfield.h"
#include "model/messages.h"
#include "render/graph.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

CScalingDialog::CScalingDialog(const Graph& graph, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle("Scaling");
    const GraphRange range = graph.GetRange();
    const double values[4] = {range.xMin, range.xMax, range.yMin, range.yMax};
    auto* axes = new QHBoxLayout;
    for (int axis = 0; axis < 2; ++axis) {
        auto* group = new QGroupBox(axis == 0 ? "X Axis" : "Y Axis", this);
        auto* form = new QFormLayout(group);
        for (int end = 0; end < 2; ++end) {
            const int index = axis * 2 + end;
            m_fields[index] = new QLineEdit(QString::asprintf("%.4g", values[index]), group);
            form->addRow(end == 0 ? "min =" : "max =", m_fields[index]);
        }
        axes->addWidget(group);
    }
    m_applyTo = new QComboBox(this);
    m_applyTo->addItems(
        {"All Axes, Current Graph", "All Axes, All Graphs", "X Axis, All Graphs", "Y Axis, All Graphs"});
    auto* applyRow = new QFormLayout;
    applyRow->addRow("Apply to", m_applyTo);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* defaults = buttons->addButton("Default", QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CScalingDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CScalingDialog::reject);
    connect(defaults, &QPushButton::clicked, this, &CScalingDialog::OnDefault);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(axes);
    layout->addLayout(applyRow);
    layout->addWidget(buttons);
}

void CScalingDialog::accept()
{
    struct Read {
        int field;
        float* value;
        const char* message;
    };
    const Read reads[] = {{1, &m_request.xMax, "Invalid maximum X value"},
                          {0, &m_request.xMin, "Invalid minimum X value"},
                          {3, &m_request.yMax, "Invalid maximum Y value"},
                          {2, &m_request.yMin, "Invalid minimum Y value"}};
    for (const Read& read : reads) {
        const std::string text = m_fields[read.field]->text().toStdString();
        if (!EvalField(text.c_str(), *read.value)) {
            m_messages.Show(read.message);
            m_fields[read.field]->setFocus();
            return;
        }
    }
    m_request.target = ScalingTarget(m_applyTo->currentIndex());
    m_request.useDefault = false;
    QDialog::accept();
}

void CScalingDialog::OnDefault()
{
    m_request.target = ScalingTarget(m_applyTo->currentIndex());
    m_request.useDefault = true;
    QDialog::accept();
}
