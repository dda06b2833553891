#include "analysis/least_squares.h"

#include <cmath>

void FactorQR(std::vector<double>& columns, int rows, int n, std::vector<double>& rhs, FitMatrix& r)
{
    if (r.num_rows() != n || r.num_cols() != n)
        r.newsize(n, n);
    r = 0.0;
    for (int k = 0; k < n; ++k) {
        double* a = columns.data() + std::size_t(k) * std::size_t(rows);
        double sum = 0.0;
        for (int i = k; i < rows; ++i)
            sum += a[i] * a[i];
        const double norm = std::sqrt(sum);
        if (norm == 0.0 || !std::isfinite(norm))
            continue;  // R(k, k) stays 0 and no reflection is applied
        // The reflection maps a[k..] onto alpha e_k; alpha takes the sign
        // opposite to a[k] so that a[k] - alpha never cancels.
        const double alpha = a[k] > 0.0 ? -norm : norm;
        const double beta = 1.0 / (norm * (norm + std::fabs(a[k])));
        a[k] -= alpha;
        auto reflect = [&](double* column) {
            double dot = 0.0;
            for (int i = k; i < rows; ++i)
                dot += a[i] * column[i];
            const double s = beta * dot;
            for (int i = k; i < rows; ++i)
                column[i] -= s * a[i];
        };
        for (int j = k + 1; j < n; ++j)
            reflect(columns.data() + std::size_t(j) * std::size_t(rows));
        reflect(rhs.data());
        r(k + 1, k + 1) = alpha;
    }
    // Later reflections leave the rows above them alone, so R's off-diagonal
    // entries can be read once every column is done.
    for (int k = 0; k < n && k < rows; ++k)
        for (int j = k + 1; j < n; ++j)
            r(k + 1, j + 1) = columns[std::size_t(j) * std::size_t(rows) + std::size_t(k)];
}

bool SolveDamped(const FitMatrix& r, const std::vector<double>& q, const std::vector<int>& free,
                 const std::vector<double>& scale, double lambda, std::vector<double>& step)
{
    const int n = r.num_rows();
    const int f = int(free.size());
    step.assign(std::size_t(n), 0.0);
    if (f == 0)
        return true;
    // [R_F; sqrt(lambda) D_F] d = [q; 0] in the least-squares sense, by a
    // second (small) QR, so the damping never squares the problem either.
    const int rows = n + f;
    std::vector<double> columns(std::size_t(rows) * std::size_t(f), 0.0);
    const double root = std::sqrt(lambda);
    for (int c = 0; c < f; ++c) {
        const int k = free[std::size_t(c)];
        double* column = columns.data() + std::size_t(c) * std::size_t(rows);
        for (int i = 0; i <= k; ++i)
            column[i] = r(i + 1, k + 1);
        column[n + c] = root * scale[std::size_t(k)];
    }
    std::vector<double> rhs(std::size_t(rows), 0.0);
    for (int i = 0; i < n; ++i)
        rhs[std::size_t(i)] = q[std::size_t(i)];
    FitMatrix small;
    FactorQR(columns, rows, f, rhs, small);
    std::vector<double> d(std::size_t(f), 0.0);
    for (int i = f - 1; i >= 0; --i) {
        const double pivot = small(i + 1, i + 1);
        if (pivot == 0.0 || !std::isfinite(pivot))
            return false;
        double sum = rhs[std::size_t(i)];
        for (int j = i + 1; j < f; ++j)
            sum -= small(i + 1, j + 1) * d[std::size_t(j)];
        d[std::size_t(i)] = sum / pivot;
    }
    for (int c = 0; c < f; ++c)
        step[std::size_t(free[std::size_t(c)])] = d[std::size_t(c)];
    return true;
}

bool CovarianceFromR(const FitMatrix& r, FitMatrix& covariance)
{
    const int n = r.num_rows();
    for (int k = 1; k <= n; ++k)
        if (r(k, k) == 0.0 || !std::isfinite(r(k, k)))
            return false;
    // R^-1 column by column (it is upper triangular too), then R^-1 R^-T.
    FitMatrix inverse(n, n, 0.0);
    for (int column = 1; column <= n; ++column) {
        for (int i = column; i >= 1; --i) {
            double sum = i == column ? 1.0 : 0.0;
            for (int j = i + 1; j <= column; ++j)
                sum -= r(i, j) * inverse(j, column);
            inverse(i, column) = sum / r(i, i);
        }
    }
    covariance.newsize(n, n);
    for (int i = 1; i <= n; ++i) {
        for (int j = i; j <= n; ++j) {
            double sum = 0.0;
            for (int k = j; k <= n; ++k)
                sum += inverse(i, k) * inverse(j, k);
            covariance(i, j) = sum;
            covariance(j, i) = sum;
        }
    }
    return true;
}
