#include "ui/text_dialog.h"

#include "document/text_edit.h"
#include "model/text_object.h"
#include "ui/tick_labels_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

CTextDialog::CTextDialog(const QString& caption, const TextObject& text, Messages& messages,
                         QWidget* parent)
    : QDialog(parent), m_messages(messages), m_font(text.m_font), m_color(text.m_color),
      m_orientation(text.Orientation() / 10)
{
    setWindowTitle(caption);
    m_chooser = [&messages](QWidget* owner, LogFont& font, Color& color) {
        return ChooseFontAndColor(owner, font, color, messages);
    };
    m_text = new QTextEdit;
    m_text->setAcceptRichText(false);
    m_text->setPlainText(QString::fromStdString(text.m_text));
    m_text->setMinimumHeight(60);
    m_fontButton = new QPushButton("Font ...");
    connect(m_fontButton, &QPushButton::clicked, this, &CTextDialog::ChooseFont);
    m_orientationEdit = new QLineEdit(QString::number(m_orientation));
    m_orientationEdit->setMaximumWidth(60);
    auto* up = new QToolButton;
    up->setArrowType(Qt::UpArrow);
    connect(up, &QToolButton::clicked, this, [this] { Step(1); });
    auto* down = new QToolButton;
    down->setArrowType(Qt::DownArrow);
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });

    auto* row = new QHBoxLayout;
    row->addWidget(m_fontButton);
    row->addStretch();
    row->addWidget(new QLabel("Orientation:"));
    row->addWidget(m_orientationEdit);
    row->addWidget(up);
    row->addWidget(down);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CTextDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTextDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

// The arrows move within 0 to 360, as a spin control does; typed values are
// checked on OK.
void CTextDialog::Step(int degrees)
{
    bool ok = false;
    const int current = m_orientationEdit->text().trimmed().toInt(&ok);
    const int next = std::clamp((ok ? current : 0) + degrees, 0, 360);
    m_orientationEdit->setText(QString::number(next));
}

void CTextDialog::ChooseFont()
{
    LogFont font = m_font;
    Color color = m_color;
    if (m_chooser && m_chooser(this, font, color)) {
        m_font = font;
        m_color = color;
    }
}

std::string CTextDialog::Text() const
{
    return m_text->toPlainText().toStdString();
}

void CTextDialog::ApplyTo(TextObject& text) const
{
    text.SetText(Text(), m_font, m_orientation * 10, m_color);
}

void CTextDialog::accept()
{
    int degrees = 0;
    if (!ReadOrientation(m_orientationEdit->text().toStdString(), degrees, m_messages)) {
        m_orientationEdit->setFocus();
        m_orientationEdit->selectAll();
        return;
    }
    m_orientation = degrees;
    QDialog::accept();
}
