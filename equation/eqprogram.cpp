#include "equation/eqprogram.h"

#include "equation/eqbinaryelem.h"
#include "equation/equnaryelem.h"
#include "equation/eqvalueelem.h"

#include <algorithm>

void EqProgram::Clear()
{
    m_code.clear();
    m_stack.clear();
    m_height = 0;
}

void EqProgram::Compile(const EqElem* root, int variableCount)
{
    Clear();
    if (!root)
        return;
    Emit(root, variableCount);
    m_stack.resize(std::max<std::size_t>(m_stack.size(), 1));
}

void EqProgram::Push(int code, int index, double value)
{
    Instruction instruction;
    instruction.code = code;
    instruction.index = index;
    instruction.value = value;
    m_code.push_back(instruction);
}

void EqProgram::Fail(const char* message, bool takesPlace)
{
    Instruction instruction;
    instruction.code = kFail;
    instruction.index = takesPlace ? 1 : 0;
    instruction.message = message;
    m_code.push_back(instruction);
}

// Each emitted leaf raises the stack height by one and each operator keeps or
// lowers it; the deepest height sizes the stack once, here, not in Run. The
// tree is walked in evaluation order over an explicit stack: an element is
// visited once before its operands and, for unary and binary elements, once
// after them to emit its operator.
void EqProgram::Emit(const EqElem* root, int variableCount)
{
    auto grow = [this] {
        ++m_height;
        if (std::size_t(m_height) > m_stack.size())
            m_stack.resize(std::size_t(m_height));
    };
    struct Frame {
        const EqElem* element;
        bool operands;  // the operands are emitted; the operator is next
    };
    std::vector<Frame> pending{{root, false}};
    while (!pending.empty()) {
        const Frame frame = pending.back();
        pending.pop_back();
        const EqElem* element = frame.element;

        if (const EqValueElem* value = AsValue(element)) {
            if (value->m_isConst) {
                Push(kConstant, 0, value->m_value);
            } else if (value->m_varIndex < 0) {
                Fail("stack underflow Eval()");
            } else if (value->m_varIndex >= variableCount) {
                Fail("stack overflow Eval()");
            } else {
                Push(kVariable, value->m_varIndex, 0.0);
            }
            grow();
            continue;
        }
        if (const EqUnaryElem* unary = AsUnary(element)) {
            if (!frame.operands) {
                if (!unary->C) {
                    Fail("Unary C is NULL");
                    grow();
                    continue;
                }
                pending.push_back({unary, true});
                pending.push_back({unary->C, false});
                continue;
            }
            // Signs and groups that pass their value on need no instruction.
            if (unary->m_op != EqUnaryPlus && unary->m_op != EqGroup) {
                if (IsUnaryKind(unary->m_op) && unary->m_op != EqOpen && unary->m_op != EqClose)
                    Push(unary->m_op, 0, 0.0);
                else
                    Fail("Unknown unary operator", false);
            }
            continue;
        }
        if (const EqBinaryElem* binary = AsBinary(element)) {
            if (!frame.operands) {
                if (!binary->L || !binary->R || !IsBinaryKind(binary->m_op)) {
                    Fail(!binary->L   ? "Binary L is NULL"
                         : !binary->R ? "Binary R is NULL"
                                      : "Unknown binary operator");
                    grow();
                    continue;
                }
                // The operand evaluated first is pushed last, so it is emitted first.
                const bool rightFirst = EqBinaryElem::RightFirst(binary->m_op);
                pending.push_back({binary, true});
                pending.push_back({rightFirst ? binary->L : binary->R, false});
                pending.push_back({rightFirst ? binary->R : binary->L, false});
                continue;
            }
            Push(binary->m_op, 0, 0.0);
            --m_height;
            continue;
        }
        Fail("Unknown unary operator");
        grow();
    }
}

const char* EqProgram::Run(const double* values, double& result) const
{
    double* top = m_stack.data() - 1;
    const char* message = nullptr;
    for (const Instruction& in : m_code) {
        switch (in.code) {
        case kConstant: *++top = in.value; break;
        case kVariable: *++top = values[in.index]; break;
        case kFail: return in.message;
        // "+" and "*" had their right operand pushed first, so the left one is on top.
        case EqPlus: top[-1] = top[0] + top[-1]; --top; break;
        case EqMultiply: top[-1] = top[0] * top[-1]; --top; break;
        case EqMinus: top[-1] = top[-1] - top[0]; --top; break;
        case EqDivide:
            top[-1] = EqBinaryElem::Apply(EqDivide, top[-1], top[0], message);
            if (message)
                return message;
            --top;
            break;
        case EqPower:
            top[-1] = EqBinaryElem::Apply(EqPower, top[-1], top[0], message);
            if (message)
                return message;
            --top;
            break;
        case EqUnaryMinus: *top = -*top; break;
        case EqSqrt: *top = EqUnaryElem::Apply(EqSqrt, *top, message); if (message) return message; break;
        case EqCos: *top = std::cos(*top); break;
        case EqSin: *top = std::sin(*top); break;
        case EqTan: *top = std::tan(*top); break;
        case EqAcos: *top = std::acos(*top); break;
        case EqAsin: *top = std::asin(*top); break;
        case EqAtan: *top = std::atan(*top); break;
        case EqSec: *top = EqUnaryElem::Apply(EqSec, *top, message); if (message) return message; break;
        case EqCsc: *top = EqUnaryElem::Apply(EqCsc, *top, message); if (message) return message; break;
        case EqCot: *top = EqUnaryElem::Apply(EqCot, *top, message); if (message) return message; break;
        case EqCosh: *top = std::cosh(*top); break;
        case EqSinh: *top = std::sinh(*top); break;
        case EqTanh: *top = std::tanh(*top); break;
        case EqExp: *top = std::exp(*top); break;
        case EqLog: *top = EqUnaryElem::Apply(EqLog, *top, message); if (message) return message; break;
        case EqLog10: *top = EqUnaryElem::Apply(EqLog10, *top, message); if (message) return message; break;
        case EqAbs: *top = std::fabs(*top); break;
        default: return "Unknown unary operator";
        }
    }
    result = *top;
    return nullptr;
}

