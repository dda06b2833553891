#include "analysis/fit_statistics.h"

#include "analysis/fit_data.h"

#include <cmath>
#include <limits>

namespace {

// The continued fraction of the regularised incomplete beta function,
// evaluated by the modified Lentz method.
double BetaFraction(double a, double b, double x)
{
    constexpr double kTiny = 1e-300;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    d = 1.0 / (std::fabs(d) < kTiny ? kTiny : d);
    double result = d;
    for (int m = 1; m <= 300; ++m) {
        const double m2 = 2.0 * m;
        double term = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
        for (int half = 0; half < 2; ++half) {
            d = 1.0 + term * d;
            d = 1.0 / (std::fabs(d) < kTiny ? kTiny : d);
            c = 1.0 + term / c;
            if (std::fabs(c) < kTiny)
                c = kTiny;
            result *= d * c;
            term = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
        }
        if (std::fabs(d * c - 1.0) < 1e-15)
            break;
    }
    return result;
}

// I_x(a, b), the regularised incomplete beta function.
double IncompleteBeta(double a, double b, double x)
{
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log1p(-x));
    // The fraction converges fast on the side of the mean.
    if (x < (a + 1.0) / (a + b + 2.0))
        return front * BetaFraction(a, b, x) / a;
    return 1.0 - front * BetaFraction(b, a, 1.0 - x) / b;
}

// P(T <= t) for Student's t with `degrees` degrees of freedom.
double StudentDistribution(double t, double degrees)
{
    const double tail = 0.5 * IncompleteBeta(0.5 * degrees, 0.5, degrees / (degrees + t * t));
    return t >= 0.0 ? 1.0 - tail : tail;
}

} // namespace

double StudentQuantile(double p, int degrees)
{
    if (degrees < 1 || !(p > 0.0 && p < 1.0))
        return std::numeric_limits<double>::quiet_NaN();
    if (p < 0.5)
        return -StudentQuantile(1.0 - p, degrees);
    // The distribution rises monotonically: bisect, after finding an upper end.
    double low = 0.0;
    double high = 1.0;
    while (StudentDistribution(high, degrees) < p && high < 1e300)
        high *= 2.0;
    for (int i = 0; i < 200 && high - low > 1e-15 * high; ++i) {
        const double middle = 0.5 * (low + high);
        if (StudentDistribution(middle, degrees) < p)
            low = middle;
        else
            high = middle;
    }
    return 0.5 * (low + high);
}

FitStatistics DescribeFit(const FitData& data, double chiSquare, const FitMatrix& covariance)
{
    FitStatistics statistics;
    const int n = covariance.num_rows();
    statistics.points = data.Count();
    statistics.parameters = n;
    statistics.degreesOfFreedom = statistics.points - n;
    statistics.chiSquare = chiSquare;
    statistics.weighted = data.Weighted();
    if (statistics.degreesOfFreedom > 0)
        statistics.reducedChiSquare = chiSquare / statistics.degreesOfFreedom;

    // R^2 against the weighted mean of y, with the weights of chi-squared.
    double weightSum = 0.0;
    double weightedY = 0.0;
    for (std::size_t i = 0; i < data.x.size(); ++i) {
        const double weight = ResidualWeight(data, i) * ResidualWeight(data, i);
        weightSum += weight;
        weightedY += weight * double(data.y[i]);
    }
    const double mean = weightSum > 0.0 ? weightedY / weightSum : 0.0;
    double spread = 0.0;
    for (std::size_t i = 0; i < data.x.size(); ++i) {
        const double deviation = (double(data.y[i]) - mean) * ResidualWeight(data, i);
        spread += deviation * deviation;
    }
    statistics.rSquared = spread > 0.0 ? 1.0 - chiSquare / spread : (chiSquare == 0.0 ? 1.0 : 0.0);

    statistics.scaled = !statistics.weighted && statistics.degreesOfFreedom > 0;
    const double factor = statistics.scaled ? statistics.reducedChiSquare : 1.0;
    statistics.covariance = covariance;
    for (int j = 1; j <= n; ++j)
        for (int k = 1; k <= n; ++k)
            statistics.covariance(j, k) *= factor;
    for (int k = 1; k <= n; ++k)
        statistics.errors.push_back(std::sqrt(std::fabs(statistics.covariance(k, k))));
    statistics.correlation = FitMatrix(n, n, 0.0);
    for (int j = 1; j <= n; ++j) {
        for (int k = 1; k <= n; ++k) {
            const double scale = statistics.errors[std::size_t(j - 1)] * statistics.errors[std::size_t(k - 1)];
            statistics.correlation(j, k) = scale > 0.0 ? statistics.covariance(j, k) / scale : (j == k ? 1.0 : 0.0);
        }
    }
    return statistics;
}
