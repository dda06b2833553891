#include "equation/equation.h"

#include "equation/eqelem.h"
#include "equation/eqparser.h"
#include "equation/eqsimplifier.h"
#include "model/error.h"

#include <new>
#include <utility>

Equation::Equation(const char* text)
{
    Parse(text);
}

Equation::Equation(const Equation& other)
{
    Copy(other);
}

Equation& Equation::operator=(const Equation& other)
{
    if (this != &other)
        Copy(other);
    return *this;
}

Equation::Equation(Equation&& other) noexcept
{
    TakeFrom(other);
}

Equation& Equation::operator=(Equation&& other) noexcept
{
    if (this != &other) {
        Clear();
        TakeFrom(other);
    }
    return *this;
}

Equation::~Equation()
{
    Clear();
}

void Equation::TakeFrom(Equation& other) noexcept
{
    m_message = std::exchange(other.m_message, nullptr);
    m_root = std::exchange(other.m_root, nullptr);
    m_text = std::move(other.m_text);
    m_values = std::move(other.m_values);
    m_isSet = std::move(other.m_isSet);
    m_indepVars = std::move(other.m_indepVars);
    m_vars = std::move(other.m_vars);
    m_program = std::move(other.m_program);
    m_indepIndex = std::exchange(other.m_indepIndex, -1);
    other.Clear();
}

void Equation::Clear()
{
    EqElem::DeleteTree(m_root);
    m_root = nullptr;
    m_text.clear();
    m_values.clear();
    m_isSet.clear();
    m_indepVars.Clear();
    m_vars.Clear();
    m_program.Clear();
    m_indepIndex = -1;
}

int Equation::Parse(const char* text)
{
    Clear();
    m_message = nullptr;
    if (!text) {
        m_message = "Null Parse() string";
        return 0;
    }
    try {
        m_text = EqParser::Normalise(text);
        m_root = EqParser::Build(m_text, m_vars);
        // Values are defined only once given; zero keeps an unset read harmless.
        m_values.assign(std::size_t(NumVars()), 0.0);
        m_isSet.assign(std::size_t(NumVars()), 0);
    } catch (const char* message) {
        Clear();
        m_message = message;
        return 0;
    } catch (const Error& error) {
        Clear();
        m_message = error.Text();
        return 0;
    } catch (const std::bad_alloc&) {
        Clear();
        m_message = kEqNoMemoryMessage;
        return 0;
    }
    if (!Compile()) {
        Clear();
        return 0;
    }
    return 1;
}

bool Equation::Compile()
{
    try {
        m_program.Compile(m_root, NumVars());
        return true;
    } catch (const std::bad_alloc&) {
        m_program.Clear();
        m_message = kEqNoMemoryMessage;
        return false;
    }
}

int Equation::IsValid(int checkAll) const
{
    if (m_message || !m_root)
        return 0;
    if (NumVars() == 0)
        return 1;
    if (int(m_values.size()) != NumVars() || int(m_isSet.size()) != NumVars())
        return 0;
    if (!checkAll)
        return 1;
    for (int i = 0; i < NumVars(); ++i) {
        if (m_isSet[std::size_t(i)])
            continue;
        bool independent = false;
        for (int k = 0; k < m_indepVars.Count() && !independent; ++k)
            independent = m_indepVars.Get(k) == i;
        if (!independent)
            return 0;
    }
    return 1;
}

const char* Equation::GetVarName(int index)
{
    if (index < 0) {
        m_message = "Underflow in GetVarName";
        return nullptr;
    }
    if (index >= NumVars()) {
        m_message = "Overflow in GetVarName";
        return nullptr;
    }
    return m_vars.Get(index).m_text.c_str();
}

int Equation::DefineIndepVar(const char* name)
{
    if (!name)
        throw "NULL pointer in DefineIndepVar(1)";
    m_indepVars.Clear();
    m_indepIndex = -1;
    for (int i = 0; i < NumVars(); ++i) {
        if (m_vars.Get(i).m_text == name) {
            m_indepVars.Append(i);
            m_indepIndex = i;
            return 1;
        }
    }
    return 0;
}

void Equation::SetVar(int index, float value)
{
    SetVarExact(index, double(value));
}

void Equation::SetVarExact(int index, double value)
{
    if (index < 0)
        throw "Index underflow in SetVar";
    if (index >= NumVars() || index >= int(m_values.size()))
        throw "Index overflow in SetVar";
    m_values[std::size_t(index)] = value;
    m_isSet[std::size_t(index)] = 1;
}

double Equation::GetVar(int index) const
{
    if (index < 0)
        throw "Index underflow in GetVar";
    if (index >= NumVars() || index >= int(m_values.size()))
        throw "Index overflow in GetVar";
    return m_values[std::size_t(index)];
}

