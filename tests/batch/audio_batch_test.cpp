// End-to-end checks of WAV import and the audio command of corvid-batch.
#include "io/wav_file.h"
#include "tests/support/batch_run.h"
#include "tests/support/scratch_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <set>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Stereo16(const std::vector<int>& samples)
{
    std::string data;
    for (int s : samples) {
        data += char(s & 0xFF);
        data += char((s >> 8) & 0xFF);
    }
    return WavHeader(2, 8000, std::uint32_t(data.size())) + data;
}

} // namespace

TEST(BatchAudio, InfoImportsWavFiles)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("a.wav", Stereo16({100, -100, 200, -200}));
    const BatchRun run = RunBatchIn("info -wav a.wav --points", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_TRUE(Contains(run.out, "\"info\":\"Left channel: a.wav\"")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"info\":\"Right channel: a.wav\""));
    EXPECT_TRUE(Contains(run.out, "\"points\":[[0.000250000012,200],[0.000125000006,100]]")) << run.out;
    EXPECT_TRUE(Contains(run.out, "\"points\":[[0.000250000012,-200],[0.000125000006,-100]]"));

    dir.Write("text.wav", "1 2\n3 4\n5 6\n");
    const BatchRun bad = RunBatchIn("info -wav a.wav text.wav", dir);
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "message: Unable to locate the 'RIFF' chunk - are you surethis is a WAV file?\n");
    EXPECT_EQ(bad.out, "") << "a page without all its files is not printed";

    const BatchRun missing = RunBatchIn("info -wav nosuch.wav", dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "message: Unable to open the file nosuch.wav\n");
}

TEST(BatchAudio, WritesTheSoundOfASet)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("line.dat", "0 0\n1 1\n");
    const BatchRun run = RunBatchIn("audio -xy line.dat -o line.wav", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const std::string file = ReadWholeFile(dir / "line.wav");
    ASSERT_EQ(file.size(), 16044u) << "one second (the set's x span) at 8000 samples per second";
    EXPECT_EQ(file.substr(0, 44), WavHeader(1, 8000, 16000));

    // Read back through the WAV import: 8000 points rising from -32768 to 32767.
    const BatchRun back = RunBatchIn("info -wav line.wav --points", dir);
    EXPECT_EQ(back.status, 0);
    EXPECT_TRUE(Contains(back.out, "\"pointCount\":8000"));
    EXPECT_TRUE(Contains(back.out, "[1,32767]")) << "the last sample, newest first";
    EXPECT_TRUE(Contains(back.out, "[0.000125000006,-32768]]"));
}

TEST(BatchAudio, StereoRateDurationAndVolume)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("two.dat", "0 0 5\n2 1 3\n");
    const BatchRun run =
        RunBatchIn("audio --sets 1,0 -nxy two.dat --rate 22050 --duration 0.5 --volume 50 -o s.wav", dir);
    EXPECT_EQ(run.status, 0) << run.err;
    const std::string file = ReadWholeFile(dir / "s.wav");
    ASSERT_EQ(file.size(), 44u + 4u * 11025u);
    EXPECT_EQ(file.substr(0, 44), WavHeader(2, 22050, 44100));
    const auto sample = [&](std::size_t frame, int channel) {
        const std::size_t at = 44 + 4 * frame + 2 * std::size_t(channel);
        return int(std::int16_t(std::uint8_t(file[at]) | std::uint8_t(file[at + 1]) << 8));
    };
    EXPECT_EQ(sample(0, 0), 0) << "left is set 1, falling from 5 to 3: its top at half volume";
    EXPECT_EQ(sample(11024, 0), -32768);
    EXPECT_EQ(sample(0, 1), -32768) << "right is set 0, rising";
    EXPECT_EQ(sample(11024, 1), 0);
}

