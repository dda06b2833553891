#include "tools/batch/page_options.h"

#include "document/tarn_doc.h"
#include "equation/evalfield.h"
#include "model/drawing_settings.h"
#include "tools/batch/annotation_options.h"
#include "tools/batch/axis_options.h"
#include "tools/batch/batch_usage.h"
#include "tools/batch/style_options.h"

#include <cstdlib>

std::vector<OptionSpec> WithPageOptions(std::vector<OptionSpec> options)
{
    options.insert(options.end(), {{"--x-axis", true}, {"--y-axis", true}, {"--line-scaling", true},
                                   {"--font-scaling", true}});
    options.insert(options.end(), kAnnotationOptions.begin(), kAnnotationOptions.end());
    return WithStyleOptions(options);
}

// --line-scaling N and --font-scaling F set the page's display scaling as the
// Properties command does (lines N times as wide, fonts F times as high).
static bool ApplyScalingOptions(CTarnDoc& doc, const BatchArguments& split, const char* command,
                                Messages& messages, int& exitCode)
{
    int lines = lineScaling;
    float fonts = fontScaling;
    if (split.Has("--line-scaling")) {
        const std::string text = split.Value("--line-scaling");
        char* end = nullptr;
        const long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || value < 1 || value > 50)
            return UsageError(command, "--line-scaling needs a whole number from 1 to 50", exitCode);
        lines = int(value);
    }
    if (split.Has("--font-scaling")) {
        const std::string text = split.Value("--font-scaling");
        float value = 0.0f;
        if (!EvalField(text.c_str(), value) || !(value > 0.0f) || value > 50.0f)
            return UsageError(command, "--font-scaling needs a number above 0 and at most 50", exitCode);
        fonts = value;
    }
    doc.ApplyDisplaySettings(lines, fonts, messages);
    return true;
}

bool ApplyPageOptions(CTarnDoc& doc, const BatchArguments& split, const char* command, Messages& messages,
                      bool& ok, int& exitCode)
{
    return ApplyAxisOptions(doc, split, command, messages, ok, exitCode) &&
           ApplyAnnotationOptions(doc, split, command, messages, ok, exitCode) &&
           ApplyStyleOptions(doc, split, command, messages, ok, exitCode) &&
           ApplyScalingOptions(doc, split, command, messages, exitCode);
}
