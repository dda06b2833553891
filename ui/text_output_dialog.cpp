#include "ui/text_output_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

TextOutputDialog::TextOutputDialog(const QString& caption, const QString& text, QWidget* parent)
    : QDialog(parent), m_text(new QTextEdit(this))
{
    setWindowTitle(caption.isEmpty() ? QString("Text Output") : caption);
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QTextEdit::NoWrap);
    // Help texts and reports line up their columns with tabs.
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    m_text->setFont(font);
    m_text->setTabStopDistance(QFontMetricsF(font).horizontalAdvance(' ') * 8);
    m_text->setPlainText(QString(text).replace("\r\n", "\n"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton("Close", QDialogButtonBox::RejectRole);
    close->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(560, 420);
}

QString TextOutputDialog::Text() const
{
    return m_text->toPlainText();
}
