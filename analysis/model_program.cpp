#include "analysis/model_program.h"

#include "equation/eqbinaryelem.h"
#include "equation/equation.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Operators whose result Eval checks, and which therefore can fail.
bool Checked(int code)
{
    switch (code) {
    case EqDivide:
    case EqPower:
    case EqSqrt:
    case EqSec:
    case EqCsc:
    case EqCot:
    case EqLog:
    case EqLog10: return true;
    default: return false;
    }
}

// One operand as a run sees it: a column of a varying part, or one value.
struct Operand {
    const double* column;
    const unsigned char* failures;  // null when no point of the block failed
    double scalar;
    bool scalarFailed;
    double At(int i) const { return column ? column[i] : scalar; }
    bool FailedAt(int i) const { return column ? failures && failures[i] : scalarFailed; }
    bool Any() const { return column ? failures != nullptr : scalarFailed; }
};

template <class Function>
void Combine(double* out, const Operand& left, const Operand& right, int n, Function function)
{
    if (left.column && right.column) {
        for (int i = 0; i < n; ++i)
            out[i] = function(left.column[i], right.column[i]);
    } else if (left.column) {
        const double value = right.scalar;
        for (int i = 0; i < n; ++i)
            out[i] = function(left.column[i], value);
    } else {
        const double value = left.scalar;
        for (int i = 0; i < n; ++i)
            out[i] = function(value, right.column[i]);
    }
}

} // namespace

int ModelProgram::Add(const Node& node)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &node.value, sizeof bits);
    const auto key = std::make_tuple(node.code, node.a, node.b, node.variable, bits);
    const auto found = m_known.find(key);
    if (found != m_known.end())
        return found->second;
    Node added = node;
    added.varying = (node.code == kVariable && node.variable == m_independent) ||
                    (node.a >= 0 && m_nodes[std::size_t(node.a)].varying) ||
                    (node.b >= 0 && m_nodes[std::size_t(node.b)].varying);
    // A part that always fails fails everywhere alike.
    if (node.code == kFail)
        added.varying = false;
    m_nodes.push_back(added);
    const int index = int(m_nodes.size()) - 1;
    m_known.emplace(key, index);
    return index;
}

// Walks the tree in post-order over an explicit stack (trees may be deeper
// than the call stack allows), mapping each element to a part.
int ModelProgram::AddTree(const void* rootPointer, int variableCount)
{
    const EqElem* root = static_cast<const EqElem*>(rootPointer);
    struct Frame {
        const EqElem* element;
        bool operands;
    };
    std::vector<Frame> pending{{root, false}};
    std::vector<int> done;
    auto fail = [this]() {
        Node node;
        node.code = kFail;
        return Add(node);
    };
    while (!pending.empty()) {
        const Frame frame = pending.back();
        pending.pop_back();
        const EqElem* element = frame.element;
        if (const EqValueElem* value = AsValue(element)) {
            Node node;
            if (value->m_isConst) {
                node.code = kConstant;
                node.value = value->m_value;
                done.push_back(Add(node));
            } else if (value->m_varIndex < 0 || value->m_varIndex >= variableCount) {
                done.push_back(fail());
            } else {
                node.code = kVariable;
                node.variable = value->m_varIndex;
                done.push_back(Add(node));
            }
            continue;
        }
        if (const EqUnaryElem* unary = AsUnary(element)) {
            if (!unary->C) {
                done.push_back(fail());
                continue;
            }
            if (!frame.operands) {
                pending.push_back({unary, true});
                pending.push_back({unary->C, false});
                continue;
            }
            const int child = done.back();
            done.pop_back();
            if (unary->m_op == EqUnaryPlus || unary->m_op == EqGroup) {
                done.push_back(child);
            } else if (IsUnaryKind(unary->m_op) && unary->m_op != EqOpen && unary->m_op != EqClose) {
                Node node;
                node.code = unary->m_op;
                node.a = child;
                done.push_back(Add(node));
            } else {
                done.push_back(fail());
            }
            continue;
        }
        if (const EqBinaryElem* binary = AsBinary(element)) {
            if (!binary->L || !binary->R || !IsBinaryKind(binary->m_op)) {
                done.push_back(fail());
                continue;
            }
            if (!frame.operands) {
                pending.push_back({binary, true});
                pending.push_back({binary->R, false});
                pending.push_back({binary->L, false});
                continue;
            }
            Node node;
            node.code = binary->m_op;
            node.b = done.back();
            done.pop_back();
            node.a = done.back();
            done.pop_back();
            done.push_back(Add(node));
            continue;
        }
        done.push_back(fail());
    }
    return done.back();
}

void ModelProgram::Compile(const std::vector<const Equation*>& equations, int variableCount,
                           int independent)
{
    m_nodes.clear();
    m_roots.clear();
    m_known.clear();
    m_independent = independent;
    for (const Equation* equation : equations) {
        if (!equation->Root()) {
            Node node;
            node.code = kFail;
            m_roots.push_back(Add(node));
            continue;
        }
        m_roots.push_back(AddTree(equation->Root(), variableCount));
    }
    const std::size_t parts = m_nodes.size();
    m_scalar.assign(parts, 0.0);
    m_scalarFailed.assign(parts, 0);
    m_columns.assign(parts * kBlock, 0.0);
    m_failures.assign(parts * kBlock, 0);
    m_anyFailed.assign(parts, 0);
}

