#pragma once

#include <string>
#include <vector>

/// animate: builds the page from the program's command line, turns the
/// current graph's animation mode on (as the Plot Options check box does)
/// and records its sets, one frame each, as an AVI movie (-o OUT.avi), with
/// the Export Animation dialog's checks and messages. --from A --to B record
/// sets A to B (all sets when neither is given), --fps N (15), --size WxH
/// (800x600, the size of render's images), --codec none|mjpeg (none) and
/// --quality Q (1 to 100, Motion JPEG only; 85). Returns 0 when the movie was
/// made, 1 when a step failed, 2 for a usage error.
int RunAnimateCommand(const std::vector<std::string>& args);
