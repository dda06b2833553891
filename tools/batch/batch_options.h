#pragma once

#include <string>
#include <vector>

/// The options of `corvid-batch render` and `info` that are not part of the
/// program's command line; everything else is passed on to the command-line parser.
struct BatchOptions {
    std::string output;   // -o IMAGE
    int width = 800;      // --size WxH
    int height = 600;
    std::string save;     // --save DOCUMENT
    bool points = false;  // --points
    std::vector<std::string> pageArgs;
    std::string error;    // why the options are wrong, or empty
};

/// Splits `args` (after the subcommand) into batch options and page arguments.
BatchOptions ParseBatchOptions(const std::vector<std::string>& args);
