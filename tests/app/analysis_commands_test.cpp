#include "app/tarn_view.h"

#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>

TEST(AnalysisCommands, EachOpensItsDialogFromTheView)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CTarnView view(doc, messages);
    struct Row {
        CommandId command;
        const char* caption;
    };
    const Row rows[] = {
        {CommandId::DataStatistics, "Plot Statistics"},
        {CommandId::DataHistogram, "Histogram"},
        {CommandId::DataDifferences, "Differentiation (discrete difference)"},
        {CommandId::DataIntegration, "Integratation"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        EXPECT_TRUE(view.IsCommandEnabled(row.command));
        QString shown;
        // The dialog runs modally; close it from the event loop it starts.
        QTimer::singleShot(0, [&shown] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                shown = dialog->windowTitle();
                dialog->reject();
            }
        });
        EXPECT_TRUE(view.OnCommand(row.command));
        EXPECT_EQ(shown, row.caption);
        EXPECT_FALSE(doc.IsModified()) << "closing the dialog changes nothing";
    }
}
