// Every command and every edit with the mouse, as a user makes it in the main
// window: what it does to the modified mark, and that Edit > Undo and
// Edit > Redo take the page back and forth.
#include "app/command_table.h"
#include "document/document_file.h"
#include "tests/app/command_fixture.h"
#include "tests/support/pipe_stream.h"
#include "ui/arrange_dialog.h"
#include "ui/axis_properties_dialog.h"
#include "ui/color_dialog.h"
#include "ui/curve_fit_dialog.h"
#include "ui/equation_editor_dialog.h"
#include "ui/error_bar_dialog.h"
#include "ui/graph_type_dialog.h"
#include "ui/histogram_dialog.h"
#include "ui/legend_dialog.h"
#include "ui/lines_dialog.h"
#include "ui/plot_options_dialog.h"
#include "ui/properties_dialog.h"
#include "ui/scaling_dialog.h"
#include "ui/select_dialog.h"
#include "ui/set_control_dialog.h"
#include "ui/text_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextEdit>
#include <QTreeWidget>
#include <QWheelEvent>

#include <functional>
#include <map>
#include <unistd.h>

namespace {

// The dialogs a row still waits for.
std::vector<QTimer*>& Waiting()
{
    static std::vector<QTimer*> waiting;
    return waiting;
}

// Hands the next modal dialog to `look`, which closes it. Dialogs opened from
// `look` are met by a further call made there before the button that opens
// them is clicked. A dialog that `look` leaves open is rejected, so a wrong
// row fails instead of hanging.
void OnNextDialog(std::function<void(QDialog&)> look)
{
    auto* timer = new QTimer;
    Waiting().push_back(timer);
    QObject::connect(timer, &QTimer::timeout, [timer, look] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        std::erase(Waiting(), timer);
        timer->deleteLater();
        look(*dialog);
        if (dialog->isVisible() && QApplication::activeModalWidget() == dialog) {
            ADD_FAILURE() << "the dialog \"" << dialog->windowTitle().toStdString() << "\" stayed open";
            dialog->reject();
        }
    });
    timer->start(5);
}

// Every dialog a row expected has come.
void ExpectNoDialogWaiting()
{
    EXPECT_TRUE(Waiting().empty()) << "a dialog did not open";
    for (QTimer* timer : Waiting())
        delete timer;
    Waiting().clear();
}

void RejectNextDialog()
{
    OnNextDialog([](QDialog& dialog) { dialog.reject(); });
}

// A click of `button` on the dialog's button box.
void ClickBox(QDialog& dialog, QDialogButtonBox::StandardButton button)
{
    for (auto* box : dialog.findChildren<QDialogButtonBox*>())
        if (QPushButton* pushButton = box->button(button)) {
            pushButton->click();
            return;
        }
    ADD_FAILURE() << "no such button on \"" << dialog.windowTitle().toStdString() << "\"";
}

void Mouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
           Qt::KeyboardModifiers keys = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(at), QPointF(view.mapToGlobal(at)), button, buttons, keys);
    QCoreApplication::sendEvent(&view, &event);
}

// A left-button drag from `from` to `to`, through a point on the way.
void Drag(QWidget& view, QPoint from, QPoint to, Qt::KeyboardModifiers keys = Qt::NoModifier,
          Qt::MouseButton button = Qt::LeftButton)
{
    Mouse(view, QEvent::MouseButtonPress, from, button, button, keys);
    Mouse(view, QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button, keys);
    Mouse(view, QEvent::MouseMove, to, Qt::NoButton, button, keys);
    Mouse(view, QEvent::MouseButtonRelease, to, button, Qt::NoButton, keys);
}

