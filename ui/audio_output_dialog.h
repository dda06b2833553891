#pragma once

#include "document/set_control.h"

#include <QDialog>
#include <QString>

#include <functional>

class CTarnDoc;
class Messages;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
struct AudioRequest;

/// The "Audio Output" dialog: turns one set (mono) or two sets (stereo) of
/// the current graph into 16-bit PCM sound, played at once ("Play", the
/// dialog stays open) or saved as a WAV file ("Save ...", the dialog closes
/// on success). Choosing a set in either list sets the duration to its x span.
class CAudioOutputDialog : public QDialog {
    Q_OBJECT
public:
    CAudioOutputDialog(CTarnDoc& doc, Messages& messages, QWidget* parent = nullptr);

    /// Reads the fields and runs the checks shared by Play and Save; false,
    /// after saying why (or after No to the large-file question), means stop.
    bool TakeRequest(AudioRequest& request);
    /// "Play": writes the sound to a temporary file and plays it.
    void OnPlay();
    /// "Save ...": asks for the file, writes it and closes the dialog.
    void OnSave();

    /// Replaces the save dialog, for tests: returns the chosen path or empty.
    void SetFileChooser(std::function<QString()> chooser) { m_chooseFile = std::move(chooser); }

    QListWidget* LeftList() const { return m_leftList; }
    QListWidget* RightList() const { return m_rightList; }
    QLabel* LeftCaption() const { return m_leftCaption; }
    QLabel* RightCaption() const { return m_rightCaption; }
    QComboBox* ChannelChoice() const { return m_channels; }
    QComboBox* RateChoice() const { return m_rate; }
    QLineEdit* DurationField() const { return m_duration; }
    QLineEdit* VolumeField() const { return m_volume; }
    QCheckBox* DefaultApplication() const { return m_defaultApplication; }
    QPushButton* PlayButton() const { return m_play; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* CloseButton() const { return m_close; }

private:
    void OnChannelsChanged();
    void OnSelectionChanged(QListWidget* list, PlotListFiller& filler);
    void ShowDuration(int set);
    bool WriteSound(const AudioRequest& request, const std::string& path);

    CTarnDoc& m_doc;
    Messages& m_messages;
    PlotListFiller m_leftFiller;
    PlotListFiller m_rightFiller;
    QListWidget* m_leftList;
    QListWidget* m_rightList;
    QLabel* m_leftCaption;
    QLabel* m_rightCaption;
    QComboBox* m_channels;
    QComboBox* m_rate;
    QLineEdit* m_duration;
    QLineEdit* m_volume;
    QCheckBox* m_defaultApplication;
    QPushButton* m_play;
    QPushButton* m_save;
    QPushButton* m_close;
    std::function<QString()> m_chooseFile;
};
