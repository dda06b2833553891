#include "ui/color_dialog.h"

#include "model/messages.h"

#include <QCheckBox>

#include <algorithm>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include <cctype>
#include <cstdlib>

CColorDialog::CColorDialog(Color color, Messages& messages, QWidget* parent)
    : QDialog(parent), m_messages(messages)
{
    setWindowTitle("Color");
    auto* grid = new QGridLayout;
    const char* names[3] = {"Red", "Green", "Blue"};
    const bool none = color == kNoColor;
    const int values[3] = {none ? 255 : int(color & 0xFF), none ? 255 : int((color >> 8) & 0xFF),
                           none ? 255 : int((color >> 16) & 0xFF)};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(names[i]), 0, i, Qt::AlignHCenter);
        // A vertical slider has its maximum at the top, so 255 stands at the top.
        m_sliders[i] = new QSlider(Qt::Vertical);
        m_sliders[i]->setRange(0, 255);
        m_sliders[i]->setValue(values[i]);
        m_sliders[i]->setAccessibleName(names[i]);
        grid->addWidget(m_sliders[i], 1, i, Qt::AlignHCenter);
        m_edits[i] = new QLineEdit(QString::number(values[i]));
        m_edits[i]->setMaximumWidth(60);
        grid->addWidget(m_edits[i], 2, i);
        connect(m_sliders[i], &QSlider::valueChanged, this,
                [this, i](int value) { OnSliderMoved(i, value); });
        connect(m_edits[i], &QLineEdit::textEdited, this, [this] { OnEditChanged(); });
    }
    m_preview = new QWidget;
    m_preview->setMinimumSize(60, 60);
    m_preview->setAutoFillBackground(true);
    grid->addWidget(m_preview, 1, 3);
    m_transparent = new QCheckBox("Transparent (no color)");
    m_transparent->setChecked(none);
    connect(m_transparent, &QCheckBox::toggled, this, &CColorDialog::OnTransparentToggled);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CColorDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CColorDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(m_transparent);
    layout->addWidget(buttons);
    OnTransparentToggled(none);
}

Color CColorDialog::CurrentColor() const
{
    if (m_transparent->isChecked())
        return kNoColor;
    return RGBColor(m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value());
}

bool CColorDialog::Validate(std::string* message, int* box) const
{
    for (int i = 0; i < 3; ++i) {
        const std::string text = m_edits[i]->text().trimmed().toStdString();
        bool digits = !text.empty();
        for (char c : text)
            digits = digits && std::isdigit(static_cast<unsigned char>(c));
        if (!digits) {
            *message = "Please enter a positive integer.";
            *box = i;
            return false;
        }
        // Leading zeros are allowed ("0255"); the value decides, read without overflow.
        long value = 0;
        for (char c : text)
            value = std::min(256L, value * 10 + (c - '0'));
        if (value > 255) {
            *message = "Please enter an integer between 0 and 255.";
            *box = i;
            return false;
        }
    }
    return true;
}

void CColorDialog::accept()
{
    std::string message;
    int box = 0;
    if (!m_transparent->isChecked() && !Validate(&message, &box)) {
        m_messages.Show(message);
        m_edits[box]->setFocus();
        m_edits[box]->selectAll();
        return;
    }
    QDialog::accept();
}

void CColorDialog::OnSliderMoved(int index, int value)
{
    if (!m_updating)
        m_edits[index]->setText(QString::number(value));
    QPalette palette = m_preview->palette();
    const Color color = RGBColor(m_sliders[0]->value(), m_sliders[1]->value(), m_sliders[2]->value());
    palette.setColor(QPalette::Window, QColor(int(color & 0xFF), int((color >> 8) & 0xFF),
                                              int((color >> 16) & 0xFF)));
    m_preview->setPalette(palette);
}

void CColorDialog::OnEditChanged()
{
    std::string message;
    int box = 0;
    if (!Validate(&message, &box))
        return; // OK reports the problem; until then the sliders stay put
    m_updating = true;
    for (int i = 0; i < 3; ++i)
        m_sliders[i]->setValue(m_edits[i]->text().trimmed().toInt());
    m_updating = false;
}

void CColorDialog::OnTransparentToggled(bool checked)
{
    for (int i = 0; i < 3; ++i) {
        m_sliders[i]->setEnabled(!checked);
        m_edits[i]->setEnabled(!checked);
    }
    OnSliderMoved(0, m_sliders[0]->value());
}

bool PickColor(QWidget* parent, Color color, Color* result, Messages& messages)
{
    CColorDialog dialog(color, messages, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *result = dialog.CurrentColor();
    return true;
}
