#include "tools/batch/equation_commands.h"

#include "equation/equation.h"
#include "equation/eqtext.h"
#include "equation/evalfield.h"
#include "tools/batch/batch_arguments.h"

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

// Reads the NAME=VALUE arguments; values are read as number fields, so
// "x=2*pi" works too.
bool ReadAssignments(const std::vector<std::string>& args, std::size_t first,
                     std::vector<Assignment>& assignments, std::FILE* err)
{
    for (std::size_t i = first; i < args.size(); ++i) {
        const std::string& arg = args[i];
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

// Splits the arguments of eval and deriv: "--simplify" anywhere, then
// `names` leading positional arguments, then NAME=VALUE pairs.
bool ReadArguments(const std::vector<std::string>& args, std::size_t names, BatchArguments& split,
                   std::vector<Assignment>& assignments, std::FILE* err)
{
    split = SplitArguments(args, {{"--simplify", false}});
    if (!split.error.empty()) {
        std::fprintf(err, "%s\n", split.error.c_str());
        return false;
    }
    return split.positional.size() >= names &&
           ReadAssignments(split.positional, names, assignments, err);
}

int FindVariable(Equation& equation, const std::string& name)
{
    for (int i = 0; i < equation.NumVars(); ++i) {
        if (name == equation.GetVarName(i))
            return i;
    }
    return -1;
}

// Gives the named variables their values; a name the equation does not use
// is only worth a warning, as the value is simply not needed.
void SetVariables(Equation& equation, const std::vector<Assignment>& assignments, std::FILE* err)
{
    for (const Assignment& assignment : assignments) {
        const int index = FindVariable(equation, assignment.name);
        if (index < 0) {
            std::fprintf(err, "warning: the equation has no variable '%s'; its value is ignored\n",
                         assignment.name.c_str());
            continue;
        }
        equation.SetVar(index, assignment.value);
    }
}

// Checks that every variable has a value and prints the value.
int EvaluateAndPrint(Equation& equation, std::FILE* out, std::FILE* err)
{
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    for (int i = 0; i < equation.NumVars(); ++i) {
        if (!equation.IsSet(i)) {
            std::fprintf(err, "variable '%s' has no value\n", equation.GetVarName(i));
            return 1;
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
    BatchArguments split;
    std::vector<Assignment> assignments;
    if (!ReadArguments(args, 1, split, assignments, err)) {
        std::fprintf(err, "usage: corvid-batch eval EXPR [--simplify] [NAME=VALUE ...]\n");
        return 2;
    }
    Equation equation(split.positional[0].c_str());
    if (split.Has("--simplify"))
        equation.Simplify();
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    SetVariables(equation, assignments, err);
    return EvaluateAndPrint(equation, out, err);
}

int RunFieldCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    const BatchArguments split = SplitArguments(args, {});
    if (!split.error.empty() || split.positional.size() != 1) {
        std::fprintf(err, "usage: corvid-batch field TEXT\n");
        return 2;
    }
    float value = 0.0f;
    if (!EvalField(split.positional[0].c_str(), value)) {
        std::fprintf(err, "refused\n");
        return 1;
    }
    std::fprintf(out, "%.9g\n", double(value));
    return 0;
}

int RunDerivCommand(const std::vector<std::string>& args, std::FILE* out, std::FILE* err)
{
    BatchArguments split;
    std::vector<Assignment> assignments;
    if (!ReadArguments(args, 2, split, assignments, err)) {
        std::fprintf(err, "usage: corvid-batch deriv EXPR VAR [--simplify] [NAME=VALUE ...]\n");
        return 2;
    }
    Equation equation(split.positional[0].c_str());
    if (equation.m_message) {
        std::fprintf(err, "%s\n", equation.m_message);
        return 1;
    }
    int variable = FindVariable(equation, Lower(split.positional[1]));
    // A name the equation lacks is the index past the table: "Variable not found in Deriv()".
    if (variable < 0)
        variable = equation.NumVars();
    Equation derivative = equation.Deriv(variable);
    if (split.Has("--simplify"))
        derivative.Simplify();
    if (derivative.m_message) {
        std::fprintf(err, "%s\n", derivative.m_message);
        return 1;
    }
    SetVariables(derivative, assignments, err);
    // Without values to evaluate at, the derivative itself is the answer.
    bool allSet = true;
    for (int i = 0; i < derivative.NumVars(); ++i)
        allSet = allSet && derivative.IsSet(i);
    if (allSet)
        return EvaluateAndPrint(derivative, out, err);
    std::string text;
    if (!EquationText(derivative, text)) {
        std::fprintf(err, "the derivative cannot be written as an equation (it holds a number the "
                          "equation language has no way to write, or nests too deeply); give every "
                          "variable a value to evaluate it\n");
        return 1;
    }
    std::fprintf(out, "%s\n", text.c_str());
    return 0;
}
