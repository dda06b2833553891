#include "app/document_files.h"

#include "document/document_file.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/app_settings.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

namespace {

// The wait cursor while a document is read or written.
class WaitCursor {
public:
    WaitCursor()
    {
        if (QApplication::instance())
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~WaitCursor()
    {
        if (QApplication::instance())
            QApplication::restoreOverrideCursor();
    }
};

} // namespace

DocumentFiles::DocumentFiles(CTarnDoc& doc, Messages& messages, AppSettings& settings)
    : m_doc(doc), m_messages(messages), m_settings(settings)
{
    m_chooseSave = [this](const QString& suggested) {
        return QFileDialog::getSaveFileName(m_parent, "Save As", suggested);
    };
}

bool DocumentFiles::Save()
{
    if (m_doc.m_pathName.empty())
        return SaveAs();
    return SaveTo(QString::fromStdString(m_doc.m_pathName));
}

bool DocumentFiles::SaveAs()
{
    const QString suggested =
        m_doc.m_pathName.empty() ? QString() : QString::fromStdString(m_doc.m_pathName);
    const QString path = m_chooseSave(suggested);
    if (path.isEmpty())
        return false;
    return SaveTo(path);
}

bool DocumentFiles::SaveTo(const QString& path)
{
    bool saved = false;
    {
        WaitCursor wait;
        saved = SaveDocument(m_doc, path.toStdString(), m_messages);
    }
    if (!saved)
        return false;
    m_doc.m_pathName = path.toStdString();
    m_doc.SetModifiedFlag(false);
    m_settings.AddRecentFile(QFileInfo(path).absoluteFilePath());
    return true;
}

bool DocumentFiles::Open(const QString& path)
{
    const QFileInfo file(path);
    if (!file.exists()) {
        m_messages.Show(QString("Cannot open \"%1\": the file does not exist.").arg(path).toStdString());
        m_settings.RemoveRecentFile(file.absoluteFilePath());
        return false;
    }
    bool opened = false;
    {
        WaitCursor wait;
        opened = OpenDocument(m_doc, path.toStdString(), m_messages);
    }
    if (!opened)
        return false;
    m_doc.m_pathName = path.toStdString();
    m_settings.AddRecentFile(file.absoluteFilePath());
    return true;
}

bool DocumentFiles::SaveModified()
{
    if (!m_doc.IsModified())
        return true;
    const std::string question = "Save changes to " + Title().toStdString() + "?";
    switch (m_messages.AskYesNoCancel(question)) {
    case Messages::Answer::Yes: return Save();
    case Messages::Answer::No: return true;
    case Messages::Answer::Cancel: return false;
    }
    return false;
}

QString DocumentFiles::Title() const
{
    if (m_doc.m_pathName.empty())
        return "Untitled";
    return QFileInfo(QString::fromStdString(m_doc.m_pathName)).fileName();
}
