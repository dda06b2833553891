#pragma once

#include <string>
#include <vector>

/// audio: builds the page from the program's command line and writes one set
/// (--sets N, mono) or two (--sets L,R, stereo) of the current graph as a
/// 16-bit PCM WAV file (-o OUT.wav), with the Audio Output dialog's checks
/// and messages (its large-file question is answered Yes). --rate is one of
/// 8000, 11025, 22050, 44100 (8000 when not given), --duration in seconds
/// (the left set's x span when not given), --volume 1 to 100 (100). Returns
/// 0 when the file was written, 1 when a step failed, 2 for a usage error.
int RunAudioCommand(const std::vector<std::string>& args);