void DoubleClick(QWidget& view, QPoint at)
{
    Mouse(view, QEvent::MouseButtonPress, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
    Mouse(view, QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
    Mouse(view, QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// The main window, shown, on a page of two sets and one free label, saved
// as it is (nothing to undo, the mark clear).
struct Page : WithTestApplication {
    Page()
    {
        Graph& graph = doc.CurrentGraph();
        for (int i = 0; i < 2; ++i) {
            Plot plot;
            plot.m_info = "set " + std::to_string(i);
            plot.m_xPositive = plot.m_yPositive = 1;
            for (int x = 1; x <= 5; ++x)
                plot.AddPoint(float(x), float((i + 1) * x));
            graph.m_plots.Append(plot);
        }
        graph.SyncPlotGeometry();
        graph.AutoScale(true, messages);
        TextObject label("note");
        label.m_x = 0.5f;
        label.m_y = 0.06f;
        doc.m_labels.Append(label);
        doc.ResetHistory();
        frame.resize(900, 700);
        frame.show();
        // Shortcuts reach the commands of the active window only.
        frame.activateWindow();
        QTest::qWaitForWindowActive(&frame);
        frame.View()->Refresh();
        frame.View()->grab(); // measures the texts
    }
    CTarnView& View() { return *frame.View(); }
    // The centre of `object` on the view.
    QPoint At(const GraphObject& object)
    {
        const BoundingBox box = object.GetBoundingBox({0, 0, View().width(), View().height()});
        return {box.x, box.y};
    }
    QPoint InPlotArea()
    {
        const Graph& graph = doc.CurrentGraph();
        return {int(View().width() * (graph.m_left + 0.3f * (graph.m_right - graph.m_left))),
                int(View().height() * (1.0f - graph.m_bottom - 0.6f * (graph.m_top - graph.m_bottom)))};
    }
    // Runs the command as the menu or toolbar does: only an enabled action.
    void Trigger(CommandId id)
    {
        frame.UpdateCommandUI();
        QAction* action = frame.Action(id);
        EXPECT_TRUE(action->isEnabled()) << FindCommand(id).text << " is greyed out";
        action->trigger();
    }
    // A key pressed on `target`, as the user does in the window: a dialog that
    // was open has given the window its focus back.
    void Key(QWidget* target, Qt::Key key, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        frame.activateWindow();
        QTest::qWaitForWindowActive(&frame);
        frame.UpdateCommandUI(); // as the window's periodic check does
        QTest::keyClick(target, key, keys);
    }
    bool TitleMarked() const { return frame.windowTitle().contains("* - CorvidPlot"); }

    CTarnDoc doc;
    RecordingMessages messages;
    AppSettings settings;
    CMainFrame frame{doc, messages, settings};
};

// What a row's action does to the page.
enum class Effect {
    Marks,    ///< changes the page and marks it modified; undone and redone
    Unmarked, ///< changes the page by design without the mark; undone and redone
    None,     ///< leaves the page as it is; nothing to undo
};

// A row's action: the command `id`, with `answer` given the dialog it opens.
std::function<void(Page&)> Answering(CommandId id, std::function<void(QDialog&)> answer)
{
    return [id, answer](Page& p) {
        OnNextDialog(answer);
        p.Trigger(id);
    };
}

struct Row {
    const char* name;
    CommandId command; ///< the command the row covers (mouse rows name the nearest one)
    Effect effect;
    std::function<void(Page&)> act;
    std::function<void(Page&)> prepare = nullptr; ///< brings the page to where the action starts; then saved
    CommandId back = CommandId::EditUndo;     ///< what takes the action back
    CommandId again = CommandId::EditRedo;    ///< and what makes it again
};

// A text file of two columns for the import and the pipe-free data rows.
QString DataFile()
{
    const QString path = QDir::temp().filePath(QString("corvid-changes-%1.txt").arg(::getpid()));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write("1 2\n2 3\n3 5\n");
    return path;
}

void RunCommandRejectingDialog(Page& p, CommandId id)
{
    RejectNextDialog();
    p.Trigger(id);
}

void EditText(Page& p, CommandId id, const char* text)
{
    OnNextDialog([text](QDialog& dialog) {
        static_cast<CTextDialog&>(dialog).TextEdit()->setPlainText(text);
        dialog.accept();
    });
    p.Trigger(id);
}

void PickColorIn(QDialog& dialog)
{
    auto& color = static_cast<CColorDialog&>(dialog);
    color.Transparent()->setChecked(false);
    color.Edit(0)->setText("200");
    emit color.Edit(0)->textEdited("200");
    color.accept();
}

void ChooseSets(Page& p, CommandId id, int row)
{
    OnNextDialog([row](QDialog& dialog) {
        QListWidget* list = static_cast<CSetControlDialog&>(dialog).List();
        list->clearSelection();
        list->item(row)->setSelected(true);
        dialog.accept();
    });
    p.Trigger(id);
}

const std::vector<Row>& Rows()
{
    using C = CommandId;
    static const std::vector<Row> rows = {
        // File
        {"New asks the application, which this window leaves alone", C::FileNew, Effect::None,
         [](Page& p) { p.Trigger(C::FileNew); }},
        {"Open, cancelled", C::FileOpen, Effect::None, [](Page& p) { RunCommandRejectingDialog(p, C::FileOpen); }},
        {"Save of an untitled page, cancelled", C::FileSave, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::FileSave); }},
        {"Save As, cancelled", C::FileSaveAs, Effect::None, [](Page& p) { RunCommandRejectingDialog(p, C::FileSaveAs); }},
        {"Import of a data file", C::FileImport, Effect::Marks,
         Answering(C::FileImport, [](QDialog& dialog) {
             static_cast<QFileDialog&>(dialog).selectFile(DataFile());
             dialog.accept();
         })},
        {"Export Data, cancelled at the file", C::ExportData, Effect::None,
         Answering(C::ExportData, [](QDialog& dialog) {
             RejectNextDialog();
             dialog.accept();
         })},
        {"Export Image, cancelled", C::ExportImage, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::ExportImage); }},
        {"Export Audio, closed", C::ExportAudio, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::ExportAudio); }},
        {"Export Animation, closed", C::ExportAnimation, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::ExportAnimation); }},
        {"Print, cancelled", C::FilePrint, Effect::None, [](Page& p) { RunCommandRejectingDialog(p, C::FilePrint); }},
        {"Print Preview, closed", C::FilePrintPreview, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::FilePrintPreview); }},
        {"Print Setup, cancelled", C::FilePrintSetup, Effect::None,
         [](Page& p) {
             // Greyed out while no printer query is possible.
             p.frame.UpdateCommandUI();
             if (p.frame.Action(C::FilePrintSetup)->isEnabled())
                 RunCommandRejectingDialog(p, C::FilePrintSetup);
         }},
        {"Exit of an unmodified page", C::FileExit, Effect::None, [](Page& p) { p.Trigger(C::FileExit); }},
        // Edit
        {"Undo of an edit that was saved", C::EditUndo, Effect::Marks,
         [](Page& p) { p.Trigger(C::EditUndo); },
         [](Page& p) { EditText(p, C::GraphTitle, "undone"); }, C::EditRedo, C::EditUndo},
        {"Redo of an edit undone", C::EditRedo, Effect::Marks, [](Page& p) { p.Trigger(C::EditRedo); },
         [](Page& p) {
             EditText(p, C::GraphTitle, "redone");
             p.Trigger(C::EditUndo);
         }},
        {"Copy of the page", C::EditCopy, Effect::None, [](Page& p) { p.Trigger(C::EditCopy); }},
        {"Copy Data of a set", C::EditCopyData, Effect::None, [](Page& p) { ChooseSets(p, C::EditCopyData, 0); }},
        {"Paste Data", C::EditPasteData, Effect::Marks,
         [](Page& p) {
             QGuiApplication::clipboard()->setText("1 1\n2 4\n3 9\n");
             OnNextDialog([](QDialog& dialog) { dialog.accept(); });
             p.Trigger(C::EditPasteData);
         }},
        {"Del on the graph title", C::EditClearSelection, Effect::Marks,
         [](Page& p) { p.Key(&p.View(), Qt::Key_Delete); },
         [](Page& p) { Drag(p.View(), p.At(p.doc.CurrentGraph().m_title), p.At(p.doc.CurrentGraph().m_title)); }},
        {"Del on a free label", C::EditClearSelection, Effect::Marks,
         [](Page& p) { p.Key(&p.View(), Qt::Key_Delete); },
         [](Page& p) { Drag(p.View(), p.At(p.doc.m_labels.Get(0)), p.At(p.doc.m_labels.Get(0))); }},
        {"Del on the x axis title", C::EditClearSelection, Effect::Marks,
         [](Page& p) { p.Key(&p.View(), Qt::Key_Delete); },
         [](Page& p) { Drag(p.View(), p.At(p.doc.CurrentGraph().m_xLabel), p.At(p.doc.CurrentGraph().m_xLabel)); }},
        {"Del on the graph itself, which clears nothing", C::EditClearSelection, Effect::None,
         [](Page& p) { p.Key(&p.View(), Qt::Key_Delete); },
         [](Page& p) {
             Mouse(p.View(), QEvent::MouseButtonPress, p.InPlotArea(), Qt::LeftButton, Qt::LeftButton,
                   Qt::ShiftModifier);
             Mouse(p.View(), QEvent::MouseButtonRelease, p.InPlotArea(), Qt::LeftButton, Qt::NoButton,
                   Qt::ShiftModifier);
         }},
        // View
        {"Toolbar hidden", C::ViewToolbar, Effect::None, [](Page& p) { p.Trigger(C::ViewToolbar); }},
        {"Status bar hidden", C::ViewStatusBar, Effect::None, [](Page& p) { p.Trigger(C::ViewStatusBar); }},
        {"Zoom into a rectangle", C::ViewZoom, Effect::Unmarked,
         [](Page& p) {
             p.Trigger(C::ViewZoom);
             Drag(p.View(), p.InPlotArea(), p.InPlotArea() + QPoint(120, 80));
         }},
        {"Restore Scaling after a zoom", C::ViewRestoreScaling, Effect::Unmarked,
         [](Page& p) { p.Trigger(C::ViewRestoreScaling); },
         [](Page& p) {
             p.Trigger(C::ViewZoom);
             Drag(p.View(), p.InPlotArea(), p.InPlotArea() + QPoint(120, 80));
         }},
        {"Cross Hairs", C::ViewCrossHairs, Effect::None, [](Page& p) { p.Trigger(C::ViewCrossHairs); }},
        {"Double Buffer", C::ViewDoubleBuffer, Effect::None, [](Page& p) { p.Trigger(C::ViewDoubleBuffer); }},
        {"WYSIWYG without a printer", C::ViewWysiwyg, Effect::None, [](Page& p) { p.Trigger(C::ViewWysiwyg); }},
        {"Define Scaling", C::ViewDefineScaling, Effect::Marks,
         Answering(C::ViewDefineScaling, [](QDialog& dialog) {
             auto& scaling = static_cast<CScalingDialog&>(dialog);
             scaling.Field(0)->setText("0");
             scaling.Field(1)->setText("20");
             dialog.accept();
         })},
        {"Properties: thicker lines", C::ViewProperties, Effect::Unmarked,
         Answering(C::ViewProperties, [](QDialog& dialog) {
             static_cast<CPropertiesDialog&>(dialog).LineCombo()->setCurrentIndex(2);
             dialog.accept();
         })},
        {"Refresh", C::ViewRefresh, Effect::None, [](Page& p) { p.Trigger(C::ViewRefresh); }},
        // Page
        {"Arrange into two rows", C::PageArrange, Effect::Marks,
         Answering(C::PageArrange, [](QDialog& dialog) {
             static_cast<CArrangeDialog&>(dialog).Field("Rows:")->setText("2");
             dialog.accept();
         })},
        {"Overlap graph 0 on graph 1", C::PageOverlap, Effect::Marks,
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) { dialog.accept(); });
             p.Trigger(C::PageOverlap);
         },
         Answering(C::PageArrange, [](QDialog& dialog) {
             static_cast<CArrangeDialog&>(dialog).Field("Rows:")->setText("2");
             dialog.accept();
         })},
        {"Select graph 1", C::PageSelect, Effect::Marks,
         Answering(C::PageSelect, [](QDialog& dialog) {
             static_cast<CSelectDialog&>(dialog).Combo()->setCurrentIndex(1);
             dialog.accept();
         }),
         Answering(C::PageArrange, [](QDialog& dialog) {
             static_cast<CArrangeDialog&>(dialog).Field("Rows:")->setText("2");
             dialog.accept();
         })},
        {"Page colour", C::PageColor, Effect::Marks,
         [](Page& p) {
             OnNextDialog(PickColorIn);
             p.Trigger(C::PageColor);
         }},
        // Graph
        {"Title", C::GraphTitle, Effect::Marks, [](Page& p) { EditText(p, C::GraphTitle, "Decay"); }},
        {"X axis title", C::GraphXTitle, Effect::Marks, [](Page& p) { EditText(p, C::GraphXTitle, "time"); }},
        {"Y axis title", C::GraphYTitle, Effect::Marks, [](Page& p) { EditText(p, C::GraphYTitle, "level"); }},
        {"User Defined label placed with a click", C::GraphUserLabel, Effect::Marks,
         [](Page& p) {
             p.Trigger(C::GraphUserLabel);
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CTextDialog&>(dialog).TextEdit()->setPlainText("peak");
                 dialog.accept();
             });
             Drag(p.View(), p.InPlotArea(), p.InPlotArea());
         }},
        {"Insert text placed with a click", C::InsertText, Effect::Marks,
         [](Page& p) {
             p.Trigger(C::InsertText);
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CTextDialog&>(dialog).TextEdit()->setPlainText("valley");
                 dialog.accept();
             });
             Drag(p.View(), p.InPlotArea(), p.InPlotArea());
         }},
        {"X axis properties, OK", C::GraphXAxis, Effect::Marks,
         Answering(C::GraphXAxis, [](QDialog& dialog) {
             static_cast<CAxisPropertiesDialog&>(dialog).MajorSpacing()->setText("2");
             dialog.accept();
         })},
        {"Y axis properties, Apply then Cancel", C::GraphYAxis, Effect::Marks,
         Answering(C::GraphYAxis, [](QDialog& dialog) {
             static_cast<CAxisPropertiesDialog&>(dialog).MajorSpacing()->setText("3");
             ClickBox(dialog, QDialogButtonBox::Apply);
             dialog.reject();
         })},
        {"Legend text", C::GraphLegend, Effect::Marks,
         Answering(C::GraphLegend, [](QDialog& dialog) {
             static_cast<CLegendDialog&>(dialog).TextLabel()->setText("first");
             dialog.accept();
         })},
        {"Reference line added", C::GraphReferenceLines, Effect::Marks,
         Answering(C::GraphReferenceLines, [](QDialog& dialog) {
             auto& lines = static_cast<CLinesDialog&>(dialog);
             lines.SetLineAsker([](QWidget*, RefLine& line) {
                 line = {1, 0, 4.0f};
                 return true;
             });
             lines.Add();
             dialog.accept();
         })},
        {"Reference lines closed without a change", C::GraphReferenceLines, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::GraphReferenceLines); }},
        {"Graph colour", C::GraphColor, Effect::Marks,
         [](Page& p) {
             OnNextDialog(PickColorIn);
             p.Trigger(C::GraphColor);
         }},
        {"Graph type log-log", C::GraphType, Effect::Marks,
         Answering(C::GraphType, [](QDialog& dialog) {
             static_cast<CGraphTypeDialog&>(dialog).List()->setCurrentRow(3);
             dialog.accept();
         })},
        // Sets
        {"Activate a set", C::SetsActivate, Effect::Marks, [](Page& p) { ChooseSets(p, C::SetsActivate, 0); },
         [](Page& p) { ChooseSets(p, C::SetsDeactivate, 1); }},
        {"Deactivate a set", C::SetsDeactivate, Effect::Marks, [](Page& p) { ChooseSets(p, C::SetsDeactivate, 0); }},
        {"Delete a set", C::SetsDelete, Effect::Marks, [](Page& p) { ChooseSets(p, C::SetsDelete, 0); }},
        {"Bring a set to the top", C::SetsBringToTop, Effect::Marks, [](Page& p) { ChooseSets(p, C::SetsBringToTop, 1); }},
        {"Send a set to the bottom", C::SetsSendToBottom, Effect::Marks,
         [](Page& p) { ChooseSets(p, C::SetsSendToBottom, 0); }},
        {"Plot Options: dotted lines", C::SetsPlotOptions, Effect::Unmarked,
         Answering(C::SetsPlotOptions, [](QDialog& dialog) {
             auto& options = static_cast<CPlotOptionsDialog&>(dialog);
             options.LineStyle()->setCurrentIndex(kDotted);
             options.accept();
         })},
        {"Error bars", C::SetsErrorBars, Effect::Marks,
         Answering(C::SetsErrorBars, [](QDialog& dialog) {
             static_cast<CErrorBarDialog&>(dialog).HatSize()->setCurrentIndex(9);
             dialog.accept();
         })},
        {"Animate plots, window opened and closed", C::SetsAnimate, Effect::None,
         [](Page& p) {
             p.Trigger(C::SetsAnimate);
             if (p.View().AnimateWindow())
                 p.View().AnimateWindow()->close();
         },
         [](Page& p) {
             p.doc.CurrentGraph().m_singlePlotOnly = 1;
             p.doc.CurrentGraph().m_singlePlotIndex = 0;
             p.doc.SetModifiedFlag();
         }},
        // Data
        {"Statistics report", C::DataStatistics, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::DataStatistics); }},
        {"Histogram set", C::DataHistogram, Effect::Marks,
         Answering(C::DataHistogram, [](QDialog& dialog) {
             auto& histogram = static_cast<CHistogramDialog&>(dialog);
             histogram.ByCount()->setChecked(true);
             histogram.BinCount()->setText("4");
             histogram.StartValue()->setText("0");
             histogram.EndValue()->setText("10");
             dialog.accept();
         })},
        {"Differences set", C::DataDifferences, Effect::Marks,
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) { dialog.accept(); });
             p.Trigger(C::DataDifferences);
         }},
        {"Integration report", C::DataIntegration, Effect::None,
         [](Page& p) { RunCommandRejectingDialog(p, C::DataIntegration); }},
        {"Function set", C::DataFunction, Effect::Marks,
         Answering(C::DataFunction, [](QDialog& dialog) {
             static_cast<CEquationEditorDialog&>(dialog).Formula()->setPlainText("x^2");
             dialog.accept();
         })},
        {"Parametric set", C::DataParametric, Effect::Marks,
         Answering(C::DataParametric, [](QDialog& dialog) {
             auto& editor = static_cast<CEquationEditorDialog&>(dialog);
             editor.Formula()->setPlainText("cos(t)");
             editor.SecondFormula()->setPlainText("sin(t)");
             dialog.accept();
         })},
        {"Polar set", C::DataPolar, Effect::Marks,
         Answering(C::DataPolar, [](QDialog& dialog) {
             static_cast<CEquationEditorDialog&>(dialog).Formula()->setPlainText("1+t");
             dialog.accept();
         })},
        {"Non-linear fit saved", C::DataNonLinearFit, Effect::Marks,
         Answering(C::DataNonLinearFit, [](QDialog& dialog) {
             auto& fit = static_cast<CCurveFitDialog&>(dialog);
             fit.Model()->setText("a*x+b");
             fit.NextButton()->click();
             fit.InitEdit()->setText("1");
             fit.Parameters()->setCurrentItem(fit.Parameters()->topLevelItem(1));
             fit.InitEdit()->setText("0");
             fit.NextButton()->click();
             EXPECT_TRUE(fit.SaveButton()->isEnabled());
             fit.SaveButton()->click();
             fit.CloseButton()->click();
         })},
        // Toolbar
        {"Shift up", C::ShiftUp, Effect::Unmarked, [](Page& p) { p.Trigger(C::ShiftUp); }},
        {"Shift down", C::ShiftDown, Effect::Unmarked, [](Page& p) { p.Trigger(C::ShiftDown); }},
        {"Shift right", C::ShiftRight, Effect::Unmarked, [](Page& p) { p.Trigger(C::ShiftRight); }},
        {"Shift left", C::ShiftLeft, Effect::Unmarked, [](Page& p) { p.Trigger(C::ShiftLeft); }},
        // Help
        {"Import Options", C::HelpImportOptions, Effect::None, [](Page& p) { p.Trigger(C::HelpImportOptions); }},
        {"Command Line Options", C::HelpCommandLineOptions, Effect::None,
         [](Page& p) { p.Trigger(C::HelpCommandLineOptions); }},
        {"About", C::HelpAbout, Effect::None, [](Page& p) { RunCommandRejectingDialog(p, C::HelpAbout); }},
        // The mouse and the keys
        {"Drag of the graph title", C::EditClearSelection, Effect::Marks,
         [](Page& p) {
             const QPoint at = p.At(p.doc.CurrentGraph().m_title);
             Drag(p.View(), at, at + QPoint(40, 20));
         }},
        {"Drag of the y axis title", C::EditClearSelection, Effect::Marks,
         [](Page& p) {
             const QPoint at = p.At(p.doc.CurrentGraph().m_yLabel);
             Drag(p.View(), at, at + QPoint(-20, 30));
         }},
        {"Drag of a free label", C::EditClearSelection, Effect::Marks,
         [](Page& p) {
             const QPoint at = p.At(p.doc.m_labels.Get(0));
             Drag(p.View(), at, at + QPoint(60, -10));
         }},
        {"Drag of the legend", C::GraphLegend, Effect::Marks,
         [](Page& p) {
             const QPoint at = p.At(p.doc.CurrentGraph().m_legend);
             Drag(p.View(), at, at + QPoint(30, 30));
         },
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CLegendDialog&>(dialog).TextLabel()->setText("first");
                 dialog.accept();
             });
             p.Trigger(C::GraphLegend);
             p.View().grab();
         }},
        {"Shift-drag of the whole graph", C::PageArrange, Effect::Marks,
         [](Page& p) { Drag(p.View(), p.InPlotArea(), p.InPlotArea() + QPoint(25, 15), Qt::ShiftModifier); }},
        {"Shift-drag of the left axis", C::PageArrange, Effect::Marks,
         [](Page& p) {
             const QPoint at = p.At(p.doc.CurrentGraph().m_leftAxis);
             Drag(p.View(), at, at + QPoint(30, 0), Qt::ShiftModifier);
         }},
        {"Double click on a free label edits it", C::GraphUserLabel, Effect::Marks,
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CTextDialog&>(dialog).TextEdit()->setPlainText("edited");
                 dialog.accept();
             });
             DoubleClick(p.View(), p.At(p.doc.m_labels.Get(0)));
         }},
        {"Double click on the x axis title edits it", C::GraphXTitle, Effect::Marks,
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CTextDialog&>(dialog).TextEdit()->setPlainText("seconds");
                 dialog.accept();
             });
             DoubleClick(p.View(), p.At(p.doc.CurrentGraph().m_xLabel));
         }},
        {"Double click on the bottom axis, Apply", C::GraphXAxis, Effect::Marks,
         [](Page& p) {
             OnNextDialog([](QDialog& dialog) {
                 static_cast<CAxisPropertiesDialog&>(dialog).MinorSpacing()->setText("0.5");
                 ClickBox(dialog, QDialogButtonBox::Apply);
                 dialog.reject();
             });
             DoubleClick(p.View(), p.At(p.doc.CurrentGraph().m_bottomAxis));
         }},
        {"Ctrl+wheel zoom", C::ViewZoom, Effect::Unmarked,
         [](Page& p) {
             for (int notch = 0; notch < 3; ++notch) {
                 QWheelEvent wheel(QPointF(p.InPlotArea()), QPointF(p.View().mapToGlobal(p.InPlotArea())), QPoint(),
                                   QPoint(0, 120), Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
                 QCoreApplication::sendEvent(&p.View(), &wheel);
             }
         }},
        {"Ctrl+middle button pan", C::ViewZoom, Effect::Unmarked,
         [](Page& p) { Drag(p.View(), p.InPlotArea(), p.InPlotArea() + QPoint(50, 20), Qt::ControlModifier, Qt::MiddleButton); }},
        {"Arrow key", C::ShiftLeft, Effect::Unmarked, [](Page& p) { p.Key(&p.View(), Qt::Key_Left); }},
        {"Sets streamed through the pipe", C::FileImport, Effect::Marks,
         [](Page& p) {
             int ends[2];
             ASSERT_EQ(::pipe(ends), 0);
             const std::string bytes = PipeStream().Version().NewSet("streamed").Point(1, 10).Point(2, 20).EndOfData().Bytes();
             ASSERT_EQ(::write(ends[1], bytes.data(), bytes.size()), ssize_t(bytes.size()));
             ::close(ends[1]);
             p.doc.m_pipeNumber = ends[0]; // the reader closes it when it ends
             bool ended = false;
             QObject::connect(p.frame.View(), &CTarnView::PipeReadingEnded, &p.frame, [&ended] { ended = true; });
             p.View().StartPipe();
             QElapsedTimer waited;
             waited.start();
             while (!(ended && !p.View().PipeReading()) && waited.elapsed() < 20000)
                 QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
             EXPECT_TRUE(ended) << "the stream ended";
             QCoreApplication::processEvents();
         }},
    };
    return rows;
}

} // namespace

