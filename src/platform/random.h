#pragma once
// Random numbers for the drills. Every generator takes its source by reference, so
// tests can script the draws and reach any case exactly.

#include <deque>
#include <initializer_list>

namespace lumora {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Reseed from the time of day.
    virtual void randomize() = 0;
    // A single-precision value in [0, 1).
    virtual float rnd() = 0;
};

// A 24-bit linear congruential generator, the classic classroom-computer kind: every
// value is a multiple of 2^-24 and so exact in single precision.
class TimeOfDayRandom : public RandomSource {
public:
    explicit TimeOfDayRandom(unsigned seed = 0x50000);
    void randomize() override;
    float rnd() override;
    void reseed(unsigned seed) { m_state = seed & 0xFFFFFF; }

private:
    unsigned m_state;
};

// Plays back a fixed list of draws, then fails loudly (a test that runs out of draws
// is wrong, not lucky).
class ScriptedRandom : public RandomSource {
public:
    ScriptedRandom() = default;
    ScriptedRandom(std::initializer_list<float> draws) : m_draws(draws) {}
    void push(float draw) { m_draws.push_back(draw); }
    void randomize() override { ++m_reseeds; }
    float rnd() override;
    int reseeds() const { return m_reseeds; }
    std::size_t remaining() const { return m_draws.size(); }

private:
    std::deque<float> m_draws;
    int m_reseeds = 0;
};

// Int(x): the largest whole number not above x.
long long intPart(double x);
// CInt(x): to the nearest whole number, halves to the even one.
int roundToEven(double x);

// The draw that makes Int(Rnd * n) give k: handy for scripting a source.
float drawFor(int k, int n);

} // namespace lumora
