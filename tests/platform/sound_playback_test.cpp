#include "platform/alsa_playback.h"
#include "platform/default_sound_application.h"
#include "platform/sound_playback.h"

#include "io/wav_file.h"
#include "tests/render/test_messages.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/read_back.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

void App()
{
    static int argc = 1;
    static char name[] = "corvid_platform_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QCoreApplication(argc, argv);
}

std::string ShortSound()
{
    std::string samples;
    for (int i = 0; i < 400; ++i)
        samples += (i / 10) % 2 ? std::string("\x00\x20", 2) : std::string("\x00\xE0", 2);
    return WavHeader(1, 8000, std::uint32_t(samples.size())) + samples;
}

} // namespace

TEST(DesktopEntry, ExecLinesBecomeArguments)
{
    DesktopEntry entry;
    entry.path = "/usr/share/applications/player.desktop";
    entry.name = "Player";
    entry.icon = "player-icon";
    struct Row {
        const char* exec;
        std::vector<std::string> arguments;
    };
    const std::string file = "/tmp/a b.wav";
    const Row rows[] = {
        {"player %f", {"player", file}},
        {"player %F", {"player", file}},
        {"player --open %U", {"player", "--open", "file:///tmp/a%20b.wav"}},
        {"player", {"player", file}},
        {"\"/opt/My Player/play\" -q %f", {"/opt/My Player/play", "-q", file}},
        {"player \"say \\\"hi\\\" \\\\ \\$HOME\" %f", {"player", "say \"hi\" \\ $HOME", file}},
        {"player %i --title=%c %f", {"player", "--icon", "player-icon", "--title=Player", file}},
        {"player %k", {"player", "/usr/share/applications/player.desktop", file}},
        {"player 100%% %d %f", {"player", "100%", file}},
        {"player --file=%f", {"player", "--file=" + file}},
        {"  player   %f  ", {"player", file}},
        {"", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.exec);
        entry.exec = row.exec;
        EXPECT_EQ(ExpandDesktopExec(entry, file), row.arguments);
    }
}

TEST(DesktopEntry, ReadsTheDesktopEntryGroupOnly)
{
    const ScratchDir dir("corvid-desktop");
    const std::string path = dir.Write("p.desktop",
                                       "# comment\n"
                                       "[Desktop Entry]\r\n"
                                       "Name=Sound\\sPlayer\n"
                                       "Name[de]=Spieler\n"
                                       "Icon = speaker\n"
                                       "Exec=play\\s--now %f\n"
                                       "[Desktop Action Other]\n"
                                       "Exec=other %f\n");
    DesktopEntry entry;
    ASSERT_TRUE(ReadDesktopEntry(path, entry));
    EXPECT_EQ(entry.exec, "play --now %f");
    EXPECT_EQ(entry.name, "Sound Player");
    EXPECT_EQ(entry.icon, "speaker");
    EXPECT_FALSE(ReadDesktopEntry(dir.Write("none.desktop", "[Desktop Entry]\nName=x\n"), entry));
    EXPECT_FALSE(ReadDesktopEntry(dir / "missing.desktop", entry));
}

