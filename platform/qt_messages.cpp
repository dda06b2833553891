#include "platform/qt_messages.h"

#include <QMessageBox>
#include <QString>

static QString FromText(const std::string& text)
{
    // Messages are written with CR LF line ends; a Qt label wants plain LF.
    return QString::fromStdString(text).replace("\r\n", "\n");
}

void QtMessages::Show(const std::string& text)
{
    QMessageBox::warning(m_parent, "CorvidPlot", FromText(text));
}

bool QtMessages::Ask(const std::string& text)
{
    return QMessageBox::question(m_parent, "CorvidPlot", FromText(text),
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Messages::Answer QtMessages::AskYesNoCancel(const std::string& text)
{
    switch (QMessageBox::question(m_parent, "CorvidPlot", FromText(text),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void QtMessages::ShowText(const std::string& caption, const std::string& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption), FromText(text),
                    QMessageBox::Close, m_parent);
    box.exec();
}
