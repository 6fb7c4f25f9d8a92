#include "platform/random.h"

#include <QTime>
#include <cmath>
#include <stdexcept>

namespace lumora {

TimeOfDayRandom::TimeOfDayRandom(unsigned seed) : m_state(seed & 0xFFFFFF) {}

void TimeOfDayRandom::randomize() {
    // Mix the time of day into the state rather than replace it, so that two reseeds
    // within the same clock tick still lead to different sequences.
    const unsigned ms = static_cast<unsigned>(QTime::currentTime().msecsSinceStartOfDay());
    m_state = (m_state ^ (ms * 2654435761u >> 8)) & 0xFFFFFF;
    rnd();
}

float TimeOfDayRandom::rnd() {
    m_state = (m_state * 1140671485u + 12820163u) & 0xFFFFFF;
    return static_cast<float>(m_state) / 16777216.0f;
}

float ScriptedRandom::rnd() {
    if (m_draws.empty())
        throw std::logic_error("scripted random source ran out of draws");
    const float d = m_draws.front();
    m_draws.pop_front();
    return d;
}

long long intPart(double x) { return static_cast<long long>(std::floor(x)); }

int roundToEven(double x) {
    const double r = std::nearbyint(x); // the default rounding mode is to nearest, ties even
    return static_cast<int>(r);
}

float drawFor(int k, int n) {
    // The middle of the k-th of n equal slices of [0, 1).
    return (static_cast<float>(k) + 0.5f) / static_cast<float>(n);
}

} // namespace lumora
