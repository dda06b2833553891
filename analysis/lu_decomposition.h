#pragma once

// TNT frees a matrix's row table through the pointer it had shifted by one
// for 1-based access and shifted back; GCC's optimiser mistakes this for
// freeing a non-heap pointer.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wfree-nonheap-object"
#endif
#include <tnt/tnt_cmat.h>
#include <tnt/tnt_vec.h>
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

/// Single-precision matrix and vector of the curve fit, with 1-based access.
using FitMatrix = TNT::Matrix<float>;
using FitVector = TNT::Vector<float>;
using PivotVector = TNT::Vector<int>;

/// Factorises the square or tall matrix `a` in place into L (unit lower
/// triangle, below the diagonal) and U (upper triangle) of the row-permuted
/// matrix, with partial pivoting: in each column the pivot is the first row,
/// from the diagonal down, whose magnitude is strictly the largest. `pivot(j)`
/// receives the row swapped with row j (resized to the row count). Returns
/// false, with `a` partly factorised, when a pivot is exactly 0.
bool LUFactor(FitMatrix& a, PivotVector& pivot);

/// Solves a x = b with the factors of `LUFactor` (square `a`): applies the
/// row swaps, then forward and back substitution. `b` is replaced by x.
void LUSolve(const FitMatrix& a, const PivotVector& pivot, FitVector& b);

/// Replaces the square matrix `a` by its inverse, solved column by column for
/// each unit vector. Raises `Error` "InvertMatrix: Only square matricies are
/// allowed!" for a matrix that is not square and "InvertMatrix: Failed to
/// factor matrix" when a pivot is 0 (`a` is then left partly factorised).
void InvertMatrix(FitMatrix& a);
