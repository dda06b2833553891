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

#include <vector>

/// Double-precision matrix and vector of the curve fit, with 1-based access.
using FitMatrix = TNT::Matrix<double>;
using FitVector = TNT::Vector<double>;

/// Householder QR factorisation of a tall matrix (`rows` >= `n`) stored by
/// columns: column k is `columns[k * rows]` ... `columns[k * rows + rows - 1]`.
/// The columns are overwritten by the reflectors, `rhs` (`rows` values) by
/// Q^T rhs, and `r` (resized to n x n) receives the upper triangle R. The
/// problem is never squared (no J^T J), so a Jacobian whose condition number
/// is 1e8 still gives steps good to about eight digits. A column that is
/// zero below its diagonal gives R(k, k) = 0.
void FactorQR(std::vector<double>& columns, int rows, int n, std::vector<double>& rhs, FitMatrix& r);

/// The damped least-squares step over the parameters listed in `free`
/// (0-based, ascending): minimises |R_F d - q|^2 + lambda |D_F d|^2, with
/// R_F the columns `free` of `r` (the R of `FactorQR`), `q` the first n
/// values of Q^T rhs and D the `scale` of each parameter. `step` (resized to
/// n) is 0 for every parameter not free. False when the damped system is
/// singular (a free parameter with no influence and no damping).
bool SolveDamped(const FitMatrix& r, const std::vector<double>& q, const std::vector<int>& free,
                 const std::vector<double>& scale, double lambda, std::vector<double>& step);

/// (R^T R)^-1 from the upper triangle `r`: the unscaled covariance of the
/// parameters. False, with `covariance` unchanged, when R has a zero on its
/// diagonal.
bool CovarianceFromR(const FitMatrix& r, FitMatrix& covariance);
