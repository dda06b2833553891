#include "app/main_frame.h"
#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "platform/app_settings.h"
#include "tests/app/command_fixture.h"
#include "tests/render/test_messages.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include "ui/audio_output_dialog.h"

TEST(AudioCommand, TheAudioButtonOpensTheAudioOutputDialog)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    EXPECT_TRUE(view.IsCommandEnabled(CommandId::ExportAudio)) << "even on an empty page";
    QString title;
    int listed = -1;
    // The dialog is modal: look at it once it is up, then close it.
    WhenModal<CAudioOutputDialog>([&](CAudioOutputDialog& dialog) {
        title = dialog.windowTitle();
        listed = dialog.LeftList()->count();
        dialog.reject();
    });
    EXPECT_TRUE(view.OnCommand(CommandId::ExportAudio));
    EXPECT_EQ(title, "Audio Output");
    EXPECT_EQ(listed, 0);
    EXPECT_FALSE(doc.IsModified()) << "making a sound changes nothing on the page";
}

TEST(AudioCommand, MenuEntryAndToolbarButtonAreEnabled)
{
    FrameFixture fixture;
    auto& [doc, messages, settings, frame] = fixture;
    frame.UpdateCommandUI();
    EXPECT_TRUE(frame.Action(CommandId::ExportAudio)->isEnabled());
}
