#pragma once

#include <cstdint>

enum BiquadType : uint32_t
{
    kBiquadHighPass = 1,
    kBiquadOnePole = 2,
    kBiquadLowShelf = 3,
    kBiquadPeaking = 4,
    kBiquadBandPass = 5,
    kBiquadNotch = 6,
    kBiquadHighShelf = 7,
    kBiquadLowPass = 8,
    kBiquadOnePoleMean = 9,
    kBiquadAllPass = 10,
};

// Second-order section in direct form I, designed from the audio cookbook formulas with a Q that
// narrows as the corner approaches Nyquist. Frequency and Q are plain fields: write them, then design().
class BiquadFilter
{
public:
    BiquadFilter(double sampleRate, uint32_t type, double frequency, double q, double gainDb);

    void setSampleRate(double rate);
    void design();
    void clear() { x1 = x2 = y1 = y2 = 0.0; }

    double process(double x)
    {
        double y = b1 * x1 + b0 * x + b2 * x2 - a1 * y1 - a2 * y2;
        y = (y + 1e-25) - 1e-25; // flushes denormal results to zero
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }

    // Four steps with the same input; the output of the fourth.
    double processHeld4(double x)
    {
        process(x);
        process(x);
        process(x);
        return process(x);
    }

    double sampleRate;
    uint32_t type;
    double frequency;
    double q;
    double gain; // dB, shelving and peaking types only
    double a1 = 1.0, a2 = 1.0, b0 = 1.0, b1 = 1.0, b2 = 1.0;
    double x1 = 0.0, x2 = 0.0, y1 = 0.0, y2 = 0.0;
    // The one-pole types keep their coefficient here for an owner that runs its own recursion.
    double onePoleCoefficient = 0.0;
    double onePoleMean = 0.0;
};