namespace {

// Points per block of RunMany: enough to pay for the dispatch, few enough for
// the block's columns to stay in the cache.
constexpr int kBlock = 256;

// Keeps the first failure of each point.
inline void Note(const char** failures, int i, const char* message)
{
    if (message && !failures[i])
        failures[i] = message;
}

} // namespace

void EqProgram::RunMany(const double* values, int variable, const float* x, int count,
                        double* results, const char** failures) const
{
    const std::size_t height = std::max<std::size_t>(m_stack.size(), 1);
    if (m_columns.size() < height * kBlock)
        m_columns.resize(height * kBlock);
    for (int start = 0; start < count; start += kBlock) {
        const int n = std::min(kBlock, count - start);
        const char** failed = failures + start;
        std::fill(failed, failed + n, nullptr);
        // The column of stack level `level` holds that level's value for every point.
        double* column = m_columns.data();
        int level = -1;
        auto at = [column](int of) { return column + std::size_t(of) * kBlock; };
        for (const Instruction& in : m_code) {
            switch (in.code) {
            case kConstant: {
                double* top = at(++level);
                std::fill(top, top + n, in.value);
                break;
            }
            case kVariable: {
                double* top = at(++level);
                if (in.index == variable) {
                    for (int i = 0; i < n; ++i)
                        top[i] = double(x[start + i]);
                } else {
                    std::fill(top, top + n, values[in.index]);
                }
                break;
            }
            case kFail: {
                // Run stops here; the points carry the message and a stand-in value.
                double* top = in.index ? at(++level) : at(level);
                for (int i = 0; i < n; ++i) {
                    Note(failed, i, in.message);
                    top[i] = 0.0;
                }
                break;
            }
            // As in Run: "+" and "*" have their left operand on top, "-", "/"
            // and "^" their right one; the result replaces the lower level.
            case EqPlus: {
                double* below = at(level - 1);
                const double* top = at(level);
                for (int i = 0; i < n; ++i)
                    below[i] = top[i] + below[i];
                --level;
                break;
            }
            case EqMultiply: {
                double* below = at(level - 1);
                const double* top = at(level);
                for (int i = 0; i < n; ++i)
                    below[i] = top[i] * below[i];
                --level;
                break;
            }
            case EqMinus: {
                double* below = at(level - 1);
                const double* top = at(level);
                for (int i = 0; i < n; ++i)
                    below[i] = below[i] - top[i];
                --level;
                break;
            }
            case EqDivide:
            case EqPower: {
                double* below = at(level - 1);
                const double* top = at(level);
                for (int i = 0; i < n; ++i) {
                    const char* message = nullptr;
                    below[i] = EqBinaryElem::Apply(in.code, below[i], top[i], message);
                    Note(failed, i, message);
                }
                --level;
                break;
            }
            case EqUnaryMinus: {
                double* top = at(level);
                for (int i = 0; i < n; ++i)
                    top[i] = -top[i];
                break;
            }
            case EqExp: {
                double* top = at(level);
                for (int i = 0; i < n; ++i)
                    top[i] = std::exp(top[i]);
                break;
            }
            case EqCos:
            case EqSin:
            case EqTan:
            case EqAcos:
            case EqAsin:
            case EqAtan:
            case EqCosh:
            case EqSinh:
            case EqTanh:
            case EqAbs:
            case EqSqrt:
            case EqSec:
            case EqCsc:
            case EqCot:
            case EqLog:
            case EqLog10: {
                double* top = at(level);
                for (int i = 0; i < n; ++i) {
                    const char* message = nullptr;
                    top[i] = EqUnaryElem::Apply(in.code, top[i], message);
                    Note(failed, i, message);
                }
                break;
            }
            default:
                for (int i = 0; i < n; ++i)
                    Note(failed, i, "Unknown unary operator");
                break;
            }
        }
        const double* top = at(0);
        for (int i = 0; i < n; ++i)
            results[start + i] = failed[i] ? -1.0 : top[i];
    }
}
