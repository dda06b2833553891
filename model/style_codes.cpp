#include "model/style_codes.h"

const char* const kPointStyleNames[8] = {"Circle",      "Square",      "Triangle", "Dot",
                                         "Histogram X", "Histogram Y", "Vector",   "None"};
const char* const kPointStyleKeywords[8] = {"circle",     "square",     "triangle", "dot",
                                            "histogramx", "histogramy", "vector",   "none"};
const char* const kLineStyleNames[6] = {"Solid",    "Dotted",       "Dashed",
                                        "Dash-Dot", "Dash-Dot-Dot", "None"};
const char* const kLineStyleKeywords[6] = {"solid",   "dotted",     "dashed",
                                           "dashdot", "dashdotdot", "none"};
const char* const kColorNames[9] = {"Black", "White", "Red",  "Green", "Blue",
                                    "Cyan",  "Grey",  "None", "Custom"};
const char* const kColorKeywords[8] = {"black", "white", "red",  "green",
                                       "blue",  "cyan",  "grey", "none"};
const char* const kXErrorBarNames[4] = {"Left", "Right", "Both", "None"};
const char* const kYErrorBarNames[4] = {"Top", "Bottom", "Both", "None"};
