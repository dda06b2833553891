#pragma once

#include <string>

/// Whether the default ALSA playback device can be opened now (a machine
/// without a sound card has none). Opens it without waiting and closes it.
bool SoundDeviceAvailable();

/// Plays the 16-bit PCM WAV file `path` (mono or stereo, any rate) on the
/// default ALSA device and returns when the sound has ended. A device that is
/// busy is not waited for. False, with the reason in `reason` when given, when
/// there is no device, the file is no such WAV file, or playing fails.
bool PlayWavFile(const std::string& path, std::string* reason = nullptr);
