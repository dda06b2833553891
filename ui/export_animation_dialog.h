#pragma once

#include "io/movie_settings.h"

#include <QDialog>
#include <QString>

#include <functional>

class CTarnDoc;
class Messages;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

/// The modal "Export Animation" dialog: records the current graph's sets,
/// one frame each, into an AVI movie. "Record" checks the fields, lets the
/// user choose the compression, and records with the wait cursor and one
/// progress step per frame; it closes the dialog when the movie is made or a
/// recording error was shown, and leaves it open after a field was refused
/// or the compression choice was cancelled. While it records, "Cancel" (or
/// closing the dialog) stops the recording after the current frame: the
/// frames recorded so far make a playable movie and the dialog closes.
class CExportAnimationDialog : public QDialog, private MovieProgress {
    Q_OBJECT
public:
    /// Starts with the frame size `pageWidth` x `pageHeight` (the view's page).
    CExportAnimationDialog(CTarnDoc& doc, int pageWidth, int pageHeight, Messages& messages,
                           QWidget* parent = nullptr);

    /// Reads the fields as "Record" does; false, after saying why, for a
    /// field that holds no integer.
    bool TakeSettings(MovieSettings& settings);
    /// "Record".
    void OnRecord();
    /// "Browse ...": the save dialog's choice goes into the file name field.
    void OnBrowse();

    /// Replaces the save dialog, for tests: returns the chosen path or empty.
    void SetFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }
    /// Replaces the "Compression Options" chooser, for tests: false cancels.
    void SetCompressionChooser(std::function<bool(MovieSettings&)> chooser) { m_chooseCompression = std::move(chooser); }

    QLineEdit* FileNameField() const { return m_fileName; }
    QLineEdit* WidthField() const { return m_width; }
    QLineEdit* HeightField() const { return m_height; }
    QLineEdit* FrameRateField() const { return m_frameRate; }
    QLineEdit* StartField() const { return m_start; }
    QLineEdit* StopField() const { return m_stop; }
    QRadioButton* RenderAllButton() const { return m_renderAll; }
    QRadioButton* RenderSelectedButton() const { return m_renderSelected; }
    QProgressBar* Progress() const { return m_progress; }
    QPushButton* BrowseButton() const { return m_browse; }
    QPushButton* RecordButton() const { return m_record; }
    QPushButton* CancelButton() const { return m_cancel; }

public slots:
    void reject() override;

private:
    // MovieProgress
    void SetSteps(int count) override;
    void Step() override;
    void Busy(bool on) override;
    bool ChooseCompression(MovieSettings& settings) override;
    bool StopRequested() override;

    void OnRangeChoice();

    CTarnDoc& m_doc;
    Messages& m_messages;
    QLineEdit* m_fileName;
    QLineEdit* m_width;
    QLineEdit* m_height;
    QLineEdit* m_frameRate;
    QLineEdit* m_start;
    QLineEdit* m_stop;
    QRadioButton* m_renderAll;
    QRadioButton* m_renderSelected;
    QProgressBar* m_progress;
    QPushButton* m_browse;
    QPushButton* m_record;
    QPushButton* m_cancel;
    std::function<QString()> m_chooseFile;
    std::function<bool(MovieSettings&)> m_chooseCompression;
    bool m_busy = false;
    bool m_recording = false;
    bool m_stopRequested = false;
};
