#include "ui/audio_output_dialog.h"

#include "document/tarn_doc.h"
#include "io/ascii_import.h"
#include "io/audio_output.h"
#include "platform/alsa_playback.h"
#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/qt_application.h"
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

// A page with three sets: 0 spans x 0..2, 1 (inactive) 0..5, 2 spans 1..1.5.
struct AudioPage {
    AudioPage()
    {
        RecordingMessages quiet;
        ReadText(doc.CurrentGraph(), "0 0\n2 1\n \n0 0\n5 1\n \n1 3\n1.5 -3\n", kImportXY, quiet);
        doc.CurrentGraph().m_plots.Get(1).m_visible = 0;
    }
    CTarnDoc doc;
};

} // namespace

TEST(AudioOutputDialog, OpensWithItsDefaults)
{
    TestApplication();
    AudioPage page;
    RecordingMessages messages;
    CAudioOutputDialog dialog(page.doc, messages);
    EXPECT_EQ(dialog.windowTitle(), "Audio Output");
    ASSERT_EQ(dialog.LeftList()->count(), 2) << "only the active sets";
    EXPECT_EQ(dialog.LeftList()->item(1)->text().toStdString(), "Set #2 (N = 2) \"\"");
    EXPECT_EQ(dialog.RightList()->count(), 2);
    EXPECT_EQ(dialog.LeftList()->currentRow(), 0);
    EXPECT_EQ(dialog.RightList()->currentRow(), 0);
    EXPECT_EQ(dialog.LeftCaption()->text(), "Mono");
    EXPECT_EQ(dialog.RightCaption()->text(), "");
    EXPECT_FALSE(dialog.RightList()->isEnabled());
    EXPECT_EQ(dialog.ChannelChoice()->currentText(), "Mono");
    EXPECT_EQ(dialog.ChannelChoice()->count(), 2);
    EXPECT_EQ(dialog.RateChoice()->currentText(), "8 kHz");
    QStringList rates;
    for (int i = 0; i < dialog.RateChoice()->count(); ++i)
        rates << dialog.RateChoice()->itemText(i);
    EXPECT_EQ(rates, (QStringList{"8 kHz", "11.025 kHz", "22.05 kHz", "44.1 kHz"}));
    EXPECT_EQ(dialog.DurationField()->text(), "2") << "the first listed set's x span";
    EXPECT_EQ(dialog.VolumeField()->text(), "100");
    EXPECT_TRUE(dialog.DefaultApplication()->isChecked());
    EXPECT_EQ(dialog.DefaultApplication()->text(), "Use default system sound application to play audio");
    EXPECT_EQ(dialog.PlayButton()->text(), "Play");
    EXPECT_EQ(dialog.SaveButton()->text(), "Save ...");
    EXPECT_EQ(dialog.CloseButton()->text(), "Close");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(AudioOutputDialog, ChannelsAndSelectionsFollowTheUser)
{
    TestApplication();
    AudioPage page;
    RecordingMessages messages;
    CAudioOutputDialog dialog(page.doc, messages);
    dialog.ChannelChoice()->setCurrentIndex(1);
    EXPECT_EQ(dialog.LeftCaption()->text(), "Left Channel");
    EXPECT_EQ(dialog.RightCaption()->text(), "Right Channel");
    EXPECT_TRUE(dialog.RightList()->isEnabled());
    dialog.RightList()->setCurrentRow(1);
    EXPECT_EQ(dialog.DurationField()->text(), "0.5") << "the right list's new set";
    dialog.LeftList()->setCurrentRow(1);
    dialog.LeftList()->setCurrentRow(0);
    EXPECT_EQ(dialog.DurationField()->text(), "2");
    dialog.ChannelChoice()->setCurrentIndex(0);
    EXPECT_EQ(dialog.LeftCaption()->text(), "Mono");
    EXPECT_FALSE(dialog.RightList()->isEnabled());

    AudioRequest request;
    dialog.ChannelChoice()->setCurrentIndex(1);
    dialog.RateChoice()->setCurrentIndex(3);
    dialog.VolumeField()->setText("40");
    ASSERT_TRUE(dialog.TakeRequest(request));
    EXPECT_TRUE(request.stereo);
    EXPECT_EQ(request.leftSet, 0);
    EXPECT_EQ(request.rightSet, 2) << "list rows name the active sets";
    EXPECT_EQ(request.rate, 44100);
    EXPECT_EQ(request.duration, 2.0f);
    EXPECT_EQ(request.volume, 40);
}

TEST(AudioOutputDialog, FieldChecksStopPlayAndSave)
{
    TestApplication();
    AudioPage page;
    struct Row {
        const char* duration;
        const char* volume;
        const char* message;
    };
    const Row rows[] = {
        {"abc", "100", "Please enter a number."},
        {"100001", "100", "Please enter a number between 0 and 100000."},
        {"1", "0", "Please enter an integer between 1 and 100."},
        {"1", "x", "Please enter an integer."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.duration) + " / " + row.volume);
        RecordingMessages messages;
        CAudioOutputDialog dialog(page.doc, messages);
        bool asked = false;
        dialog.SetFileChooser([&] {
            asked = true;
            return QString();
        });
        dialog.DurationField()->setText(row.duration);
        dialog.VolumeField()->setText(row.volume);
        dialog.SaveButton()->click();
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
        EXPECT_FALSE(asked) << "no file is asked for";
        EXPECT_NE(dialog.result(), QDialog::Accepted);
    }
}

