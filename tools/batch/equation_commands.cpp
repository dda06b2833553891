#include "tools/batch/equation_commands.h"

#include "equation/equation.h"
#include "equation/evalfield.h"

#include <cstring>

namespace {

// Names are lower case in the equation, as its text is normalised.
std::string Lower(std::string name)
{
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z')
            c = char(c - 'A' + 'a');
    }
    return name;
}

struct Assignment {
    std::string name;
    float value;
};

// The options after the expression (and variable): "--simplify" and NAME=VALUE
// pairs whose values are read as number fields, so "x=2*pi" works too.
bool ReadOptions(const std::vector<std::string>& args, std::size_t first, bool& simplify,
                 std::vector<Assignment>& assignments, std::FILE* err)
{
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--simplify") {
            simplify = true;
            continue;
        }
        const std::size_t equals = arg.find('=');
        if (equals == std::string::npos || equals == 0) {
            std::fprintf(err, "unexpected argument '%s'\n", arg.c_str());
            return false;
        }
        Assignment assignment{Lower(arg.substr(0, equals)), 0.0f};
        if (!EvalField(arg.c_str() + equals + 1, assignment.value)) {
            std::fprintf(err, "invalid value in '%s'\n", arg.c_str());
            return false;
        }
        assignments.push_back(assignment);
    }
    return true;
}

int FindVariable(Equation& equation, const std::string& name)
{
    for (int i = 0; i < equation.NumVars(); ++i) {
        if (name == equation.GetVarName(i))
            return i;
    }
    return -1;
}

// Sets the variables, checks that all have values and prints the value.
int EvaluateAndPrint(Equation& equation, const std::vector<Assignment>& assignments,
                     std::FILE* out, std::FILE* err)
{
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    for (const Assignment& assignment : assignments) {
        const int index = FindVariable(equation, assignment.name);
        if (index < 0) {
            std::fprintf(err, "no variable '%s' in the equation\n", assignment.name.c_str());
            return 2;
        }
        equation.SetVar(index, assignment.value);
    }
    for (int i = 0; i < equation.NumVars(); ++i) {
        if (!equation.IsSet(i)) {
            std::fprintf(err, "variable '%s' has no value\n", equation.GetVarName(i));
            return 2;
        }
    }
    const double value = double(equation.Eval());
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    std::fprintf(out, "%.17g\n", value);
    return 0;
}

} // namespace

int RunEvalCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    bool simplify = false;
    std::vector<Assignment> assignments;
    if (args.empty() || !ReadOptions(args, 1, simplify, assignments, err)) {
        std::fprintf(err, "usage: corvid-batch eval EXPR [--simplify] [NAME=VALUE ...]\n");
        return 2;
    }
    Equation equation(args[0].c_str());
    if (simplify)
        equation.Simplify();
    return EvaluateAndPrint(equation, assignments, out, err);
}

int RunFieldCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    if (args.size() != 1) {
        std::fprintf(err, "usage: corvid-batch field TEXT\n");
        return 2;
    }
    float value = 0.0f;
    if (!EvalField(args[0].c_str(), value)) {
        std::fprintf(err, "refused\n");
        return 1;
    }
    std::fprintf(out, "%.9g\n", double(value));
    return 0;
}

int RunDerivCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    bool simplify = false;
    std::vector<Assignment> assignments;
    if (args.size() < 2 || !ReadOptions(args, 2, simplify, assignments, err)) {
        std::fprintf(err, "usage: corvid-batch deriv EXPR VAR [--simplify] [NAME=VALUE ...]\n");
        return 2;
    }
    Equation equation(args[0].c_str());
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    int variable = FindVariable(equation, Lower(args[1]));
    // A name the equation lacks is the index past the table: "Variable not found in Deriv()".
    if (variable < 0)
        variable = equation.NumVars();
    Equation derivative = equation.Deriv(variable);
    if (simplify)
        derivative.Simplify();
    return EvaluateAndPrint(derivative, assignments, out, err);
}