TEST(SoundPlayback, DefaultApplicationRunsAndIsWaitedFor)
{
    App();
    const ScratchDir dir("corvid-sound");
    const FakeDesktop desktop(dir, "corvid-test-player.desktop");
    // The player copies the sound only after a pause: had Play not waited, the
    // file would be gone by then.
    WriteScript(dir / "player.sh", "sleep 0.3\ncp \"$1\" '" + (dir / "heard.wav") + "'\n");
    // A dash in the name may stand for a folder.
    fs::create_directories(dir / "data/applications/corvid");
    dir.Write("data/applications/corvid/test-player.desktop",
              "[Desktop Entry]\nType=Application\nName=Test player\nExec=" + (dir / "player.sh") + " %f\n");
    const std::string sound = dir.Write("sound.wav", ShortSound());
    RecordingMessages messages;
    PlayAndRemove(sound, true, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(ReadWholeFile(dir / "heard.wav"), ShortSound());
    EXPECT_FALSE(fs::exists(sound)) << "the played file is removed";
}

TEST(SoundPlayback, DefaultApplicationFailures)
{
    App();
    struct Row {
        const char* name;
        std::string entry;   // what xdg-mime names
        std::string desktop; // the desktop file written for it, or empty
        bool xdgMime;
        const char* message;
    };
    const Row rows[] = {
        {"no default for WAV files", "", "", true, "Unable to locate default sound application"},
        {"default names a missing desktop file", "gone.desktop", "", true,
         "Unable to locate default sound application"},
        {"desktop file without Exec", "noexec.desktop", "[Desktop Entry]\nName=x\n", true,
         "Unable to locate default sound application"},
        {"no xdg-mime on the system", "p.desktop", "[Desktop Entry]\nExec=true %f\n", false,
         "Unable to locate default sound application"},
        {"program that does not exist", "p.desktop", "[Desktop Entry]\nExec=/nonexistent/corvid-player %f\n", true,
         "Unable to execute default sound application"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const ScratchDir dir("corvid-sound");
        const FakeDesktop desktop(dir, row.entry, row.xdgMime);
        if (!row.desktop.empty())
            dir.Write("data/applications/" + row.entry, row.desktop);
        const std::string sound = dir.Write("sound.wav", ShortSound());
        RecordingMessages messages;
        PlayAndRemove(sound, true, messages);
        EXPECT_EQ(messages.shown, std::vector<std::string>{row.message});
        EXPECT_FALSE(fs::exists(sound)) << "removed in every case";
    }
}

TEST(SoundPlayback, PlaysThroughAlsaWhereADeviceExists)
{
    if (!SoundDeviceAvailable())
        GTEST_SKIP() << "no ALSA playback device on this machine";
    const ScratchDir dir("corvid-sound");
    std::string reason;
    EXPECT_TRUE(PlayWavFile(dir.Write("short.wav", ShortSound()), &reason)) << reason;
    RecordingMessages messages;
    const std::string sound = dir.Write("again.wav", ShortSound());
    PlayAndRemove(sound, false, messages);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(fs::exists(sound));
}

TEST(SoundPlayback, WithoutADeviceThePlayFails)
{
    if (SoundDeviceAvailable())
        GTEST_SKIP() << "this machine has an ALSA playback device";
    const ScratchDir dir("corvid-sound");
    const std::string sound = dir.Write("sound.wav", ShortSound());
    std::string reason;
    EXPECT_FALSE(PlayWavFile(sound, &reason));
    EXPECT_EQ(reason.rfind("no sound device: ", 0), 0u) << reason;
    RecordingMessages messages;
    PlayAndRemove(sound, false, messages);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Unable to play the selected data set(s)"});
    EXPECT_FALSE(fs::exists(sound));
}

TEST(SoundPlayback, FilesThatAreNoSixteenBitSound)
{
    const ScratchDir dir("corvid-sound");
    struct Row {
        const char* name;
        std::string bytes;
        const char* reason;
    };
    const Row rows[] = {
        {"text", "hello", " is no WAV file"},
        {"8-bit", "RIFF" + std::string("\x24\0\0\0", 4) + "WAVEfmt " + std::string("\x10\0\0\0\1\0\1\0\x40\x1F\0\0\x40\x1F\0\0\1\0\x08\0", 20) + "data" + std::string(4, '\0'),
         " is not 16-bit PCM sound"},
        {"no data", ShortSound().substr(0, 36), " holds no sound data"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = dir.Write("bad.wav", row.bytes);
        std::string reason;
        EXPECT_FALSE(PlayWavFile(path, &reason));
        EXPECT_EQ(reason, path + row.reason);
    }
    std::string reason;
    EXPECT_FALSE(PlayWavFile(dir / "missing.wav", &reason));
    EXPECT_EQ(reason, "cannot open " + (dir / "missing.wav") + ": No such file or directory");
}

TEST(SoundPlayback, TemporaryFilesAreNewEachTime)
{
    App();
    const ScratchDir dir("corvid-sound");
    const char* before = std::getenv("TMPDIR");
    const std::string previous = before ? before : "";
    ::setenv("TMPDIR", dir.Path().c_str(), 1);
    const std::string first = MakeTemporaryWavFile();
    const std::string second = MakeTemporaryWavFile();
    EXPECT_NE(first, second);
    for (const std::string& name : {first, second}) {
        EXPECT_EQ(fs::path(name).parent_path(), dir.Path());
        EXPECT_EQ(fs::path(name).extension(), ".wav");
        EXPECT_TRUE(fs::exists(name));
    }
    if (before)
        ::setenv("TMPDIR", previous.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
}