TEST(AudioOutputDialog, SaveWritesTheFileAndCloses)
{
    TestApplication();
    const ScratchDir dir("corvid-audio-dialog");
    AudioPage page;
    RecordingMessages messages;
    CAudioOutputDialog dialog(page.doc, messages);
    dialog.ChannelChoice()->setCurrentIndex(1);
    dialog.RightList()->setCurrentRow(1);
    dialog.DurationField()->setText("0.25");
    dialog.RateChoice()->setCurrentIndex(1);
    const std::string path = dir / "saved.wav";
    dialog.SetFileChooser([&] { return QString::fromStdString(path); });
    dialog.SaveButton()->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    AudioRequest same;
    same.stereo = true;
    same.leftSet = 0;
    same.rightSet = 2;
    same.rate = 11025;
    same.duration = 0.25f;
    WriteAudioFile(page.doc.CurrentGraph(), same, dir / "direct.wav");
    EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(dir / "direct.wav"));
}

TEST(AudioOutputDialog, SaveThatDoesNotHappen)
{
    TestApplication();
    const ScratchDir dir("corvid-audio-dialog");
    struct Row {
        const char* name;
        std::string path;
        const char* duration;
        bool answer;
        std::vector<std::string> asked, shown;
    };
    const std::string large = "You are about to create a large sound file. Continue?";
    const Row rows[] = {
        {"save dialog cancelled", "", "1", true, {}, {}},
        {"No to the large file", dir / "large.wav", "61", false, {large}, {}},
        {"folder that does not exist", dir / "missing/out.wav", "1", true, {}, {"Unable to open file"}},
        {"too short", dir / "short.wav", "0", true, {},
         {"A duration of 0 seconds gives fewer than two samples at 8000 samples per second; please enter a "
          "longer duration."}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        AudioPage page;
        RecordingMessages messages;
        messages.answer = row.answer;
        CAudioOutputDialog dialog(page.doc, messages);
        dialog.DurationField()->setText(row.duration);
        dialog.SetFileChooser([&] { return QString::fromStdString(row.path); });
        dialog.SaveButton()->click();
        EXPECT_EQ(messages.asked, row.asked);
        EXPECT_EQ(messages.shown, row.shown);
        EXPECT_NE(dialog.result(), QDialog::Accepted) << "the dialog stays open";
        if (!row.path.empty()) {
            EXPECT_FALSE(fs::exists(row.path));
        }
    }
}

TEST(AudioOutputDialog, EmptyGraphHasNothingToSay)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CAudioOutputDialog dialog(doc, messages);
    EXPECT_EQ(dialog.LeftList()->count(), 0);
    EXPECT_EQ(dialog.DurationField()->text(), "1");
    dialog.SaveButton()->click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Selected plot cannot be saved as audio"});
    messages.shown.clear();
    dialog.ChannelChoice()->setCurrentIndex(1);
    dialog.PlayButton()->click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Selected plots cannot be saved as audio"});
}

TEST(AudioOutputDialog, PlayWithTheDefaultApplication)
{
    TestApplication();
    const ScratchDir dir("corvid-audio-dialog");
    const FakeDesktop desktop(dir, "listen.desktop");
    WriteScript(dir / "listen.sh", "cp \"$1\" '" + (dir / "heard.wav") + "'\n");
    dir.Write("data/applications/listen.desktop", "[Desktop Entry]\nExec=" + (dir / "listen.sh") + " %f\n");
    AudioPage page;
    RecordingMessages messages;
    CAudioOutputDialog dialog(page.doc, messages);
    dialog.DurationField()->setText("0.1");
    dialog.PlayButton()->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_NE(dialog.result(), QDialog::Accepted) << "Play keeps the dialog open";

    AudioRequest same;
    same.leftSet = 0;
    same.duration = 0.1f;
    WriteAudioFile(page.doc.CurrentGraph(), same, dir / "direct.wav");
    EXPECT_EQ(ReadWholeFile(dir / "heard.wav"), ReadWholeFile(dir / "direct.wav"));
}

TEST(AudioOutputDialog, PlayWithoutASoundDevice)
{
    TestApplication();
    if (SoundDeviceAvailable())
        GTEST_SKIP() << "this machine has an ALSA playback device";
    AudioPage page;
    RecordingMessages messages;
    CAudioOutputDialog dialog(page.doc, messages);
    dialog.DefaultApplication()->setChecked(false);
    dialog.DurationField()->setText("0.1");
    dialog.PlayButton()->click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to play the selected data set(s)"});
}
