#include "io/audio_channel.h"

#include "model/plot.h"

#include <algorithm>
#include <cmath>
#include <iterator>

float XSpan(const Plot& plot)
{
    if (plot.PointCount() == 0)
        return 0.0f;
    float low = plot.m_points.Top().x, high = low;
    plot.m_points.ForEachFromTop([&](const PlotPoint& point) {
        low = std::min(low, point.x);
        high = std::max(high, point.x);
    });
    return high - low;
}

bool IsConvertible(const Plot& plot)
{
    auto point = plot.m_points.begin();
    const auto end = plot.m_points.end();
    if (point == end)
        return false;
    const float first = point->x;
    if (++point == end)
        return true;
    const float second = point->x;
    const bool falling = first > second;
    for (++point; point != end; ++point) {
        if (falling ? point->x > second : point->x < second)
            return false;
    }
    return true;
}

namespace {

// The sample level of y: the set's y range [low, high] stretched over the
// volume's share of the 16-bit range from -32768 up.
class Levels {
public:
    Levels(double low, double high, int percent) : m_low(low), m_range(high - low), m_percent(percent) {}

    std::int16_t operator()(double y) const
    {
        const double level = m_range == 0.0
                                 ? -32768.0 + std::floor(32768.0 * m_percent / 100.0)
                                 : -32768.0 + std::floor(65536.0 * m_percent * (y - m_low) /
                                                         (100.0 * m_range));
        // NaN fails both tests and becomes the lowest level.
        if (!(level >= -32768.0))
            return -32768;
        if (!(level <= 32767.0))
            return 32767;
        return std::int16_t(level);
    }

private:
    double m_low;
    double m_range;
    int m_percent;
};

} // namespace

void FillChannel(const Plot& plot, int percent, std::int16_t* samples, std::size_t count)
{
    if (count == 0)
        return;
    auto a = plot.m_points.begin();
    const auto end = plot.m_points.end();
    std::size_t done = 0;
    if (a != end && std::next(a) != end) {
        double x0 = a->x, x1 = a->x, y0 = a->y, y1 = a->y;
        plot.m_points.ForEachFromTop([&](const PlotPoint& point) {
            x0 = std::min<double>(x0, point.x);
            x1 = std::max<double>(x1, point.x);
            y0 = std::min<double>(y0, point.y);
            y1 = std::max<double>(y1, point.y);
        });
        const Levels level(y0, y1, percent);
        auto b = std::next(a);
        const bool falling = a->x > b->x;
        const double step = count > 1 ? (x1 - x0) / double(count - 1) : 0.0;
        // A falling walk fills from the end. Each slot's x is formed from the
        // slot alone and each piece is interpolated from its lower end, so a
        // set and its falling twin give the same samples bit for bit; the
        // last slot lands on the span's end however the steps round.
        const auto slot = [&](std::size_t i) { return falling ? count - 1 - i : i; };
        const auto xAt = [&](std::size_t i) { return std::min(x0 + double(slot(i)) * step, x1); };
        for (; b != end && done < count; a = b, ++b) {
            const bool rising = a->x <= b->x;
            const PlotPoint low = rising ? *a : *b;
            const PlotPoint high = rising ? *b : *a;
            for (; done < count; ++done) {
                const double x = xAt(done);
                if (falling ? !(x >= b->x) : !(x <= b->x))
                    break;
                double y;
                if (low.x == high.x)
                    y = b->y; // on an upright segment, the value of its end
                else if (x == low.x)
                    y = low.y;
                else if (x == high.x)
                    y = high.y;
                else
                    y = low.y + (double(high.y) - low.y) * (x - low.x) / (double(high.x) - low.x);
                samples[slot(done)] = level(y);
            }
        }
        for (; done < count; ++done)
            samples[slot(done)] = -32768;
        return;
    }
    std::fill(samples, samples + count, std::int16_t(-32768));
}
