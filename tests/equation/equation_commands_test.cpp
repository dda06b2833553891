#include "tools/batch/equation_commands.h"
#include "tests/support/read_back.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandRun RunCommand(int (*command)(const std::vector<std::string>&, std::FILE*, std::FILE*),
               std::vector<std::string> args)
{
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int code = command(args, out, err);
    CommandRun run{code, ReadAll(out), ReadAll(err)};
    std::fclose(out);
    std::fclose(err);
    return run;
}

TEST(EquationCommands, PrintValuesMessagesAndUsage)
{
    struct Row {
        const char* what;
        int (*command)(const std::vector<std::string>&, std::FILE*, std::FILE*);
        std::vector<std::string> args;
        int code;
        const char* out;
        const char* err;  // a prefix of the error text
    };
    const Row rows[] = {
        {"eval constant", RunEvalCommand, {"2*pi"}, 0, "6.2831853071800001\n", ""},
        {"eval message", RunEvalCommand, {"sqrt(x)+log(x)", "x=-1"}, 1, "", "Unary log of <= 0\n"},
        {"eval variables", RunEvalCommand, {"a*X+b", "x=2", "A=3", "b=0.5"}, 0, "6.5\n", ""},
        {"eval value as field", RunEvalCommand, {"x", "x=1/4"}, 0, "0.25\n", ""},
        {"eval simplify", RunEvalCommand, {"0*log(x)+1", "--simplify", "x=0"}, 0, "1\n", ""},
        {"eval parse failure", RunEvalCommand, {"x+"}, 1, "", "Dangling expression\n"},
        {"eval unset", RunEvalCommand, {"a+b", "a=1"}, 1, "", "variable 'b' has no value"},
        {"eval unused name", RunEvalCommand, {"a", "a=2", "q=1"}, 0, "2\n",
         "warning: the equation has no variable 'q'; its value is ignored\n"},
        {"eval option first", RunEvalCommand, {"--simplify", "x-(y-x)", "x=3", "y=1"}, 0, "5\n", ""},
        {"eval option between", RunEvalCommand, {"x-(y-x)", "x=3", "--simplify", "y=1"}, 0, "5\n", ""},
        {"eval negative expression", RunEvalCommand, {"-x^2", "x=3"}, 0, "-9\n", ""},
        {"eval after --", RunEvalCommand, {"--", "--x", "x=3"}, 0, "3\n", ""},
        {"eval unknown option", RunEvalCommand, {"x", "--frobnicate", "x=1"}, 2, "",
         "unknown option '--frobnicate'"},
        {"eval bad value", RunEvalCommand, {"a", "a=zz"}, 2, "", "invalid value"},
        {"eval no args", RunEvalCommand, {}, 2, "", "usage: corvid-batch eval"},
        {"field exponent", RunFieldCommand, {"1e-3"}, 0, "0.00100000005\n", ""},
        {"field expression", RunFieldCommand, {"2*pi"}, 0, "6.28318548\n", ""},
        {"field refused", RunFieldCommand, {"x"}, 1, "", "refused\n"},
        {"field double sign", RunFieldCommand, {"--3"}, 0, "3\n", ""},
        {"field negative", RunFieldCommand, {"-2.5E+4"}, 0, "-25000\n", ""},
        {"field usage", RunFieldCommand, {"1", "2"}, 2, "", "usage: corvid-batch field"},
        {"deriv", RunDerivCommand, {"x^3", "x", "x=2"}, 0, "12\n", ""},
        {"deriv unsimplified", RunDerivCommand, {"x^2", "x", "x=-1"}, 1, "", "Unary log of <= 0\n"},
        {"deriv simplified", RunDerivCommand, {"x^2", "x", "--simplify", "x=-1"}, 0, "-2\n", ""},
        {"deriv option first", RunDerivCommand, {"--simplify", "x^2", "x", "x=-1"}, 0, "-2\n", ""},
        {"deriv abs", RunDerivCommand, {"abs(x)", "x", "x=1"}, 1, "",
         "Derivative of abs() not implemented!\n"},
        {"deriv unknown", RunDerivCommand, {"x^2", "t", "x=1"}, 1, "",
         "Variable not found in Deriv()\n"},
        {"deriv usage", RunDerivCommand, {"x^2"}, 2, "", "usage: corvid-batch deriv"},
        {"deriv as text", RunDerivCommand, {"x^3", "x", "--simplify"}, 0, "x^3*(3/x)\n", ""},
        {"deriv as text, unsimplified", RunDerivCommand, {"2*x", "x"}, 0, "0*x+2*1\n", ""},
        {"deriv as text, value for another name", RunDerivCommand, {"a*x", "x", "a=2", "--simplify"}, 0,
         "a\n", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const CommandRun run = RunCommand(row.command, row.args);
        EXPECT_EQ(run.code, row.code);
        EXPECT_EQ(run.out, row.out);
        EXPECT_EQ(run.err.substr(0, std::string(row.err).size()), row.err);
        if (!*row.err) {
            EXPECT_EQ(run.err, "");
        }
    }
}

} // namespace
