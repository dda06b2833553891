#pragma once

#include <string>

class Messages;

/// Makes a new empty file with a unique name ending in ".wav" in the
/// temporary folder and returns its path; empty when none can be made.
std::string MakeTemporaryWavFile();

/// Plays the WAV file `path` and removes it afterwards, whatever happened:
/// through ALSA, synchronously ("Unable to play the selected data set(s)" on
/// failure), or with `useDefaultApplication` through the desktop's default
/// application for WAV files, waiting until it ends ("Unable to locate
/// default sound application" when there is none, "Unable to execute default
/// sound application" when it does not start).
void PlayAndRemove(const std::string& path, bool useDefaultApplication, Messages& messages);
