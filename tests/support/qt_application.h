#pragma once

#include <QApplication>

/// The one QApplication of a test program, made on first use (offscreen).
inline QApplication& TestApplication()
{
    static int argc = 1;
    static char name[] = "corvid-tests";
    static char* argv[] = {name, nullptr};
    static QApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *application;
}
