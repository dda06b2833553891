#include "app/tarn_view.h"

#include "tests/app/command_fixture.h"
#include "ui/axis_properties_dialog.h"
#include "ui/lines_dialog.h"
#include "ui/text_dialog.h"

#include <QTextEdit>

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <QApplication>
#include <QKeyEvent>

TEST(TarnView, UnchangedPageReusesTheOffScreenCopy)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    QStringList texts;
    QObject::connect(&view, &CTarnView::StatusText, [&texts](int pane, const QString& text) {
        texts << QString::number(pane) + ":" + text;
    });
    view.resize(400, 300);
    view.grab();
    EXPECT_EQ(view.RenderCount(), 1);
    view.grab();
    EXPECT_EQ(view.RenderCount(), 1) << "nothing changed: the copy is reused";
    view.Refresh();
    const QImage image = view.grab().toImage();
    EXPECT_EQ(view.RenderCount(), 2);
    EXPECT_EQ(image.pixel(50, 150), qRgb(0, 0, 0)) << "left axis line";

    EXPECT_TRUE(texts.contains("1:Window Size 400 x 300"));
    EXPECT_EQ(texts.count("0:Rendering ..."), 2);
    EXPECT_EQ(texts.last(), "0:Ready");
}

TEST(TarnView, ArrowKeysAndShiftCommandsFollowTheLogFlags)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(&view, &right);
    EXPECT_FLOAT_EQ(doc.CurrentGraph().m_xMin, 1.9f);
    EXPECT_TRUE(view.OnCommand(CommandId::ShiftUp));
    EXPECT_FLOAT_EQ(doc.CurrentGraph().m_yMax, 10.9f);
    EXPECT_FALSE(doc.IsModified()) << "shifting does not mark the page modified";

    doc.CurrentGraph().m_yLog = 1;
    EXPECT_FALSE(view.IsCommandEnabled(CommandId::ShiftUp));
    EXPECT_FALSE(view.IsCommandEnabled(CommandId::ShiftDown));
    EXPECT_TRUE(view.IsCommandEnabled(CommandId::ShiftLeft));
    EXPECT_FALSE(view.OnCommand(CommandId::ShiftDown));
    EXPECT_FALSE(view.IsCommandEnabled(CommandId::PageOverlap)) << "one graph only";
    bool checked = false;
    EXPECT_TRUE(view.IsCommandChecked(CommandId::ViewDoubleBuffer, &checked));
    EXPECT_TRUE(checked);
}

TEST(TarnView, AxisCommandsOpenAxisPropertiesForTheirDirection)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    for (CommandId command : {CommandId::GraphXAxis, CommandId::GraphYAxis}) {
        SCOPED_TRACE(int(command));
        EXPECT_TRUE(view.IsCommandEnabled(command));
        QString edited;
        QTimer::singleShot(0, [&edited] {
            auto* dialog = qobject_cast<CAxisPropertiesDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            edited = dialog->EditCombo()->currentText();
            dialog->MajorSpacing()->setText("3");
            dialog->accept();
        });
        EXPECT_TRUE(view.OnCommand(command));
        EXPECT_EQ(edited, command == CommandId::GraphXAxis ? "X Axis" : "Y Axis");
    }
    EXPECT_FLOAT_EQ(doc.CurrentGraph().m_bottomAxis.m_majorSpacing, 3.0f);
    EXPECT_FLOAT_EQ(doc.CurrentGraph().m_leftAxis.m_majorSpacing, 3.0f);
    EXPECT_TRUE(doc.IsModified());
}

TEST(TarnView, TitleCommandsEditTheirTitleAndMarkTheDocument)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    struct Row {
        CommandId command;
        const char* caption;
        const TextObject* title;
    };
    const Graph& graph = doc.CurrentGraph();
    for (const Row& row : {Row{CommandId::GraphTitle, "Title", &graph.m_title},
                           Row{CommandId::GraphXTitle, "X Axis", &graph.m_xLabel},
                           Row{CommandId::GraphYTitle, "Y Axis", &graph.m_yLabel}}) {
        SCOPED_TRACE(row.caption);
        EXPECT_TRUE(view.IsCommandEnabled(row.command));
        QString caption;
        QTimer::singleShot(0, [&caption] {
            auto* dialog = qobject_cast<CTextDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            caption = dialog->windowTitle();
            dialog->TextEdit()->setPlainText("$\\alpha$ " + caption);
            dialog->accept();
        });
        EXPECT_TRUE(view.OnCommand(row.command));
        EXPECT_EQ(caption, row.caption);
        EXPECT_EQ(row.title->m_text, std::string("$\\alpha$ ") + row.caption);
    }
    EXPECT_TRUE(doc.IsModified());
}

TEST(TarnView, ReferenceLinesMarkTheDocumentWhenALineIsAdded)
{
    CommandFixture fixture;
    auto& [doc, messages, view] = fixture;
    EXPECT_TRUE(view.IsCommandEnabled(CommandId::GraphLegend));
    EXPECT_TRUE(view.IsCommandEnabled(CommandId::GraphReferenceLines));
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CLinesDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->SetLineAsker([](QWidget*, RefLine& line) {
            line = {1, 0, 4.0f};
            return true;
        });
        dialog->Add();
        dialog->accept();
    });
    EXPECT_TRUE(view.OnCommand(CommandId::GraphReferenceLines));
    EXPECT_EQ(doc.CurrentGraph().m_refLines.Count(), 1);
    EXPECT_TRUE(doc.IsModified()) << "the line is saved with the page";
}
