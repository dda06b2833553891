#pragma once

#include <vector>

class EqElem;

/// An expression tree flattened into post-order instructions for a small
/// stack machine, so evaluating costs no recursion, no virtual calls and no
/// allocation. Operands are laid out in the tree's evaluation order ("+" and
/// "*" evaluate their right operand first), and a broken part of the tree
/// becomes an instruction that fails with the tree's message at the same
/// point, so the first failure reported is the one the tree walk reports.
class EqProgram {
public:
    /// Replaces the program with the flattened `root` over `variableCount`
    /// variables; a null root gives an empty program.
    void Compile(const EqElem* root, int variableCount);

    /// Forgets the program.
    void Clear();

    bool IsEmpty() const { return m_code.empty(); }
    int Size() const { return int(m_code.size()); }

    /// Runs the program with the variable values `values`. Returns null and
    /// stores the value in `result`, or returns the failure message.
    const char* Run(const double* values, double& result) const;

    /// Runs the program once for each of the `count` values `x` of variable
    /// `variable`, the others taken from `values`, and gives the same numbers
    /// and the same first failure as `Run` would for each: `results[i]` is
    /// the value and `failures[i]` null, or `failures[i]` is the message and
    /// `results[i]` is -1. The points go through the program together,
    /// one instruction at a time over a block of them, so the instruction
    /// dispatch is paid once per block rather than once per point. Allocates
    /// only the first time it needs a larger work area.
    void RunMany(const double* values, int variable, const float* x, int count, double* results,
                 const char** failures) const;

private:
    enum Code : int {
        // Codes 0..26 are the operators' own kinds; the rest are leaves and failures.
        kConstant = 100,
        kVariable,
        kFail,
    };
    struct Instruction {
        int code;
        int index;
        union {
            double value;
            const char* message;
        };
    };

    void Emit(const EqElem* element, int variableCount);
    void Push(int code, int index, double value);
    // A failure that stands for a missing operand takes a place on the stack;
    // one that stands for an unknown operator takes its operand's place.
    void Fail(const char* message, bool takesPlace = true);

    std::vector<Instruction> m_code;
    mutable std::vector<double> m_stack;
    mutable std::vector<double> m_columns;  // RunMany's stack, one column per level
    int m_height = 0;
};
