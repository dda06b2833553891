#include "ui/export_animation_dialog.h"

#include "document/tarn_doc.h"
#include "io/movie_recorder.h"
#include "model/messages.h"
#include "platform/page_frame_renderer.h"
#include "render/graph.h"
#include "ui/compression_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CExportAnimationDialog::CExportAnimationDialog(CTarnDoc& doc, int pageWidth, int pageHeight, Messages& messages,
                                               QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Export Animation");
    m_fileName = new QLineEdit;
    m_browse = new QPushButton("Browse ...");
    m_width = new QLineEdit(QString::number(pageWidth));
    m_height = new QLineEdit(QString::number(pageHeight));
    m_frameRate = new QLineEdit("15");
    m_renderAll = new QRadioButton("Render All");
    m_renderSelected = new QRadioButton("Render Selected");
    m_renderAll->setChecked(true);
    m_start = new QLineEdit("0");
    m_stop = new QLineEdit(QString::number(doc.CurrentGraph().m_plots.Count() - 1));
    m_progress = new QProgressBar;
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);
    m_record = new QPushButton("Record");
    m_cancel = new QPushButton("Cancel");
    m_record->setDefault(true);

    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel("Output file name:"));
    file->addWidget(m_fileName, 1);
    file->addWidget(m_browse);
    auto* frame = new QGridLayout;
    frame->addWidget(new QLabel("Width:"), 0, 0);
    frame->addWidget(m_width, 0, 1);
    frame->addWidget(new QLabel("Height:"), 1, 0);
    frame->addWidget(m_height, 1, 1);
    frame->addWidget(new QLabel("Frame Rate:"), 2, 0);
    frame->addWidget(m_frameRate, 2, 1);
    auto* range = new QGridLayout;
    range->addWidget(m_renderAll, 0, 0, 1, 2);
    range->addWidget(m_renderSelected, 1, 0, 1, 2);
    range->addWidget(new QLabel("Start:"), 2, 0);
    range->addWidget(m_start, 2, 1);
    range->addWidget(new QLabel("Stop:"), 3, 0);
    range->addWidget(m_stop, 3, 1);
    auto* fields = new QHBoxLayout;
    fields->addLayout(frame);
    fields->addLayout(range);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_record);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addLayout(fields);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    OnRangeChoice();
    connect(m_renderAll, &QRadioButton::toggled, this, &CExportAnimationDialog::OnRangeChoice);
    connect(m_browse, &QPushButton::clicked, this, &CExportAnimationDialog::OnBrowse);
    connect(m_record, &QPushButton::clicked, this, &CExportAnimationDialog::OnRecord);
    connect(m_cancel, &QPushButton::clicked, this, &CExportAnimationDialog::reject);
    m_chooseFile = [this] {
        return QFileDialog::getSaveFileName(this, "Specify AVI file to create", QDir::currentPath(),
                                            "AVI files (*.avi)");
    };
    m_chooseCompression = [this](MovieSettings& settings) {
        CCompressionDialog chooser(settings, this);
        if (chooser.exec() != QDialog::Accepted)
            return false;
        chooser.ApplyTo(settings);
        return true;
    };
}

void CExportAnimationDialog::OnRangeChoice()
{
    const bool selected = m_renderSelected->isChecked();
    m_start->setEnabled(selected);
    m_stop->setEnabled(selected);
}

void CExportAnimationDialog::OnBrowse()
{
    const QString path = m_chooseFile();
    if (!path.isEmpty())
        m_fileName->setText(path);
}

bool CExportAnimationDialog::TakeSettings(MovieSettings& settings)
{
    const std::pair<QLineEdit*, int*> numbers[] = {{m_width, &settings.width},
                                                   {m_height, &settings.height},
                                                   {m_frameRate, &settings.framesPerSecond},
                                                   {m_start, &settings.start},
                                                   {m_stop, &settings.stop}};
    for (auto [field, value] : numbers) {
        std::string message;
        if (!ReadIntegerField(field->text().toStdString(), *value, message)) {
            m_messages.Show(message);
            field->setFocus();
            field->selectAll();
            return false;
        }
    }
    settings.fileName = m_fileName->text().toStdString();
    settings.renderAll = m_renderAll->isChecked();
    return true;
}

void CExportAnimationDialog::OnRecord()
{
    MovieSettings settings;
    if (!TakeSettings(settings) || !CheckMovieSettings(m_doc.CurrentGraph(), settings, m_messages, *this))
        return;
    PageFrameRenderer renderer;
    m_recording = true;
    m_stopRequested = false;
    m_record->setEnabled(false);
    const MovieResult result = RecordMovie(m_doc, settings, renderer, *this, m_messages);
    m_recording = false;
    m_record->setEnabled(true);
    switch (result) {
    case MovieResult::Recorded: accept(); break;
    case MovieResult::Failed:
    case MovieResult::Stopped: reject(); break;
    case MovieResult::Cancelled: break;
    }
}

void CExportAnimationDialog::SetSteps(int count)
{
    m_progress->setRange(0, count);
    m_progress->setValue(0);
}

void CExportAnimationDialog::Step()
{
    m_progress->setValue(m_progress->value() + 1);
    // Frames are drawn on this thread: between two of them the dialog takes
    // its events, so the bar is seen to move and "Cancel" can be pressed.
    QApplication::processEvents();
}

bool CExportAnimationDialog::StopRequested()
{
    return m_stopRequested;
}

void CExportAnimationDialog::reject()
{
    // While recording, Cancel (or closing) stops the movie after this frame;
    // the dialog closes when the recording has ended.
    if (m_recording) {
        m_stopRequested = true;
        return;
    }
    QDialog::reject();
}

void CExportAnimationDialog::Busy(bool on)
{
    if (on == m_busy)
        return;
    m_busy = on;
    if (on)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

bool CExportAnimationDialog::ChooseCompression(MovieSettings& settings)
{
    // The chooser is answered with the ordinary cursor.
    const bool wasBusy = m_busy;
    Busy(false);
    const bool chosen = m_chooseCompression(settings);
    Busy(wasBusy);
    return chosen;
}
