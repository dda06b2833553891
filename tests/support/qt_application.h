#pragma once

#include <QApplication>

/// The one QApplication of a test program, made on first use (offscreen).
/// A test that needs a screen of its own runs the test program again in a
/// child process with QT_QPA_PLATFORM set to "offscreen:configfile=FILE".
inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "corvid-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        // An offscreen platform with options (a screen of a given size) is kept.
        if (!qgetenv("QT_QPA_PLATFORM").startsWith("offscreen"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}
