#pragma once

/// Symbol codes of a data set (`m_pointStyle`).
enum PointStyle : int {
    kCircle = 0,
    kSquare = 1,
    kTriangle = 2,
    kDot = 3,
    kHistogramX = 4,
    kHistogramY = 5,
    kVector = 6,
    kNoSymbol = 7,
};

/// Line style codes (`m_lineStyle`, `m_errorBarLineStyle`).
enum LineStyle : int {
    kSolid = 0,
    kDotted = 1,
    kDashed = 2,
    kDashDot = 3,
    kDashDotDot = 4,
    kNoLine = 5,
};

/// Error-bar display codes: x bars left, right, both, none; y bars top, bottom, both, none.
enum ErrorBarDisplay : int {
    kErrorBarFirst = 0,
    kErrorBarSecond = 1,
    kErrorBarBoth = 2,
    kErrorBarNone = 3,
};

/// Names of the codes as the dialogs show them and as the import header spells them.
extern const char* const kPointStyleNames[8];
extern const char* const kPointStyleKeywords[8];
extern const char* const kLineStyleNames[6];
extern const char* const kLineStyleKeywords[6];
/// "Black" .. "None", then "Custom" (the combo item after "None").
extern const char* const kColorNames[9];
extern const char* const kColorKeywords[8];
extern const char* const kXErrorBarNames[4];
extern const char* const kYErrorBarNames[4];
