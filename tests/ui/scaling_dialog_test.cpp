// The "Scaling" dialog: it shows the range with "%.4g", reads its fields as
// number fields in the order max x, min x, max y, min y, and "Default".
#include "ui/scaling_dialog.h"

#include "render/graph.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>

TEST(ScalingDialog, ShowsTheRangeAndChecksTheFieldsInOrder)
{
    TestApplication();
    Graph graph;
    RecordingMessages quiet;
    graph.SetRanges(-1.234567f, 2.5f, 1000000.0f, 2000000.0f, true, quiet);
    RecordingMessages messages;
    CScalingDialog dialog(graph, messages);
    EXPECT_EQ(dialog.windowTitle(), "Scaling");
    EXPECT_EQ(dialog.Field(0)->text(), "-1.235");
    EXPECT_EQ(dialog.Field(1)->text(), "2.5");
    EXPECT_EQ(dialog.Field(2)->text(), "1e+06");
    EXPECT_EQ(dialog.ApplyTo()->count(), 4);
    EXPECT_EQ(dialog.ApplyTo()->itemText(3), "Y Axis, All Graphs");

    // Every field bad: the maximum x is reported first, then the others in turn.
    const char* expected[] = {"Invalid maximum X value", "Invalid minimum X value", "Invalid maximum Y value",
                              "Invalid minimum Y value"};
    const int order[] = {1, 0, 3, 2};
    for (int i = 0; i < 4; ++i)
        dialog.Field(i)->setText("x+");
    for (int step = 0; step < 4; ++step) {
        SCOPED_TRACE(step);
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        ASSERT_EQ(messages.shown.size(), std::size_t(step + 1));
        EXPECT_EQ(messages.shown.back(), expected[step]);
        dialog.Field(order[step])->setText(step % 2 ? "2*pi" : "1/4");
    }
    dialog.ApplyTo()->setCurrentIndex(2);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(dialog.Request().xMax, 0.25f);
    EXPECT_FLOAT_EQ(dialog.Request().xMin, float(2 * 3.14159265358979));
    EXPECT_EQ(dialog.Request().target, ScalingTarget::XAllGraphs);
    EXPECT_FALSE(dialog.Request().useDefault);

    CScalingDialog defaults(graph, messages);
    defaults.ApplyTo()->setCurrentIndex(1);
    defaults.OnDefault();
    EXPECT_EQ(defaults.result(), QDialog::Accepted);
    EXPECT_TRUE(defaults.Request().useDefault);
    EXPECT_EQ(defaults.Request().target, ScalingTarget::AllGraphs);
}
