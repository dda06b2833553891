#include "app/document_files.h"

#include "app/main_frame.h"
#include "app/tarn_app.h"
#include "document/document_file.h"
#include "document/page_json.h"
#include "document/tarn_command_line_info.h"
#include "document/tarn_doc.h"
#include "model/messages.h"
#include "platform/app_settings.h"
#include "render/graph.h"
#include "tests/support/qt_application.h"
#include "tests/support/scratch_dir.h"

#include <QSettings>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

// Records what is shown and asked; the save-changes question gets `answer`.
class ScriptedMessages : public Messages {
public:
    void Show(const std::string& text) override { shown.push_back(text); }
    bool Ask(const std::string& text) override
    {
        asked.push_back(text);
        return true;
    }
    Answer AskYesNoCancel(const std::string& text) override
    {
        asked.push_back(text);
        return answer;
    }
    void ShowText(const std::string&, const std::string&) override {}

    std::vector<std::string> shown;
    std::vector<std::string> asked;
    Answer answer = Answer::Yes;
};

// Settings of the test's own, so the recent files of the user running it stay.
struct Session {
    Session() : files((TestApplication(), PointSettings(dir), doc), messages, settings) {}
    static int PointSettings(const ScratchDir& dir)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromStdString(dir / "settings"));
        return 0;
    }
    ScratchDir dir{"corvid-docfiles"};
    CTarnDoc doc;
    ScriptedMessages messages;
    AppSettings settings;
    DocumentFiles files;
};

void AddSet(CTarnDoc& doc)
{
    Plot plot;
    plot.AddPoint(1, 2);
    doc.CurrentGraph().m_plots.Append(plot);
    doc.SetModifiedFlag();
}

} // namespace

TEST(DocumentFiles, SaveWithoutANameAsksForOneAndNamesThePage)
{
    Session s;
    AddSet(s.doc);
    const QString path = QString::fromStdString(s.dir / "page.cpl");
    int asked = 0;
    s.files.SetSaveChooser([&](const QString&) {
        ++asked;
        return path;
    });
    EXPECT_EQ(s.files.Title(), "Untitled");
    ASSERT_TRUE(s.files.Save());
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(s.doc.IsModified());
    EXPECT_EQ(s.files.Title(), "page.cpl");
    EXPECT_EQ(s.settings.RecentFiles().value(0), path);
    AddSet(s.doc);
    ASSERT_TRUE(s.files.Save());
    EXPECT_EQ(asked, 1) << "a named page saves without asking";

    CTarnDoc back;
    ASSERT_TRUE(OpenDocument(back, path.toStdString(), s.messages));
    EXPECT_EQ(back.CurrentGraph().m_plots.Count(), 2);

    s.files.SetSaveChooser([](const QString&) { return QString(); });
    AddSet(s.doc);
    EXPECT_FALSE(s.files.SaveAs()) << "cancelled dialog";
    EXPECT_TRUE(s.doc.IsModified());
}

TEST(DocumentFiles, SaveChangesQuestion)
{
    struct Row {
        const char* reason;
        bool named;
        bool modified;
        Messages::Answer answer;
        bool proceeds;
        bool written;
        const char* question;
    };
    const Row rows[] = {
        {"unmodified page: no question", true, false, Messages::Answer::Cancel, true, false, nullptr},
        {"Yes saves a named page", true, true, Messages::Answer::Yes, true, true, "Save changes to page.cpl?"},
        {"No discards", true, true, Messages::Answer::No, true, false, "Save changes to page.cpl?"},
        {"Cancel keeps the page", true, true, Messages::Answer::Cancel, false, false, "Save changes to page.cpl?"},
        {"Yes on an untitled page asks for a file", false, true, Messages::Answer::Yes, true, true, "Save changes to Untitled?"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reason);
        Session s;
        const std::string path = s.dir / "page.cpl";
        s.files.SetSaveChooser([&](const QString&) { return QString::fromStdString(path); });
        if (row.named)
            s.doc.m_pathName = path;
        AddSet(s.doc);
        s.doc.SetModifiedFlag(row.modified);
        s.messages.answer = row.answer;
        EXPECT_EQ(s.files.SaveModified(), row.proceeds);
        EXPECT_EQ(std::filesystem::exists(path), row.written);
        if (row.question)
            EXPECT_EQ(s.messages.asked, std::vector<std::string>{row.question});
        else
            EXPECT_TRUE(s.messages.asked.empty());
    }
}

TEST(DocumentFiles, FailedSaveOrOpenKeepsThePage)
{
    Session s;
    AddSet(s.doc);
    s.doc.m_pathName = s.dir / "missing-folder/page.cpl";
    s.messages.answer = Messages::Answer::Yes;
    EXPECT_FALSE(s.files.SaveModified()) << "a failed save does not let the page go";
    EXPECT_TRUE(s.doc.IsModified());
    ASSERT_EQ(s.messages.shown.size(), 1u);

    const std::string broken = s.dir.Write("broken.cpl", std::string("\xA4\x70\x9D\x3F\0\0\0\0", 8));
    const std::string before = PageToJson(s.doc, true);
    EXPECT_FALSE(s.files.Open(QString::fromStdString(broken)));
    EXPECT_EQ(s.messages.shown.back(), kUnexpectedFileFormat);
    EXPECT_EQ(PageToJson(s.doc, true), before);
    EXPECT_EQ(s.doc.m_pathName, s.dir / "missing-folder/page.cpl");
}

TEST(DocumentFiles, ClosingWithCancelKeepsTheWindowAndStartupOpensADocument)
{
    Session s;
    CMainFrame frame(s.doc, s.messages, s.settings);
    AddSet(s.doc);
    frame.UpdateTitle();
    EXPECT_EQ(frame.windowTitle(), "Untitled* - CorvidPlot");
    frame.show();
    s.messages.answer = Messages::Answer::Cancel;
    EXPECT_FALSE(frame.close());
    EXPECT_TRUE(frame.isVisible());
    s.messages.answer = Messages::Answer::No;
    EXPECT_TRUE(frame.close());

    // corvid FILE opens the saved page and names the window after it.
    CTarnDoc saved;
    AddSet(saved);
    AddSet(saved);
    const std::string path = s.dir / "two sets.cpl";
    ASSERT_TRUE(SaveDocument(saved, path, s.messages));
    awaitingFiles = false;
    CTarnApp app(s.messages);
    ASSERT_TRUE(app.InitInstance({path}, false));
    EXPECT_EQ(app.Doc().CurrentGraph().m_plots.Count(), 2);
    EXPECT_FALSE(app.Doc().IsModified());
    EXPECT_EQ(app.Frame()->windowTitle(), "two sets.cpl - CorvidPlot");
}
