#include "analysis/lu_decomposition.h"

#include "model/error.h"

#include <cmath>
#include <utility>

bool LUFactor(FitMatrix& a, PivotVector& pivot)
{
    const int rows = a.num_rows();
    const int columns = a.num_cols();
    if (pivot.dim() != rows)
        pivot.newsize(rows);
    const int steps = rows < columns ? rows : columns;
    for (int j = 1; j <= steps; ++j) {
        // Only a strictly larger magnitude moves the pivot down, so among
        // equal candidates the first row wins.
        int best = j;
        float largest = std::fabs(a(j, j));
        for (int i = j + 1; i <= rows; ++i) {
            if (std::fabs(a(i, j)) > largest) {
                best = i;
                largest = std::fabs(a(i, j));
            }
        }
        pivot(j) = best;
        if (a(best, j) == 0.0f)
            return false;
        if (best != j) {
            for (int k = 1; k <= columns; ++k)
                std::swap(a(j, k), a(best, k));
        }
        const float reciprocal = 1.0f / a(j, j);
        for (int i = j + 1; i <= rows; ++i)
            a(i, j) *= reciprocal;
        for (int i = j + 1; i <= rows; ++i) {
            const float factor = a(i, j);
            for (int k = j + 1; k <= columns; ++k)
                a(i, k) -= factor * a(j, k);
        }
    }
    return true;
}

void LUSolve(const FitMatrix& a, const PivotVector& pivot, FitVector& b)
{
    const int n = b.dim();
    // Forward substitution with the unit lower triangle, swapping as the
    // factorisation did, row by row.
    for (int i = 1; i <= n; ++i) {
        const int swapped = pivot(i);
        float sum = b(swapped);
        b(swapped) = b(i);
        for (int j = 1; j < i; ++j)
            sum -= a(i, j) * b(j);
        b(i) = sum;
    }
    for (int i = n; i >= 1; --i) {
        float sum = b(i);
        for (int j = i + 1; j <= n; ++j)
            sum -= a(i, j) * b(j);
        b(i) = sum / a(i, i);
    }
}

void InvertMatrix(FitMatrix& a)
{
    const int n = a.num_rows();
    if (n != a.num_cols())
        throw Error("InvertMatrix: Only square matricies are allowed!", "lu_decomposition", __LINE__);
    PivotVector pivot(n);
    if (!LUFactor(a, pivot))
        throw Error("InvertMatrix: Failed to factor matrix", "lu_decomposition", __LINE__);
    FitMatrix inverse(n, n, 0.0f);
    FitVector column(n);
    for (int k = 1; k <= n; ++k) {
        for (int i = 1; i <= n; ++i)
            column(i) = i == k ? 1.0f : 0.0f;
        LUSolve(a, pivot, column);
        for (int i = 1; i <= n; ++i)
            inverse(i, k) = column(i);
    }
    a = inverse;
}
