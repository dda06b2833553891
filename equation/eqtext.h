#pragma once

#include <string>

class Equation;

/// Writes the tree of `equation` in the equation language, so that parsing
/// the text gives a tree that evaluates to the same value bit for bit, in the
/// same order: brackets only where precedence and left associativity need
/// them, a sign that is an operand of a binary operator in brackets ("a*(-b)"),
/// functions as name(argument), groups as brackets, numbers in plain
/// positional decimal with the fewest digits that read back exactly (negative
/// ones in brackets, "(-3)"), variables by name. Returns true and replaces
/// `text`; returns false and leaves `text` untouched for an empty equation or
/// a tree the language cannot write (a number that is infinite or not a
/// number, a broken element, brackets nested deeper than `kEqMaxDepth`).
bool EquationText(const Equation& equation, std::string& text);
