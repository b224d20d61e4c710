#pragma once

// The compressor worked out from its equations alone, in long double and sample by sample, so
// that the product's tables, constants and filter designs meet figures that share nothing with
// its code. Plain settings (step numbers, linear gains), not normalised values.
#include <algorithm>
#include <cmath>
#include <cstdint>

namespace qortest
{

class DescribedCompressor
{
public:
    using Real = long double;

    struct Settings
    {
        double rate = 44100.0;
        int mode = 1;            // 1 "Clear", 2 "Valve"
        int ratio = 3;           // "3:1"
        int attackSteps = 10;    // "x1" on either path
        double timeScale = 0.05; // "Time" 5.00
        double drive = 1.0;
        double output = 1.0;
        double valveIn = 1.0, valveOut = 1.0;
    };

    // The valve headroom K by ratio index.
    static constexpr double kHeadroom[7] = {22.4, 22.4 * 0.7071, 8.0, 5.6568, 4.0, 2.82, 2.8};

    explicit DescribedCompressor(const Settings& s) : s_(s)
    {
        // The meter starts settled at unity at 44.1 kHz, then is redesigned with its history kept.
        meter_ = lowPass(44100.0, 2.0, 0.583);
        for (int i = 0; i < 44100; ++i)
            meter_.step(1.0L);
        const Filter settled = meter_;
        meter_ = lowPass(s.rate, 7.0 / 3.0, 0.583);
        meter_.keepHistory(settled);
        side_[0] = side_[1] = highPass(s.rate, 40.0, 0.3);
        fast_ = lowPass(s.rate, 5.0, 0.5);
        slow_ = lowPass(s.rate, 2.0, 0.5);
        drive_ = s.drive;
        output_ = s.output;
    }

    Settings& settings() { return s_; } // drive and output glide to new values; the rest switch

    // One sample; right is ignored in mono. Returns the left output and sets right.
    Real step(double inLeft, double inRight, bool stereo, Real& outRight)
    {
        drive_ = (s_.drive - drive_) * 0.001L + drive_;
        output_ = (s_.output - output_) * 0.001L + output_;
        const Real xL = dither() + drive_ * inLeft;
        const Real xR = stereo ? dither() + drive_ * inRight : xL;
        Real d;
        if (stereo)
        {
            const Real hL = side_[0].step(xL), hR = side_[1].step(xR);
            d = 0.7071L * (hL * hL + hR * hR);
        }
        else
        {
            d = std::fabs(side_[0].step(xL));
        }
        const Real fast = std::max(1e-6L, fast_.step(d)), slow = std::max(1e-6L, slow_.step(d));
        const Real r = fast * 0.2L / slow;
        const Real fc = (4.0L * r / (r + 1.0L) + 0.1L) * 0.7L / s_.timeScale;
        const Real fd = fc < 0.001L ? 0.001L : std::min(Real(0.499L * s_.rate), fc);
        const Real w = 2.0L * kPi * fd / s_.rate, c = std::cos(w), alpha = std::sin(w) / 0.2L,
                   a0 = 1.0L + alpha;
        optical_.set((1.0L - c) / 2.0L / a0, (1.0L - c) / a0, (1.0L - c) / 2.0L / a0, -2.0L * c / a0,
                     (1.0L - alpha) / a0);
        Real e = 0.0L;
        for (int i = 0, n = d > envelope_ ? s_.attackSteps : 1; i < n; ++i)
            e = optical_.step(d);
        envelope_ = std::max(e, 0.001L);
        const Real g = gain(s_.ratio, std::sqrt(envelope_));
        meterGain_ = meter_.step(g);
        outRight = shape(g * xR);
        return shape(g * xL);
    }

    Real meterReading() const { return std::clamp(1.0L - meterGain_, 0.0L, 1.0L); }