TEST(BatchAudio, LargeFileQuestionIsAnsweredYes)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("line.dat", "0 0\n1 1\n");
    const BatchRun run = RunBatchIn("audio -xy line.dat -o long.wav --duration 61", dir);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.err, "question: You are about to create a large sound file. Continue?\n");
    EXPECT_EQ(fs::file_size(dir / "long.wav"), 44u + 2u * 8000u * 61u);
    EXPECT_EQ(RunBatchIn("audio -xy line.dat -o sixty.wav --duration 60", dir).err, "");
}

TEST(BatchAudio, FailuresAndUsageErrors)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("line.dat", "0 0\n1 1\n");
    dir.Write("back.dat", "0 0\n1 1\n0.5 0\n"); // stored newest first: 0.5, 1, 0 is not convertible
    struct Row {
        const char* arguments;
        int status;
        const char* err; // the whole of stderr, or its start for usage errors
    };
    const Row rows[] = {
        {"audio -xy back.dat -o o.wav", 1, "message: Selected plot cannot be saved as audio\n"},
        {"audio -xy back.dat line.dat --sets 1,0 -o o.wav", 1, "message: Selected plots cannot be saved as audio\n"},
        {"audio -xy line.dat --volume 0 -o o.wav", 1, "message: Please enter an integer between 1 and 100.\n"},
        {"audio -xy line.dat --duration 1e6 -o o.wav", 1, "message: Please enter a number between 0 and 100000.\n"},
        {"audio -xy line.dat --duration 0.0001 -o o.wav", 1,
         "message: A duration of 0.0001 seconds gives fewer than two samples at 8000 samples per second; please "
         "enter a longer duration.\n"},
        {"audio -xy line.dat --sets 3 -o o.wav", 1, "corvid-batch audio: the graph has no set 3 (it holds 1)\n"},
        {"audio -xy line.dat -o missing/o.wav", 1, "message: Unable to open file\n"},
        {"audio -xy nosuch.dat -o o.wav", 1, "message: Unable to open the file nosuch.dat\n"},
        {"audio -xy line.dat", 2, "corvid-batch audio: give -o OUT.wav\n"},
        {"audio -xy line.dat -o o.wav --rate 9000", 2, "corvid-batch audio: --rate needs 8000, 11025, 22050 or 44100\n"},
        {"audio -xy line.dat -o o.wav --sets 0,1,2", 2, "corvid-batch audio: --sets needs one set number"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        const BatchRun run = RunBatchIn(row.arguments, dir);
        EXPECT_EQ(run.status, row.status);
        if (row.status == 2) {
            EXPECT_EQ(run.err.rfind(row.err, 0), 0u) << run.err;
        } else if (*row.err) {
            EXPECT_EQ(run.err, row.err);
        }
        EXPECT_FALSE(fs::exists(dir / "o.wav"));
    }
    EXPECT_TRUE(Contains(RunBatchIn("--help", dir).out, "audio  [page arguments as for render] -o OUT.wav"));
}

TEST(BatchAudio, AStoppedWriteLeavesNoTemporaryFile)
{
    const ScratchDir dir("corvid-batch-audio");
    dir.Write("line.dat", "0 0\n1 1\n");
    dir.Write("a.wav", "old sound");
    // A sound of 160 MB takes long enough to write that it is stopped part way.
    std::vector<std::string> args{BatchProgram(), "audio", "-xy", "line.dat", "-o", "a.wav", "--duration", "10000"};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        if (::chdir(dir.Path().c_str()) != 0)
            ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ASSERT_GT(child, 0);
    const auto temporaryExists = [&] {
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            if (entry.path().filename().string().rfind(".a.wav.", 0) == 0)
                return true;
        return false;
    };
    // Wait for the file being written (or for the program to end, which fails below).
    int status = 0;
    bool ended = false;
    while (!temporaryExists()) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            ended = true;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    ASSERT_FALSE(ended) << "the program ended before it wrote anything";
    ::kill(child, SIGTERM);
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << "status " << status;
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.Path()))
        names.insert(entry.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"a.wav", "line.dat"}));
    EXPECT_EQ(ReadWholeFile(dir / "a.wav"), "old sound");
}
