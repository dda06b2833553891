#include "analysis/fit_report.h"

#include <cstdio>

const char* const kFitReportCaption = "Curve Fit Results";

namespace {

// Appends the C format of one value; the texts of names and models may be
// long, so the buffer grows to fit.
template <class... Values>
void Append(std::string& text, const char* format, Values... values)
{
    const int size = std::snprintf(nullptr, 0, format, values...);
    if (size <= 0)
        return;
    std::string piece(std::size_t(size) + 1, '\0');
    std::snprintf(piece.data(), piece.size(), format, values...);
    piece.resize(std::size_t(size));
    text += piece;
}

} // namespace

std::string FitReportText(const FitReportInfo& info)
{
    std::string text;
    Append(text, "Performed a %d parameter Levenberg-Marquardt fit.\n\n", int(info.parameters.size()));
    Append(text, "Fitting f(x) = %s\n", info.model.c_str());
    Append(text, "to data set [%d]: %s.\n\n", info.setIndex, info.setName.c_str());
    Append(text, "Iterations required for convergence = %d\n", info.iterations);
    Append(text, "Fit tolerance = %g\n\n", double(info.tolerance));
    Append(text, "Minimized value of chi squared = %g\n\n", double(info.chiSquare));
    for (std::size_t k = 0; k < info.parameters.size(); ++k) {
        const FitParameter& parameter = info.parameters[k];
        const char* name = k < info.names.size() ? info.names[k].c_str() : "";
        if (parameter.atMax)
            Append(text, "** Constrained parameter: %s = max(%s) **\n", name, name);
        if (parameter.atMin)
            Append(text, "** Constrained parameter: %s = min(%s) **\n", name, name);
        const float error = k < info.errors.size() ? info.errors[k] : 0.0f;
        Append(text, "%s = %g +/- %g\n\n", name, double(parameter.value), double(error));
    }
    return text;
}
