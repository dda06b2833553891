#include "ui/equation_editor_dialog.h"

#include "document/function_history.h"
#include "document/tarn_doc.h"
#include "tests/render/test_messages.h"
#include "tests/support/qt_application.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTabBar>
#include <QValidator>

namespace {

QStringList Labels(const QDialog& dialog)
{
    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        labels << label->text();
    return labels;
}

QStringList TabTexts(const QTabBar* tabs)
{
    QStringList texts;
    for (int i = 0; i < tabs->count(); ++i)
        texts << tabs->tabText(i);
    return texts;
}

} // namespace

TEST(EquationEditorDialog, EachKindWithItsCaptionFieldsAndDefaults)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    doc.CurrentGraph().SetXRange(-3.0f, 7.5f, true, messages);
    struct Row {
        FunctionKind kind;
        const char* caption;
        QStringList labels;
        const char* min;
        const char* max;
        bool second;
    };
    const Row rows[] = {
        {FunctionKind::Explicit, "Equation Editor", {"f(x) = ", "x min =", "x max =", "Number of points = "}, "-3", "7.5", false},
        {FunctionKind::Parametric, "Parametric Equation Editor",
         {"x(t)=", "y(t)=", "t min = ", "t max = ", "Number of points = "}, "0", "1", true},
        {FunctionKind::Polar, "Polar Equation Editor", {"r(t) = ", "t min = ", "t max = ", "Number of points = "}, "0", "6.28319", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.caption);
        CEquationEditorDialog dialog(doc, row.kind, messages);
        EXPECT_EQ(dialog.windowTitle(), row.caption);
        EXPECT_EQ(Labels(dialog), row.labels);
        EXPECT_EQ(dialog.Minimum()->text(), row.min);
        EXPECT_EQ(dialog.Maximum()->text(), row.max);
        EXPECT_EQ(dialog.Points()->text(), "100");
        EXPECT_EQ(dialog.Formula()->toPlainText(), "");
        EXPECT_EQ(dialog.SecondFormula() != nullptr, row.second);
        EXPECT_EQ(TabTexts(dialog.Tabs()), QStringList{"Eq 1"});
        int position = 0;
        QString letters = "12a";
        EXPECT_EQ(dialog.Points()->validator()->validate(letters, position), QValidator::Invalid)
            << "digits only";
    }
}

TEST(EquationEditorDialog, OkAddsTheSetAndKeepsTheFormula)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    {
        CEquationEditorDialog dialog(doc, FunctionKind::Explicit, messages);
        dialog.Formula()->setPlainText("1/x");
        dialog.Minimum()->setText("-1");
        dialog.Maximum()->setText("1");
        dialog.Points()->setText("3");
        dialog.accept();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_TRUE(messages.shown.empty());
        EXPECT_EQ(dialog.AddedSet(), 0);
    }
    ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 1);
    EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).m_info, "1/x");
    ASSERT_EQ(doc.m_functionHistory.Count(), 1);
    EXPECT_EQ(doc.m_functionHistory.m_entries[0].formula, "1/x");
    EXPECT_EQ(doc.m_parametricHistory.Count(), 0) << "each kind has its own history";

    // Opened again: a blank entry in front, the plotted one behind it.
    CEquationEditorDialog again(doc, FunctionKind::Explicit, messages);
    EXPECT_EQ(TabTexts(again.Tabs()), (QStringList{"Eq 1", "Eq 2"}));
    EXPECT_EQ(again.Formula()->toPlainText(), "");
    again.Formula()->setPlainText("x^2");
    again.Tabs()->setCurrentIndex(1);
    EXPECT_EQ(again.Formula()->toPlainText(), "1/x") << "the entry's fields are loaded";
    EXPECT_EQ(again.Points()->text(), "3");
    again.Tabs()->setCurrentIndex(0);
    EXPECT_EQ(again.Formula()->toPlainText(), "x^2") << "the fields were kept in their entry";
}

TEST(EquationEditorDialog, FailureShowsItsMessageAndStaysOpen)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CEquationEditorDialog dialog(doc, FunctionKind::Explicit, messages);
    dialog.Formula()->setPlainText("a*x");
    dialog.accept();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(messages.shown, std::vector<std::string>{"The symbol 'a' is undefined"});
    EXPECT_EQ(doc.CurrentGraph().m_plots.Count(), 0);
    ASSERT_EQ(doc.m_functionHistory.Count(), 1);
    EXPECT_EQ(doc.m_functionHistory.m_entries[0].formula, "") << "the history is unchanged";
}

TEST(EquationEditorDialog, ParametricNameAndProgress)
{
    TestApplication();
    CTarnDoc doc;
    RecordingMessages messages;
    CEquationEditorDialog dialog(doc, FunctionKind::Parametric, messages);
    dialog.Formula()->setPlainText("cos(t)");
    dialog.SecondFormula()->setPlainText("sin(t)\n");
    dialog.Points()->setText("2500");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(doc.CurrentGraph().m_plots.Count(), 1);
    EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).m_info, "{cos(t), sin(t)}");
    EXPECT_EQ(doc.CurrentGraph().m_plots.Get(0).PointCount(), 2500);
    EXPECT_EQ(dialog.Progress()->maximum(), 2500);
    // The bar advances in steps of the integer part of 10^(log10 N - 2).
    const int step = int(ProgressStep(2500));
    EXPECT_EQ(dialog.Progress()->value() % step, 0);
    EXPECT_GT(dialog.Progress()->value(), 2500 - step);
}
