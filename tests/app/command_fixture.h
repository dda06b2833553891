#pragma once
// The set-up the command tests share: the application, a fresh page, its
// recorded messages and a view or a main frame on it; and a way to look at
// the modal dialog a command opens.
#include "app/main_frame.h"
#include "app/tarn_view.h"
#include "document/tarn_doc.h"
#include "platform/app_settings.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <initializer_list>

/// Makes the application before any member of a fixture needs it.
struct WithTestApplication {
    WithTestApplication() { TestApplication(); }
};

/// A view on a fresh page. A test takes its parts by name:
/// `CommandFixture fixture; auto& [doc, messages, view] = fixture;`.
struct CommandFixture : WithTestApplication {
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view{doc, messages};
};

/// A main frame on a fresh page, with settings of its own:
/// `FrameFixture fixture; auto& [doc, messages, settings, frame] = fixture;`.
struct FrameFixture : WithTestApplication {
    CTarnDoc doc;
    RecordingMessages messages;
    AppSettings settings;
    CMainFrame frame{doc, messages, settings};
};

/// Once the next modal dialog is up (a command runs it in an event loop of its
/// own), hands it to `look` when it is a `Dialog`; `look` closes it.
template <class Dialog = QDialog, class Look>
void WhenModal(Look look)
{
    QTimer::singleShot(0, [look] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            look(*dialog);
    });
}

/// A command of the view and the caption of the dialog it opens.
struct DialogCommand {
    CommandId command;
    const char* caption;
};

/// Each command is enabled on the fixture's view and opens a modal dialog
/// with its caption; closing that dialog leaves the page unmodified.
inline void ExpectEachOpensItsDialog(CommandFixture& fixture, std::initializer_list<DialogCommand> rows)
{
    for (const DialogCommand& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_TRUE(fixture.view.IsCommandEnabled(row.command));
        QString shown;
        WhenModal([&shown](QDialog& dialog) {
            shown = dialog.windowTitle();
            dialog.reject();
        });
        EXPECT_TRUE(fixture.view.OnCommand(row.command));
        EXPECT_EQ(shown, row.caption);
        EXPECT_FALSE(fixture.doc.IsModified()) << "closing the dialog changes nothing";
    }
}