TEST(PageChanges, EveryChangeMarksThePageAndIsUndoneAndRedone)
{
    // Every command of the window states what it does to the page.
    std::map<CommandId, int> covered;
    for (const Row& row : Rows())
        ++covered[row.command];
    for (const CommandSpec& entry : CommandTable())
        EXPECT_TRUE(covered.count(entry.id)) << entry.text << " has no row";

    const QString dataFile = DataFile();
    for (const Row& row : Rows()) {
        SCOPED_TRACE(row.name);
        lineScaling = 1;
        fontScaling = 1.0f;
        Page p;
        if (row.prepare) {
            row.prepare(p);
            ExpectNoDialogWaiting();
            p.doc.SetModifiedFlag(false); // saved here
            p.frame.UpdateTitle();
        }
        const std::string before = DocumentToBytes(p.doc);
        const int steps = p.doc.History().UndoSteps();
        row.act(p);
        ExpectNoDialogWaiting();
        const std::string after = DocumentToBytes(p.doc);
        const bool marks = row.effect == Effect::Marks;
        EXPECT_EQ(p.doc.IsModified(), marks);
        EXPECT_EQ(p.TitleMarked(), marks) << p.frame.windowTitle().toStdString();
        if (row.effect == Effect::None) {
            EXPECT_EQ(after, before) << "the page is as it was";
            EXPECT_EQ(p.doc.History().UndoSteps(), steps) << "nothing to undo";
            continue;
        }
        EXPECT_NE(after, before) << "the page changed";
        if (row.command != CommandId::EditUndo) {
            EXPECT_EQ(p.doc.History().UndoSteps(), steps + 1) << "one step";
        }
        p.Trigger(row.back);
        EXPECT_EQ(DocumentToBytes(p.doc), before) << "taken back";
        EXPECT_FALSE(p.doc.IsModified()) << "back at the saved page";
        EXPECT_FALSE(p.TitleMarked());
        p.Trigger(row.again);
        EXPECT_EQ(DocumentToBytes(p.doc), after) << "made again";
        EXPECT_EQ(p.doc.IsModified(), marks);
        EXPECT_EQ(p.TitleMarked(), marks);
    }
    QFile::remove(dataFile);
    lineScaling = 1;
    fontScaling = 1.0f;
}

