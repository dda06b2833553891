#include "app/command_table.h"

#include <cassert>

using C = CommandId;

const std::vector<CommandSpec>& CommandTable()
{
    static const std::vector<CommandSpec> table = {
        {C::FileNew, "&File", nullptr, "&New", "Ctrl+N", "Create a new document\nNew", false, false},
        {C::FileOpen, "&File", nullptr, "&Open...", "Ctrl+O", "Open an existing document\nOpen", false, false},
        {C::FileSave, "&File", nullptr, "&Save", "Ctrl+S", "Save the active document\nSave", false, false},
        {C::FileSaveAs, "&File", nullptr, "Save &As...", "Ctrl+Shift+S", "Save the active document with a new name\nSave As", false, false},
        {C::FileImport, "&File", nullptr, "&Import ...", "Ctrl+I", "Import data sets from text or audio files\nImport", false, true},
        {C::ExportData, "&File", "&Export", "Data ...", nullptr, "Export selected plots as a text file\nExport Data", false, false},
        {C::ExportImage, "&File", "&Export", "Image ...", nullptr, "Export the page as an image file\nExport Image", false, false},
        {C::ExportAudio, "&File", "&Export", "Audio ...", nullptr, "Export selected plots as an audio file\nPlay Sound", false, false},
        {C::ExportAnimation, "&File", "&Export", "Animation ...", nullptr, "Export a collection of plots as a movie\nExport Animation", false, false},
        {C::FilePrint, "&File", nullptr, "&Print...", "Ctrl+P", "Print the active document\nPrint", false, true},
        {C::FilePrintPreview, "&File", nullptr, "Print Pre&view", nullptr, "Display full pages\nPrint Preview", false, false},
        {C::FilePrintSetup, "&File", nullptr, "P&rint Setup...", nullptr, "Change the printer and printing options\nPrint Setup", false, false},
        {C::FileExit, "&File", nullptr, "E&xit", "Ctrl+Q", "Quit the application; prompts to save documents\nExit", false, true},

        // Ctrl+Z is Restore Scaling, so Undo takes the toolkit's other Undo key;
        // both of its Redo keys are free.
        {C::EditUndo, "&Edit", nullptr, "&Undo", "Alt+Backspace", "Undo the last change of the page\nUndo", false, false},
        {C::EditRedo, "&Edit", nullptr, "&Redo", "Ctrl+Shift+Z; Ctrl+Y", "Redo the change last undone\nRedo", false, false},
        {C::EditCopy, "&Edit", nullptr, "&Copy", "Ctrl+C", "Copy the page to the clipboard\nCopy", false, true},
        {C::EditCopyData, "&Edit", nullptr, "Copy &Data ...", "Ctrl+Shift+C", "Copy selected plots to the clipboard as text\nCopy Data", false, false},
        {C::EditPasteData, "&Edit", nullptr, "&Paste Data", "Ctrl+V", "Add data sets from the text on the clipboard\nPaste Data", false, false},
        {C::EditClearSelection, "&Edit", nullptr, "C&lear selection", "Del", "Clear the selected object\nClear selection", false, true},

        {C::ViewToolbar, "&View", nullptr, "&Toolbar", nullptr, "Show or hide the toolbar\nToggle ToolBar", true, false},
        {C::ViewStatusBar, "&View", nullptr, "&Status Bar", nullptr, "Show or hide the status bar\nToggle Status Bar", true, false},
        {C::ViewZoom, "&View", nullptr, "&Zoom", nullptr, "Zoom into a rectangle of the current graph\nZoom", false, true},
        {C::ViewRestoreScaling, "&View", nullptr, "&Restore Scaling", "Ctrl+Z", "Restore the automatic scaling of the current graph\nRestore Scaling", false, false},
        {C::ViewCrossHairs, "&View", nullptr, "&Cross Hairs", nullptr, "Show cross hairs at the cursor\nCross Hairs", true, false},
        {C::ViewDoubleBuffer, "&View", nullptr, "&Double Buffer", nullptr, "Draw through an off-screen copy of the page\nDouble Buffer", true, false},
        {C::ViewWysiwyg, "&View", nullptr, "WYSIWYG", nullptr, "Match the window to the shape of the printed page\nWYSIWYG", true, false},
        {C::ViewDefineScaling, "&View", nullptr, "&Define Scaling ...", "Ctrl+D", "Set the axis ranges of the current graph\nDefine Scaling", false, true},
        {C::ViewProperties, "&View", nullptr, "Properties ...", nullptr, "Scale all line thicknesses and font sizes\nProperties", false, false},
        {C::ViewRefresh, "&View", nullptr, "Refresh", "Ctrl+R", "Redraw the page\nRefresh", false, false},

        {C::PageArrange, "&Page", nullptr, "&Arrange ...", nullptr, "Arrange the graphs in rows and columns\nArrange", false, false},
        {C::PageOverlap, "&Page", nullptr, "Overlap ...", nullptr, "Place one graph on top of another\nOverlap", false, false},
        {C::PageSelect, "&Page", nullptr, "&Select ...", nullptr, "Choose the current graph\nSelect Graph", false, false},
        {C::PageColor, "&Page", nullptr, "Color ...", nullptr, "Set the page background colour\nPage Color", false, false},

        {C::GraphTitle, "&Graph", "&Labels", "&Title ...", nullptr, "Edit the title of the current graph\nTitle", false, false},
        {C::GraphXTitle, "&Graph", "&Labels", "&X Axis ...", nullptr, "Edit the x axis title\nX Axis Title", false, false},
        {C::GraphYTitle, "&Graph", "&Labels", "&Y Axis ...", nullptr, "Edit the y axis title\nY Axis Title", false, false},
        {C::GraphUserLabel, "&Graph", "&Labels", "&User Defined", nullptr, "Place a text label on the page\nInsert text", false, false},
        {C::GraphXAxis, "&Graph", "&Axes", "&X Axis ...", nullptr, "Edit the x axis properties\nX Axis", false, false},
        {C::GraphYAxis, "&Graph", "&Axes", "&Y Axis ...", nullptr, "Edit the y axis properties\nY Axis", false, false},
        {C::GraphLegend, "&Graph", nullptr, "&Legend ...", nullptr, "Edit the legend of the current graph\nLegend", false, false},
        {C::GraphReferenceLines, "&Graph", nullptr, "Reference Lines ...", nullptr, "Edit the reference lines of the current graph\nReference Lines", false, false},
        {C::GraphColor, "&Graph", nullptr, "&Color ...", nullptr, "Set the background colour of the current graph\nGraph Color", false, false},
        {C::GraphType, "&Graph", nullptr, "&Graph Type ...", nullptr, "Choose linear or logarithmic axes\nGraph Type", false, false},

        {C::SetsActivate, "&Sets", nullptr, "&Activate Sets ...", nullptr, "Show and use the chosen sets\nActivate Sets", false, false},
        {C::SetsDeactivate, "&Sets", nullptr, "&Deactivate Sets ...", nullptr, "Hide the chosen sets\nDeactivate Sets", false, false},
        {C::SetsDelete, "&Sets", nullptr, "De&lete Sets ...", nullptr, "Delete the chosen sets\nDelete Sets", false, false},
        {C::SetsBringToTop, "&Sets", nullptr, "Bring Set to Top ...", nullptr, "Make a set the first of its graph\nBring Set to Top", false, false},
        {C::SetsSendToBottom, "&Sets", nullptr, "Send Set to Bottom ...", nullptr, "Make a set the last of its graph\nSend Set to Bottom", false, false},
        {C::SetsPlotOptions, "&Sets", nullptr, "&Plot Options ...", nullptr, "Set the symbols and lines of the sets\nPlot Options", false, true},
        {C::SetsErrorBars, "&Sets", nullptr, "&Error Bars ...", nullptr, "Set the error bars of the sets\nError Bars", false, false},
        {C::SetsAnimate, "&Sets", nullptr, "Animate plots ...", "Ctrl+A", "Sequentially view plots in a graph (enable in the Plot Options dialog)\nAnimate plots", false, false},

        {C::DataStatistics, "&Data", nullptr, "&Statistics ...", nullptr, "View statical analysis of selected plots\nStatistics", false, false},
        {C::DataHistogram, "&Data", nullptr, "&Histogram ...", nullptr, "Create a histogram from an existing plot\nHistogram", false, false},
        {C::DataDifferences, "&Data", nullptr, "&Differences ...", nullptr, "Compute a discrete derivative via a finite difference\nDifferences", false, false},
        {C::DataIntegration, "&Data", nullptr, "&Integration ...", nullptr, "Integrate the selected set(s)\nIntegration", false, false},
        {C::DataFunction, "&Data", "Evaluate Function", "&Function ...", "Ctrl+F", "Plot a function y = f(x)\nPlot function", false, false},
        {C::DataParametric, "&Data", "Evaluate Function", "P&arametric ...", nullptr, "Plot a parametric function x(t), y(t)\nParametric", false, false},
        {C::DataPolar, "&Data", "Evaluate Function", "&Polar ...", nullptr, "Plot a polar function r(t)\nPolar", false, false},
        {C::DataNonLinearFit, "&Data", nullptr, "&Non-linear fit ...", nullptr, "Fit a typed equation to a data set\nNon-linear fit", false, false},

        {C::InsertText, nullptr, nullptr, "Insert text", nullptr, "Place a text label on the page\nInsert text", false, false},
        {C::ShiftUp, nullptr, nullptr, "Shift up", nullptr, "Shift the graph view in the positive Y direction\nShift up", false, false},
        {C::ShiftDown, nullptr, nullptr, "Shift down", nullptr, "Shift the graph view in the negative Y direction\nShift down", false, false},
        {C::ShiftRight, nullptr, nullptr, "Shift right", nullptr, "Shift the graph view in the positive X direction\nShift right", false, false},
        {C::ShiftLeft, nullptr, nullptr, "Shift left", nullptr, "Shift the graph view in the negative X direction\nShift left", false, false},

        {C::HelpImportOptions, "&Help", nullptr, "&Import Options ...", nullptr, "List the options of imported text files\nImport Options", false, false},
        {C::HelpCommandLineOptions, "&Help", nullptr, "&Command Line Options ...", nullptr, "List the allowed command line options\nCommand Line Options", false, false},
        {C::HelpAbout, "&Help", nullptr, "&About CorvidPlot...", nullptr, "Display program information, version number and copyright\nAbout", false, true},
    };
    return table;
}

const CommandSpec& FindCommand(CommandId id)
{
    for (const CommandSpec& entry : CommandTable())
        if (entry.id == id)
            return entry;
    assert(false && "every command id has an entry in the command table");
    return CommandTable().front();
}

const std::vector<int>& ToolbarLayout()
{
    static const std::vector<int> layout = {
        int(C::FileNew),   int(C::FileOpen),        int(C::FileSave),  int(C::FilePrint),
        int(C::ViewWysiwyg), int(C::ExportAudio),   kToolbarGap,       int(C::InsertText),
        kToolbarGap,       int(C::DataFunction),    kToolbarGap,       int(C::ViewZoom),
        int(C::ViewRestoreScaling), kToolbarGap,    int(C::ShiftUp),   int(C::ShiftDown),
        int(C::ShiftRight), int(C::ShiftLeft),
    };
    return layout;
}
