#pragma once

// A NIST StRD nonlinear regression problem read from its published file:
// the model in the equation language, both starting points, the certified
// parameters and deviations, and the data.

#include "model/plot.h"

#include <cmath>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

struct NistProblem {
    std::string model;
    std::vector<std::string> names;
    std::vector<std::string> starts[2];
    std::vector<double> certified;
    std::vector<double> deviations;
    double residualSumOfSquares = 0.0;
    std::vector<PlotPoint> points;

    static NistProblem Read(const std::string& path)
    {
        NistProblem problem;
        std::ifstream in(path);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        const std::regex modelStart(R"(^\s*y\s*=\s*)");
        const std::regex modelEnd(R"(\+\s*e\s*$)");
        const std::regex parameter(R"(^\s*(b\d+)\s*=\s*(\S+)\s+(\S+)\s+(\S+)\s+(\S+))");
        const std::regex residual(R"(^Residual Sum of Squares:\s*(\S+))");
        std::size_t header = 0;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            std::smatch match;
            if (problem.model.empty() && std::regex_search(lines[i], modelStart)) {
                std::string text = lines[i];
                for (std::size_t j = i + 1; !std::regex_search(text, modelEnd) && j < lines.size(); ++j)
                    text += " " + lines[j];
                text = std::regex_replace(std::regex_replace(text, modelStart, ""), modelEnd, "");
                for (char& c : text)
                    c = c == '[' ? '(' : c == ']' ? ')' : c;
                problem.model = std::regex_replace(text, std::regex(R"(\*\*)"), "^");
            } else if (std::regex_search(lines[i], match, parameter)) {
                problem.names.push_back(match[1]);
                problem.starts[0].push_back(match[2]);
                problem.starts[1].push_back(match[3]);
                problem.certified.push_back(std::stod(match[4]));
                problem.deviations.push_back(std::stod(match[5]));
            } else if (std::regex_search(lines[i], match, residual)) {
                problem.residualSumOfSquares = std::stod(match[1]);
            }
            if (lines[i].find("Data:") != std::string::npos && lines[i].find_first_not_of(' ') == lines[i].find("Data:"))
                header = i;
        }
        std::istringstream columns(lines[header].substr(lines[header].find(':') + 1));
        std::string first;
        columns >> first;
        const bool yFirst = first == "y";
        for (std::size_t i = header + 1; i < lines.size(); ++i) {
            std::istringstream fields(lines[i]);
            double a = 0, b = 0;
            if (fields >> a >> b)
                problem.points.push_back(yFirst ? PlotPoint{float(b), float(a)} : PlotPoint{float(a), float(b)});
        }
        return problem;
    }

    /// -log10 of the relative error of `estimate`, at most 11.
    static double Digits(double estimate, double certified)
    {
        if (estimate == certified)
            return 11.0;
        const double digits = -std::log10(std::fabs(estimate - certified) / std::fabs(certified));
        return std::isfinite(digits) ? std::min(11.0, digits) : 0.0;
    }
};
