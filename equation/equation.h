#pragma once

#include "equation/eqprogram.h"
#include "equation/eqtoken.h"
#include "model/list.h"

#include <string>
#include <vector>

class EqElem;

/// A typed formula: its normalised text, expression tree, variable table
/// (names in order of first appearance, values, set flags), the independent
/// variables and the last error message.
///
/// Parse, evaluation, simplification and derivation failures are stored in
/// `m_message`; misuse of the variable interface and a wrong number of
/// evaluation arguments are raised as constant message texts (`throw "..."`).
class Equation {
public:
    Equation() = default;
    /// Parses `text`; the caller checks `m_message`.
    explicit Equation(const char* text);
    /// Copies `other` as `Copy` does.
    Equation(const Equation& other);
    Equation& operator=(const Equation& other);
    /// Takes everything of `other`, message included, and leaves it empty.
    Equation(Equation&& other) noexcept;
    Equation& operator=(Equation&& other) noexcept;
    ~Equation();

    /// Discards any previous content and parses `text`. Returns 1 on success,
    /// or 0 with `m_message` set and the equation empty. A null text gives
    /// "Null Parse() string", brackets nested too deeply `kEqTooDeepMessage`,
    /// running out of memory `kEqNoMemoryMessage`.
    int Parse(const char* text);

    /// Frees the tree, the text, the values and both lists; keeps `m_message`.
    void Clear();

    /// Forgets the last message, so evaluation can go on after a failure.
    void ClearMessage() { m_message = nullptr; }

    /// 0 with a message or without a tree; 1 without variables; 0 when the
    /// value arrays are missing; 1 when `checkAll` is 0; otherwise 1 only when
    /// every variable that is not independent has been given a value.
    int IsValid(int checkAll) const;

    /// Number of distinct variable names.
    int NumVars() const { return m_vars.Count(); }

    /// The variable's name; null with "Underflow in GetVarName" or
    /// "Overflow in GetVarName" stored for an index outside the table.
    const char* GetVarName(int index);

    /// Makes the variable `name` the only independent variable and returns 1,
    /// or empties the independent list and returns 0 when there is no such
    /// variable. Raises "NULL pointer in DefineIndepVar(1)" for a null name.
    int DefineIndepVar(const char* name);

    /// Gives variable `index` the value `value`. Raises "Index underflow in
    /// SetVar" / "Index overflow in SetVar" for an index outside the table.
    void SetVar(int index, float value);
    /// Gives variable `index` the value `value` without rounding it to a
    /// float, as the curve fit's parameters need; raises as `SetVar`.
    void SetVarExact(int index, double value);

    /// The value of variable `index`. Raises "Index underflow in GetVar" /
    /// "Index overflow in GetVar" for an index outside the table.
    double GetVar(int index) const;

    /// Evaluates an equation without independent variable. Raises
    /// "Incorrect number of arguments (not 0)" when one is defined. A failure
    /// in the tree stores its message and returns -1 (an ordinary value too).
    long double Eval();

    /// Sets the independent variable to `x` and evaluates; raises "Incorrect
    /// number of arguments (not 1)" unless exactly one is defined. Failures as
    /// for `Eval()`. Allocates nothing.
    long double Eval(float x);

    /// Evaluates at each of the `count` values `x` of the independent
    /// variable, giving for each exactly what `Eval(x[i])` would: the value in
    /// `results[i]` with `failures[i]` null, or -1 with the message that `Eval`
    /// would store in `failures[i]`. `m_message` is left as it is; the independent
    /// variable keeps the last value. Raises "Incorrect number of arguments
    /// (not 1)" unless exactly one independent variable is defined. Allocates
    /// nothing once its work area has grown to the program's size.
    void EvalMany(const float* x, int count, double* results, const char** failures);

    /// Rewrites the tree by the simplification rules; does nothing for an
    /// invalid equation. A failing rule stores its message and stops; so does
    /// running out of memory (`kEqNoMemoryMessage`), with the tree whole.
    void Simplify();

    /// A new equation whose tree is the derivative with respect to variable
    /// `variable`, carrying this equation's text and variables. Failures are
    /// stored in the result, which then has no tree ("Variable not found in
    /// Deriv()", the abs message, `kEqDerivTooLargeMessage`, `kEqNoMemoryMessage`);
    /// an invalid source receives "Unable to differentiate invalid equation!".
    Equation Deriv(int variable);

    /// Makes this equation a copy of `source`; copying an invalid equation
    /// leaves this one empty with "Can not copy an invalid equation", running
    /// out of memory empty with `kEqNoMemoryMessage`.
    void Copy(const Equation& source);

    /// Takes ownership of a ready-made tree (replacing the current one) over
    /// the existing variable table; the program is rebuilt from it.
    void ReplaceTree(EqElem* root);

    /// The tree, or null.
    const EqElem* Root() const { return m_root; }
    /// The normalised text, or null for an empty equation.
    const char* Text() const { return m_text.empty() ? nullptr : m_text.c_str(); }
    /// 1 once variable `index` has been given a value (0 outside the table).
    int IsSet(int index) const;
    /// The variable table: one token per name, in order of first appearance.
    const List<EqToken>& Vars() const { return m_vars; }
    /// Indices of the independent variables.
    const List<int>& IndepVars() const { return m_indepVars; }

    /// The last error message, or null; a fixed literal that is never freed.
    const char* m_message = nullptr;

private:
    // Rebuilds the program from the tree; on running out of memory leaves an
    // empty program, stores the message and returns false.
    bool Compile();
    long double Run();
    void TakeFrom(Equation& other) noexcept;

    EqElem* m_root = nullptr;
    std::string m_text;
    std::vector<double> m_values;
    std::vector<int> m_isSet;
    List<int> m_indepVars;
    List<EqToken> m_vars;
    EqProgram m_program;
    int m_indepIndex = -1;  // the one independent variable, for Eval(x)
};
