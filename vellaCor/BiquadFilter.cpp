#include "vellaCor/BiquadFilter.h"

#include <cmath>

namespace
{
constexpr double kTwoPi = 6.283185307179586;

// Q narrowed near Nyquist: Q' = Q (1 - (f / (d fs))^e).
double correctedQ(double q, double f, double fs, double d, double e)
{
    return q * (1.0 - std::pow(f / (d * fs), e));
}
} // namespace

BiquadFilter::BiquadFilter(double rate, uint32_t filterType, double frequencyHz, double quality,
                           double gainDb)
    : sampleRate(rate), type(filterType), frequency(frequencyHz), q(quality), gain(gainDb)
{
    design();
}

void BiquadFilter::setSampleRate(double rate)
{
    sampleRate = rate;
    const double reference = (rate < 20000.0 || rate > 200000.0) ? 44100.0 : rate;
    if (frequency > 0.499 * reference)
        frequency = 0.499 * reference;
    design();
}

void BiquadFilter::design()
{
    a1 = a2 = b0 = b1 = b2 = 1.0;
    const double fs = sampleRate;
    if (frequency > 0.499 * fs)
        frequency = 0.499 * fs;
    const double f = frequency;
    const double w = kTwoPi * f / fs;
    const double c = std::cos(w);
    const double s = std::sin(w);

    double a0 = 1.0, na1 = 1.0, na2 = 1.0, nb0 = 1.0, nb1 = 1.0, nb2 = 1.0;
    switch (type)
    {
    case kBiquadHighPass:
    {
        const double alpha = s / (2.0 * correctedQ(q, f, fs, 0.5001, 6.0));
        a0 = 1.0 + alpha;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha;
        nb0 = (1.0 + c) / 2.0;
        nb1 = -(1.0 + c);
        nb2 = (1.0 + c) / 2.0;
        break;
    }
    case kBiquadLowShelf:
    {
        const double A = std::pow(10.0, gain / 40.0);
        const double beta = std::sqrt(A) * s / correctedQ(q, f, fs, 0.5001, 3.5);
        a0 = (A + 1.0) + (A - 1.0) * c + beta;
        na1 = -2.0 * ((A - 1.0) + (A + 1.0) * c);
        na2 = (A + 1.0) + (A - 1.0) * c - beta;
        nb0 = A * ((A + 1.0) - (A - 1.0) * c + beta);
        nb1 = 2.0 * A * ((A - 1.0) - (A + 1.0) * c);
        nb2 = A * ((A + 1.0) - (A - 1.0) * c - beta);
        break;
    }
    case kBiquadPeaking:
    {
        const double A = std::pow(10.0, gain / 40.0);
        const double alpha = s / (2.0 * correctedQ(q, f, fs, 0.5001, 2.8));
        a0 = 1.0 + alpha / A;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha / A;
        nb0 = 1.0 + alpha * A;
        nb1 = -2.0 * c;
        nb2 = 1.0 - alpha * A;
        break;
    }
    case kBiquadBandPass:
    {
        const double alpha = s / (2.0 * correctedQ(q, f, fs, 0.5001, 2.8));
        a0 = 1.0 + alpha;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha;
        nb0 = alpha;
        nb1 = 0.0;
        nb2 = -alpha;
        break;
    }
    case kBiquadNotch:
    {
        const double alpha = s / (2.0 * correctedQ(q, f, fs, 0.5001, 2.8));
        a0 = 1.0 + alpha;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha;
        nb0 = 1.0;
        nb1 = -2.0 * c;
        nb2 = 1.0;
        break;
    }
    case kBiquadHighShelf:
    {
        const double A = std::pow(10.0, gain / 40.0);
        const double beta = std::sqrt(A) * s / correctedQ(q, f, fs, 0.5001, 4.0);
        a0 = (A + 1.0) - (A - 1.0) * c + beta;
        na1 = 2.0 * ((A - 1.0) - (A + 1.0) * c);
        na2 = (A + 1.0) - (A - 1.0) * c - beta;
        nb0 = A * ((A + 1.0) + (A - 1.0) * c + beta);
        nb1 = -2.0 * A * ((A - 1.0) + (A + 1.0) * c);
        nb2 = A * ((A + 1.0) + (A - 1.0) * c - beta);
        break;
    }
    case kBiquadLowPass:
    {
        const double alpha = s / (2.0 * correctedQ(q, f, fs, 0.50001, 8.0));
        a0 = 1.0 + alpha;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha;
        nb0 = (1.0 - c) / 2.0;
        nb1 = 1.0 - c;
        nb2 = (1.0 - c) / 2.0;
        break;
    }
    case kBiquadAllPass:
    {
        const double alpha = s / (2.0 * q);
        a0 = 1.0 + alpha;
        na1 = -2.0 * c;
        na2 = 1.0 - alpha;
        nb0 = 1.0 - alpha;
        nb1 = -2.0 * c;
        nb2 = 1.0 + alpha;
        break;
    }
    case kBiquadOnePole:
    case kBiquadOnePoleMean:
        onePoleCoefficient = std::pow(0.005, f / fs);
        if (type == kBiquadOnePoleMean)
            onePoleMean = (onePoleCoefficient + 1.0) / 2.0;
        return;
    default:
        return; // unknown type: coefficients stay at 1.0
    }
    a1 = na1 / a0;
    a2 = na2 / a0;
    b0 = nb0 / a0;
    b1 = nb1 / a0;
    b2 = nb2 / a0;
}
