#pragma once

#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

class Equation;

/// Several equations over one variable table (a fit's model and its
/// partial derivatives) compiled into one program that evaluates each part
/// they share once: the derivatives of a*exp(-b*x)+c all reuse the model's
/// exp(-b*x). Parts that do not depend on the independent variable are
/// evaluated once per run, the others a block of points at a time.
///
/// Every value is the one `Equation::Eval` gives, bit for bit: each part is
/// the same double operation on the same operands, whichever equation it
/// came from. An equation fails at a point exactly when `Eval` would report
/// a message there (which message is not kept).
class ModelProgram {
public:
    /// Points per block of `Run`.
    static constexpr int kBlock = 256;

    /// Compiles `equations` (each with a tree, all sharing the variable
    /// table of `variableCount` variables), `independent` being the index of
    /// the variable that takes the x values.
    void Compile(const std::vector<const Equation*>& equations, int variableCount, int independent);

    /// Number of equations compiled, and of distinct parts.
    int Outputs() const { return int(m_roots.size()); }
    int Parts() const { return int(m_nodes.size()); }

    /// Evaluates every equation at the `count` (at most `kBlock`) values
    /// `x` with the other variables from `values`: `results[e][i]` is
    /// equation e at x[i] and `failed[e][i]` non-zero where it fails there;
    /// `anyFailed[e]` (when given) tells whether equation e failed at any of them.
    void Run(const double* values, const float* x, int count, double* const* results,
             unsigned char* const* failed, unsigned char* anyFailed = nullptr);

private:
    enum Code : int { kConstant = 100, kVariable, kFail };
    struct Node {
        int code = kFail;
        int a = -1;
        int b = -1;
        int variable = -1;
        double value = 0.0;
        bool varying = false;  // depends on the independent variable
    };
    // A part seen before is reused.
    int Add(const Node& node);
    int AddTree(const void* root, int variableCount);
    void RunUniform(const double* values);
    void RunVarying(int index, const float* x, int count);

    std::vector<Node> m_nodes;
    std::vector<int> m_roots;
    std::map<std::tuple<int, int, int, int, std::uint64_t>, int> m_known;
    int m_independent = -1;
    // Per run: the value and failure of each part that does not vary.
    std::vector<double> m_scalar;
    std::vector<unsigned char> m_scalarFailed;
    // Per block: one column of values and of failure flags for each part;
    // the flags are written only where `m_anyFailed` is set.
    std::vector<double> m_columns;
    std::vector<unsigned char> m_failures;
    std::vector<unsigned char> m_anyFailed;
};
