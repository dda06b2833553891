#include "ui/audio_output_dialog.h"

#include "document/tarn_doc.h"
#include "io/audio_channel.h"
#include "io/audio_output.h"
#include "model/error.h"
#include "model/messages.h"
#include "platform/sound_playback.h"
#include "render/graph.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <cfloat>
#include <cstdio>

static QListWidget* MakeList(const std::vector<std::string>& entries)
{
    auto* list = new QListWidget;
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    for (const std::string& entry : entries)
        list->addItem(QString::fromStdString(entry));
    if (list->count() > 0)
        list->setCurrentRow(0);
    return list;
}

CAudioOutputDialog::CAudioOutputDialog(CTarnDoc& doc, Messages& messages, QWidget* parent)
    : QDialog(parent), m_doc(doc), m_messages(messages)
{
    setWindowTitle("Audio Output");
    m_leftList = MakeList(m_leftFiller.Fill(doc, messages));
    m_rightList = MakeList(m_rightFiller.Fill(doc, messages));
    m_leftCaption = new QLabel;
    m_rightCaption = new QLabel;
    m_channels = new QComboBox;
    m_channels->addItems({"Mono", "Stereo"});
    m_rate = new QComboBox;
    for (const char* name : kAudioRateNames)
        m_rate->addItem(name);
    m_duration = new QLineEdit;
    m_volume = new QLineEdit("100");
    m_defaultApplication = new QCheckBox("Use default system sound application to play audio");
    m_defaultApplication->setChecked(true);
    m_play = new QPushButton("Play");
    m_save = new QPushButton("Save ...");
    m_close = new QPushButton("Close");
    m_play->setDefault(true);

    auto* lists = new QGridLayout;
    lists->addWidget(m_leftCaption, 0, 0);
    lists->addWidget(m_rightCaption, 0, 1);
    lists->addWidget(m_leftList, 1, 0);
    lists->addWidget(m_rightList, 1, 1);
    auto* sentence = new QHBoxLayout;
    sentence->addWidget(new QLabel("Create "));
    sentence->addWidget(m_channels);
    sentence->addWidget(new QLabel(" output at "));
    sentence->addWidget(m_rate);
    sentence->addStretch();
    auto* amounts = new QHBoxLayout;
    amounts->addWidget(new QLabel("with a duration of "));
    amounts->addWidget(m_duration);
    amounts->addWidget(new QLabel("sec and volume at"));
    amounts->addWidget(m_volume);
    amounts->addWidget(new QLabel("% of max"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_play);
    buttons->addWidget(m_save);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addLayout(sentence);
    layout->addLayout(amounts);
    layout->addWidget(m_defaultApplication);
    layout->addLayout(buttons);

    ShowDuration(m_leftFiller.LastSelected());
    OnChannelsChanged();
    connect(m_channels, &QComboBox::currentIndexChanged, this, &CAudioOutputDialog::OnChannelsChanged);
    connect(m_leftList, &QListWidget::itemSelectionChanged, this,
            [this] { OnSelectionChanged(m_leftList, m_leftFiller); });
    connect(m_rightList, &QListWidget::itemSelectionChanged, this,
            [this] { OnSelectionChanged(m_rightList, m_rightFiller); });
    connect(m_play, &QPushButton::clicked, this, &CAudioOutputDialog::OnPlay);
    connect(m_save, &QPushButton::clicked, this, &CAudioOutputDialog::OnSave);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    m_chooseFile = [this] {
        return QFileDialog::getSaveFileName(this, "Specify WAV file to create", QDir::currentPath(),
                                            "WAVE files (*.wav)");
    };
}

void CAudioOutputDialog::ShowDuration(int set)
{
    const Graph& graph = m_doc.CurrentGraph();
    const float span = set >= 0 && set < graph.m_plots.Count() ? XSpan(graph.m_plots.Get(set)) : 1.0f;
    char text[64];
    std::snprintf(text, sizeof text, "%.*g", FLT_DIG, double(span));
    m_duration->setText(text);
}

void CAudioOutputDialog::OnChannelsChanged()
{
    const bool stereo = m_channels->currentIndex() == 1;
    m_leftCaption->setText(stereo ? "Left Channel" : "Mono");
    m_rightCaption->setText(stereo ? "Right Channel" : "");
    m_rightList->setEnabled(stereo);
}

void CAudioOutputDialog::OnSelectionChanged(QListWidget* list, PlotListFiller& filler)
{
    std::vector<int> rows;
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->isSelected())
            rows.push_back(row);
    filler.UpdateSelection(m_doc, rows);
    if (!rows.empty())
        ShowDuration(filler.LastSelected());
}

bool CAudioOutputDialog::TakeRequest(AudioRequest& request)
{
    std::string message;
    if (!ReadDurationField(m_duration->text().toStdString(), request.duration, message)) {
        m_messages.Show(message);
        m_duration->setFocus();
        m_duration->selectAll();
        return false;
    }
    if (!ReadVolumeField(m_volume->text().toStdString(), request.volume, message)) {
        m_messages.Show(message);
        m_volume->setFocus();
        m_volume->selectAll();
        return false;
    }
    request.stereo = m_channels->currentIndex() == 1;
    request.rate = kAudioRates[std::max(0, m_rate->currentIndex())];
    request.leftSet = m_leftFiller.LastSelected();
    request.rightSet = m_rightFiller.LastSelected();
    return CheckAudioRequest(m_doc.CurrentGraph(), request, m_messages);
}

bool CAudioOutputDialog::WriteSound(const AudioRequest& request, const std::string& path)
{
    try {
        WriteAudioFile(m_doc.CurrentGraph(), request, path);
        return true;
    } catch (const Error& error) {
        m_messages.Show(error.Text());
        return false;
    }
}

void CAudioOutputDialog::OnPlay()
{
    AudioRequest request;
    if (!TakeRequest(request))
        return;
    const std::string path = MakeTemporaryWavFile();
    if (path.empty()) {
        m_messages.Show("Unable to open file");
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (WriteSound(request, path))
        PlayAndRemove(path, m_defaultApplication->isChecked(), m_messages);
    else
        std::remove(path.c_str());
    QApplication::restoreOverrideCursor();
}

void CAudioOutputDialog::OnSave()
{
    AudioRequest request;
    if (!TakeRequest(request))
        return;
    const QString path = m_chooseFile();
    if (path.isEmpty())
        return;
    if (WriteSound(request, path.toStdString()))
        accept();
}
