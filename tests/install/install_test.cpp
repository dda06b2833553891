// The installed tree: programs, desktop entry, icon and the document type
// that lets a desktop open saved pages with corvid.
#include "tests/support/scratch_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QMimeDatabase>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

int Shell(const std::string& command)
{
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

TEST(Install, TreeHoldsTheProgramsAndTheDesktopIntegration)
{
    const ScratchDir prefix("corvid-install");
    const std::string root = prefix.Path().string();
    ASSERT_EQ(Shell("cmake --install '" + std::string(CORVID_BINARY_DIR) + "' --prefix '" + root +
                  "' >/dev/null"),
              0);
    for (const char* file : {"bin/corvid", "bin/corvid-batch", "share/applications/corvidplot.desktop",
                             "share/icons/hicolor/scalable/apps/corvidplot.svg",
                             "share/mime/packages/corvidplot.xml"}) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(fs::exists(prefix / file));
    }
    EXPECT_EQ(fs::status(prefix / "bin/corvid").permissions() & fs::perms::owner_exec, fs::perms::owner_exec);

    ASSERT_EQ(Shell("command -v desktop-file-validate >/dev/null"), 0)
        << "desktop-file-validate (Debian package desktop-file-utils) is needed";
    EXPECT_EQ(Shell("desktop-file-validate --no-hints '" + (prefix / "share/applications/corvidplot.desktop") + "'"),
              0);

    // A saved page starts with the format version 1.23 as a little-endian float.
    const std::string page = prefix.Write("saved-page", std::string("\xa4\x70\x9d\x3f\x01\x00\x00\x00", 8));
    const std::string text = prefix.Write("notes", "1 2\n3 4\n");
    ::setenv("XDG_DATA_DIRS", (root + "/share").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (root + "/no-user-data").c_str(), 1);
    int argc = 1;
    char name[] = "install-test";
    char* argv[] = {name, nullptr};
    QCoreApplication application(argc, argv);
    const QMimeDatabase database;
    EXPECT_EQ(database.mimeTypeForFile(QString::fromStdString(page)).name().toStdString(),
              "application/x-corvidplot");
    EXPECT_NE(database.mimeTypeForFile(QString::fromStdString(text)).name().toStdString(),
              "application/x-corvidplot");
}
