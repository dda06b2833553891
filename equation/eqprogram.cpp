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

void EqProgram::Fail(const char* message)
{
    Instruction instruction;
    instruction.code = kFail;
    instruction.index = 0;
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
                    Fail("Unknown unary operator");
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
