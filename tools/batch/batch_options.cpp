#include "tools/batch/batch_options.h"

#include <cstdio>

BatchOptions ParseBatchOptions(const std::vector<std::string>& args)
{
    BatchOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "-o" || arg == "--output") {
            if (!hasValue)
                return options.error = arg + " needs a file name", options;
            options.output = args[++i];
        } else if (arg == "--size") {
            if (!hasValue)
                return options.error = "--size needs WIDTHxHEIGHT", options;
            int width = 0, height = 0;
            char end = 0;
            if (std::sscanf(args[++i].c_str(), "%dx%d%c", &width, &height, &end) != 2 ||
                width < 1 || height < 1 || width > 20000 || height > 20000)
                return options.error = "--size needs WIDTHxHEIGHT, each 1 to 20000", options;
            options.width = width;
            options.height = height;
        } else if (arg == "--save") {
            if (!hasValue)
                return options.error = "--save needs a file name", options;
            options.save = args[++i];
        } else if (arg == "--points") {
            options.points = true;
        } else {
            options.pageArgs.push_back(arg);
        }
    }
    return options;
}