    static Real gain(int ratio, Real s)
    {
        const Real a = std::atan(1.2L * s), t = std::tanh(s);
        switch (ratio)
        {
        case 0:
            return 0.6L / (1.0L + 0.4L * s) + 0.4L;
        case 1:
            return 0.8L / (1.0L + 0.4L * s) + 0.2L;
        case 2:
            return ((a * 0.92L / 1.2L + 0.08L * s) * 0.3L +
                    (0.9L * s / (0.35L * s + 1.0L) + 0.1L * s) * 0.7L) /
                   s;
        case 3:
            return ((a * 0.95L / 1.2L + 0.05L * s) * 0.65L +
                    (0.95L * s / (0.35L * s + 1.0L) + 0.05L * s) * 0.35L) /
                   s;
        case 4:
            return (a * 0.97L / 1.2L + 0.03L * s) / s;
        case 5:
            return ((a * 0.982L / 1.2L + 0.018L * s) * 0.5L + (t * 0.982L + 0.018L * s) * 0.5L) / s;
        default:
            return (t * 0.99L + 0.01L * s) / s;
        }
    }

private:
    static constexpr Real kPi = 3.141592653589793238462643383279502884L;

    struct Filter
    {
        Real b0 = 0, b1 = 0, b2 = 0, a1 = 0, a2 = 0, x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        void set(Real nb0, Real nb1, Real nb2, Real na1, Real na2)
        {
            b0 = nb0, b1 = nb1, b2 = nb2, a1 = na1, a2 = na2;
        }
        void keepHistory(const Filter& f) { x1 = f.x1, x2 = f.x2, y1 = f.y1, y2 = f.y2; }
        Real step(Real x)
        {
            const Real y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
            x2 = x1, x1 = x, y2 = y1, y1 = y;
            return y;
        }
    };

    // Cookbook sections with the quality factor narrowed near Nyquist.
    static Filter section(bool high, double rate, double f, double q)
    {
        const Real qq =
            q * (1.0L - std::pow(Real(f) / ((high ? 0.5001L : 0.50001L) * rate), high ? 6.0L : 8.0L));
        const Real w = 2.0L * kPi * f / rate, c = std::cos(w), alpha = std::sin(w) / (2.0L * qq),
                   a0 = 1.0L + alpha;
        const Real b = (high ? 1.0L + c : 1.0L - c) / a0;
        Filter s;
        s.set(b / 2.0L, high ? -b : b, b / 2.0L, -2.0L * c / a0, (1.0L - alpha) / a0);
        return s;
    }
    static Filter lowPass(double rate, double f, double q) { return section(false, rate, f, q); }
    static Filter highPass(double rate, double f, double q) { return section(true, rate, f, q); }

    Real dither()
    {
        uint32_t& s1 = noise_[0];
        uint32_t& s2 = noise_[1];
        uint32_t& s3 = noise_[2];
        s1 = ((((s1 >> 9) ^ s1) >> 6) & 0x1FFFu) ^ (s1 << 13);
        s2 = ((((s2 >> 2) ^ s2) >> 7) & 0xFFFFFu) ^ (s2 << 20);
        s3 = ((((s3 >> 6) ^ s3) >> 8) & 0x1FFFFu) ^ (s3 << 17);
        return (2.0L * Real(s1 ^ s2 ^ s3) * 2.3283064365e-10L - 1.0L) * 1e-10L;
    }

    Real shape(Real y) const
    {
        if (s_.mode == 2)
        {
            const Real k = kHeadroom[s_.ratio], a = s_.valveIn / k, b = k * s_.valveOut;
            y = y >= 0 ? std::atan(a * y) * b : -std::tanh(-a * y * 0.64L) * b / 0.64L;
        }
        return y / drive_ * output_;
    }

    Settings s_;
    uint32_t noise_[3] = {592, 153768, 1526};
    Filter side_[2], fast_, slow_, optical_, meter_;
    Real drive_, output_, envelope_ = 0.0001L, meterGain_ = 1.0L;
};

} // namespace qortest
