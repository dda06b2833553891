#include "platform/sound_playback.h"

#include "model/messages.h"
#include "platform/alsa_playback.h"
#include "platform/default_sound_application.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

std::string MakeTemporaryWavFile()
{
    std::string name = (QDir::tempPath() + "/corvid-sound-XXXXXX.wav").toStdString();
    const int file = ::mkstemps(name.data(), 4);
    if (file < 0)
        return {};
    ::close(file);
    return name;
}

void PlayAndRemove(const std::string& path, bool useDefaultApplication, Messages& messages)
{
    if (!useDefaultApplication) {
        if (!PlayWavFile(path))
            messages.Show("Unable to play the selected data set(s)");
    } else {
        switch (RunDefaultSoundApplication(path)) {
        case LaunchResult::NotFound: messages.Show("Unable to locate default sound application"); break;
        case LaunchResult::NotStarted: messages.Show("Unable to execute default sound application"); break;
        case LaunchResult::Finished: break;
        }
    }
    std::remove(path.c_str());
}