TEST(PageChanges, UndoAndRedoKeysWalkBackToTheSavedPage)
{
    Page p;
    ASSERT_TRUE(p.frame.isActiveWindow());
    const QString path = QDir::temp().filePath(QString("corvid-undo-%1.cvd").arg(::getpid()));
    p.frame.Files().SetSaveChooser([path](const QString&) { return path; });
    auto key = [&p](Qt::Key which, Qt::KeyboardModifiers keys) { p.Key(&p.frame, which, keys); };
    auto undo = [&key] { key(Qt::Key_Backspace, Qt::AltModifier); };
    auto page = [&p] { return DocumentToBytes(p.doc); };

    EditText(p, CommandId::GraphTitle, "before saving");
    p.Trigger(CommandId::FileSave);
    ASSERT_FALSE(p.doc.IsModified());
    const std::string saved = page();

    // Edits of every kind after the save: a drag, a deleted set, a shift and Del.
    const QPoint label = p.At(p.doc.m_labels.Get(0));
    Drag(p.View(), label, label + QPoint(50, -20));
    ChooseSets(p, CommandId::SetsDelete, 0);
    p.Trigger(CommandId::ShiftUp);
    Drag(p.View(), p.At(p.doc.CurrentGraph().m_xLabel), p.At(p.doc.CurrentGraph().m_xLabel));
    p.Key(&p.View(), Qt::Key_Delete);
    EXPECT_EQ(p.doc.CurrentGraph().m_xLabel.m_text, "");
    EXPECT_TRUE(p.TitleMarked());
    const std::string edited = page();

    // Ctrl+Z is still Restore Scaling: it adds a step instead of taking one back.
    const int steps = p.doc.History().UndoSteps();
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(p.doc.History().UndoSteps(), steps + 1);
    undo();
    EXPECT_EQ(page(), edited);

    for (int i = 0; i < 3; ++i) {
        undo();
        EXPECT_TRUE(p.doc.IsModified()) << i;
    }
    undo();
    EXPECT_EQ(page(), saved) << "four steps back is the saved page";
    EXPECT_FALSE(p.doc.IsModified());
    EXPECT_FALSE(p.TitleMarked());
    EXPECT_EQ(p.doc.CurrentGraph().m_plots.Count(), 2) << "the deleted set is back";

    undo();
    EXPECT_EQ(p.doc.CurrentGraph().m_title.m_text, "Graph") << "the edit before the save";
    EXPECT_TRUE(p.TitleMarked());
    key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(page(), saved);
    EXPECT_FALSE(p.TitleMarked());
    for (int i = 0; i < 4; ++i)
        key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(page(), edited);
    EXPECT_TRUE(p.TitleMarked());

    // Back to the saved page, then a new edit: what was undone cannot come back.
    for (int i = 0; i < 4; ++i)
        undo();
    EXPECT_FALSE(p.TitleMarked());
    EditText(p, CommandId::GraphYTitle, "new branch");
    p.frame.UpdateCommandUI();
    EXPECT_FALSE(p.frame.Action(CommandId::EditRedo)->isEnabled());
    EXPECT_TRUE(p.frame.Action(CommandId::EditUndo)->isEnabled());
    undo();
    EXPECT_EQ(page(), saved);
    EXPECT_FALSE(p.doc.IsModified());
    QFile::remove(path);
}