void ModelProgram::RunUniform(const double* values)
{
    for (std::size_t index = 0; index < m_nodes.size(); ++index) {
        const Node& node = m_nodes[index];
        if (node.varying)
            continue;
        double result = 0.0;
        bool failed = false;
        const char* message = nullptr;
        switch (node.code) {
        case kConstant: result = node.value; break;
        case kVariable: result = values[node.variable]; break;
        case kFail: failed = true; break;
        default: {
            const double a = m_scalar[std::size_t(node.a)];
            failed = m_scalarFailed[std::size_t(node.a)] != 0;
            if (node.b >= 0) {
                failed = failed || m_scalarFailed[std::size_t(node.b)] != 0;
                result = EqBinaryElem::Apply(node.code, a, m_scalar[std::size_t(node.b)], message);
            } else {
                result = EqUnaryElem::Apply(node.code, a, message);
            }
            failed = failed || message != nullptr;
        }
        }
        m_scalar[index] = result;
        m_scalarFailed[index] = failed ? 1 : 0;
    }
}

void ModelProgram::RunVarying(int index, const float* x, int n)
{
    const Node& node = m_nodes[std::size_t(index)];
    double* out = m_columns.data() + std::size_t(index) * kBlock;
    unsigned char* failures = m_failures.data() + std::size_t(index) * kBlock;
    auto operand = [this](int of) {
        const Node& part = m_nodes[std::size_t(of)];
        if (!part.varying)
            return Operand{nullptr, nullptr, m_scalar[std::size_t(of)], m_scalarFailed[std::size_t(of)] != 0};
        const unsigned char* flags =
            m_anyFailed[std::size_t(of)] ? m_failures.data() + std::size_t(of) * kBlock : nullptr;
        return Operand{m_columns.data() + std::size_t(of) * kBlock, flags, 0.0, false};
    };
    if (node.code == kVariable) {
        for (int i = 0; i < n; ++i)
            out[i] = double(x[i]);
        m_anyFailed[std::size_t(index)] = 0;
        return;
    }
    const Operand a = operand(node.a);
    const bool binary = node.b >= 0;
    const Operand b = binary ? operand(node.b) : Operand{nullptr, nullptr, 0.0, false};
    switch (node.code) {
    case EqPlus: Combine(out, a, b, n, [](double l, double r) { return l + r; }); break;
    case EqMinus: Combine(out, a, b, n, [](double l, double r) { return l - r; }); break;
    case EqMultiply: Combine(out, a, b, n, [](double l, double r) { return l * r; }); break;
    case EqUnaryMinus:
        for (int i = 0; i < n; ++i)
            out[i] = -a.column[i];
        break;
    case EqExp:
        for (int i = 0; i < n; ++i)
            out[i] = std::exp(a.column[i]);
        break;
    default:
        for (int i = 0; i < n; ++i) {
            const char* message = nullptr;
            out[i] = binary ? EqBinaryElem::Apply(node.code, a.At(i), b.At(i), message)
                            : EqUnaryElem::Apply(node.code, a.At(i), message);
        }
        break;
    }
    // A part fails where an operand failed or where its own check fails.
    const bool operandsFailed = a.Any() || (binary && b.Any());
    const bool checked = Checked(node.code);
    if (!operandsFailed && !checked) {
        m_anyFailed[std::size_t(index)] = 0;
        return;
    }
    bool any = false;
    for (int i = 0; i < n; ++i) {
        bool failed = a.FailedAt(i) || (binary && b.FailedAt(i));
        if (!failed && checked) {
            const char* message = nullptr;
            if (binary)
                EqBinaryElem::Apply(node.code, a.At(i), b.At(i), message);
            else
                EqUnaryElem::Apply(node.code, a.At(i), message);
            failed = message != nullptr;
        }
        failures[i] = failed ? 1 : 0;
        any = any || failed;
    }
    m_anyFailed[std::size_t(index)] = any ? 1 : 0;
}

void ModelProgram::Run(const double* values, const float* x, int count, double* const* results,
                       unsigned char* const* failed, unsigned char* anyFailed)
{
    RunUniform(values);
    const int n = std::min(count, kBlock);
    for (std::size_t index = 0; index < m_nodes.size(); ++index)
        if (m_nodes[index].varying)
            RunVarying(int(index), x, n);
    for (std::size_t e = 0; e < m_roots.size(); ++e) {
        const int root = m_roots[e];
        const Node& node = m_nodes[std::size_t(root)];
        if (!node.varying) {
            std::fill(results[e], results[e] + n, m_scalar[std::size_t(root)]);
            std::fill(failed[e], failed[e] + n, m_scalarFailed[std::size_t(root)]);
            if (anyFailed)
                anyFailed[e] = m_scalarFailed[std::size_t(root)];
            continue;
        }
        std::copy_n(m_columns.data() + std::size_t(root) * kBlock, n, results[e]);
        if (m_anyFailed[std::size_t(root)])
            std::copy_n(m_failures.data() + std::size_t(root) * kBlock, n, failed[e]);
        else
            std::fill(failed[e], failed[e] + n, 0);
        if (anyFailed)
            anyFailed[e] = m_anyFailed[std::size_t(root)];
    }
}
