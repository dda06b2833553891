#pragma once

#include <string>
#include <vector>

/// The fields of a desktop entry that starting it needs.
struct DesktopEntry {
    std::string path; ///< the .desktop file
    std::string exec; ///< its Exec line, with the entry's string escapes resolved
    std::string name;
    std::string icon;
};

/// Reads the [Desktop Entry] group of the desktop file `path`. False when the
/// file cannot be read or has no Exec key.
bool ReadDesktopEntry(const std::string& path, DesktopEntry& entry);

/// The program and arguments that open `file` with `entry`: its Exec line
/// split as desktop entries quote it, with the field codes filled in (%f %F
/// the file, %u %U its file URL, %c the name, %k the entry's path, %i
/// "--icon" and the icon, %% a percent sign; the others are dropped). When the
/// line has no code for a file, the file is added as the last argument.
std::vector<std::string> ExpandDesktopExec(const DesktopEntry& entry, const std::string& file);

/// The desktop entry that the desktop opens WAV files with: `xdg-mime query
/// default` for audio/x-wav (then audio/wav), looked up in the applications
/// folders of XDG_DATA_HOME and XDG_DATA_DIRS. False when there is none.
bool FindDefaultSoundApplication(DesktopEntry& entry);

/// How starting the default sound application went.
enum class LaunchResult { Finished, NotFound, NotStarted };

/// Opens `file` with the default sound application and waits until that
/// program has ended.
LaunchResult RunDefaultSoundApplication(const std::string& file);