int Equation::IsSet(int index) const
{
    if (index < 0 || index >= int(m_isSet.size()))
        return 0;
    return m_isSet[std::size_t(index)];
}

long double Equation::Run()
{
    if (m_program.IsEmpty()) {
        // Nothing to evaluate: keep the reason the equation is empty, if any.
        if (!m_message)
            m_message = "NULL tree";
        return -1;
    }
    double result = 0.0;
    if (const char* message = m_program.Run(m_values.data(), result)) {
        m_message = message;
        return -1;
    }
    return result;
}

long double Equation::Eval()
{
    if (m_indepVars.Count() != 0)
        throw "Incorrect number of arguments (not 0)";
    return Run();
}

long double Equation::Eval(float x)
{
    if (m_indepVars.Count() != 1)
        throw "Incorrect number of arguments (not 1)";
    if (m_indepIndex >= 0 && std::size_t(m_indepIndex) < m_values.size())
        m_values[std::size_t(m_indepIndex)] = double(x);
    return Run();
}

void Equation::EvalMany(const float* x, int count, double* results, const char** failures)
{
    if (m_indepVars.Count() != 1)
        throw "Incorrect number of arguments (not 1)";
    if (count <= 0)
        return;
    if (m_program.IsEmpty()) {
        const char* reason = m_message ? m_message : "NULL tree";
        for (int i = 0; i < count; ++i) {
            results[i] = -1;
            failures[i] = reason;
        }
        return;
    }
    const bool stored = m_indepIndex >= 0 && std::size_t(m_indepIndex) < m_values.size();
    m_program.RunMany(m_values.data(), stored ? m_indepIndex : -1, x, count, results, failures);
    if (stored)
        m_values[std::size_t(m_indepIndex)] = double(x[count - 1]);
}

void Equation::Simplify()
{
    if (!IsValid(0))
        return;
    try {
        EqSimplifier(m_root).Run();
    } catch (const char* message) {
        m_message = message;
    } catch (const Error& error) {
        m_message = error.Text();
    } catch (const std::bad_alloc&) {
        // Every rule allocates before it changes the tree, so the tree is
        // whole and keeps its value; the message marks the equation invalid.
        m_message = kEqNoMemoryMessage;
    }
    Compile();
}

Equation Equation::Deriv(int variable)
{
    if (!IsValid(0)) {
        m_message = "Unable to differentiate invalid equation!";
        return Equation(*this);
    }
    Equation result;
    if (variable < 0 || variable >= NumVars()) {
        result.m_message = "Variable not found in Deriv()";
        return result;
    }
    try {
        result.m_text = m_text;
        result.m_vars = m_vars;
        result.m_values = m_values;
        result.m_isSet = m_isSet;
        result.m_indepVars = m_indepVars;
        result.m_indepIndex = m_indepIndex;
        // Counted first: a derivative can be quadratically larger than its source.
        if (m_root->DerivSize(kEqMaxDerivSize) > kEqMaxDerivSize)
            throw kEqDerivTooLargeMessage;
        result.m_root = m_root->Deriv(variable, nullptr);
    } catch (const char* message) {
        result.m_message = message;
    } catch (const Error& error) {
        result.m_message = error.Text();
    } catch (const std::bad_alloc&) {
        result.m_message = kEqNoMemoryMessage;
    }
    if (!result.m_message)
        result.Compile();
    if (result.m_message) {
        // A failed derivative has no tree, only its message.
        EqElem::DeleteTree(result.m_root);
        result.m_root = nullptr;
        result.m_program.Clear();
    }
    return result;
}

void Equation::Copy(const Equation& source)
{
    if (this == &source)
        return;
    Clear();
    if (!source.IsValid(0)) {
        m_message = "Can not copy an invalid equation";
        return;
    }
    m_message = nullptr;
    try {
        m_text = source.m_text;
        m_vars = source.m_vars;
        m_values = source.m_values;
        m_isSet = source.m_isSet;
        m_indepVars = source.m_indepVars;
        m_indepIndex = source.m_indepIndex;
        m_root = source.m_root->Copy(nullptr);
    } catch (const char* message) {
        Clear();
        m_message = message;
        return;
    } catch (const Error& error) {
        Clear();
        m_message = error.Text();
        return;
    } catch (const std::bad_alloc&) {
        Clear();
        m_message = kEqNoMemoryMessage;
        return;
    }
    if (!Compile())
        Clear();
}

void Equation::ReplaceTree(EqElem* root)
{
    EqElem::DeleteTree(m_root);
    m_root = root;
    if (m_root)
        m_root->P = nullptr;
    Compile();
}
