#include "app/main_frame.h"
#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "platform/app_settings.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include "ui/audio_output_dialog.h"

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "corvid_app_tests";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

} // namespace

TEST(AudioCommand, TheAudioButtonOpensTheAudioOutputDialog)
{
    App();
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    EXPECT_TRUE(view.IsCommandEnabled(CommandId::ExportAudio)) << "even on an empty page";
    QString title;
    int listed = -1;
    // The dialog is modal: look at it once it is up, then close it.
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CAudioOutputDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        listed = dialog->LeftList()->count();
        dialog->reject();
    });
    EXPECT_TRUE(view.OnCommand(CommandId::ExportAudio));
    EXPECT_EQ(title, "Audio Output");
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(doc.IsModified()) << "making a sound changes nothing on the page";
}

TEST(AudioCommand, MenuEntryAndToolbarButtonAreEnabled)
{
    App();
    CTarnDoc doc;
    RecordingMessages messages;
    AppSettings settings;
    CMainFrame frame(doc, messages, settings);
    frame.UpdateCommandUI();
    EXPECT_TRUE(frame.Action(CommandId::ExportAudio)->isEnabled());
}
