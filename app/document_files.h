#pragma once

#include <QString>
#include <functional>

class AppSettings;
class CTarnDoc;
class Messages;
class QWidget;

/// The document's file commands: Save, Save As, opening and the question to
/// save changes, with the recent-file list kept up to date. The file dialogs
/// are functions that tests replace.
class DocumentFiles {
public:
    /// Returns the chosen path, or an empty text when the user cancelled.
    using ChoosePath = std::function<QString(const QString& suggested)>;

    DocumentFiles(CTarnDoc& doc, Messages& messages, AppSettings& settings);

    /// Where the file dialogs open; null is fine.
    void SetParent(QWidget* parent) { m_parent = parent; }
    void SetSaveChooser(ChoosePath choose) { m_chooseSave = std::move(choose); }

    /// File > Save: writes to the document's file, or asks for one (as Save
    /// As) when the page has none. True when the page was saved.
    bool Save();
    /// File > Save As: asks for a file and writes there; true when saved.
    bool SaveAs();
    /// Writes the page to `path`; on success the page takes that name, is
    /// unmodified and the file goes first in the recent files.
    bool SaveTo(const QString& path);
    /// Opens `path` in place of the page (after `SaveModified`). A file that
    /// does not exist is dropped from the recent files; a failed open keeps
    /// the page as it was.
    bool Open(const QString& path);
    /// For closing, Exit, New and Open: with unsaved changes asks "Save changes
    /// to NAME?"; Yes saves (false when that failed or was cancelled), No
    /// discards, Cancel returns false. True at once for an unmodified page.
    bool SaveModified();

    /// The name the title bar and the question show: the file's name, or
    /// "Untitled" for a page that has none.
    QString Title() const;

private:
    CTarnDoc& m_doc;
    Messages& m_messages;
    AppSettings& m_settings;
    QWidget* m_parent = nullptr;
    ChoosePath m_chooseSave;
};
