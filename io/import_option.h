#pragma once

#include <string>
#include <string_view>

/// Style options and titles read from "#@" lines of imported text. Integer
/// fields are -1 where the line did not give them.
struct ImportOption {
    int m_setIndex = -1;
    int m_pointStyle = -1;
    int m_pointSize = -1;
    int m_lineStyle = -1;
    int m_lineSize = -1;
    int m_lineColor = -1;
    int m_pointColor = -1;
    int m_errorBarDisplay = -1;
    int m_infoGiven = -1;
    std::string m_graphTitle;
    std::string m_xAxisTitle;
    std::string m_yAxisTitle;
    std::string m_infoText;
};

/// Parses the option line `text` (from its "#"). Returns 1 and fills `option`
/// for a set or graph option, 0 for a plain comment (no "@"), or a negative
/// result code whose message `OptionMessage` gives.
int ParseImportOption(std::string_view text, ImportOption& option);

/// The message for a negative parse result, or nullptr.
const char* OptionMessage(int result);
