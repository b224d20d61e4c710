#include "vellaCor/vellaCorVectorMath.h"

#if QOR_HAVE_SLEEF
#include <emmintrin.h>
#include <sleef.h>
#else
#include <cmath>
#endif

namespace vellaCorVectorMath
{
namespace
{
#if QOR_HAVE_SLEEF
template <typename F> void apply(F f, const double* x, double* y, int n)
{
    int i = 0;
    for (; i + 2 <= n; i += 2)
        _mm_storeu_pd(y + i, f(_mm_loadu_pd(x + i)));
    if (i < n)
        _mm_store_sd(y + i, f(_mm_set_sd(x[i])));
}
#else
template <typename F> void apply(F f, const double* x, double* y, int n)
{
    for (int i = 0; i < n; ++i)
        y[i] = f(x[i]);
}
#endif
} // namespace

// Each half of the curve runs over only the values of its sign; both lists are written and the
// one that the sign picks moves on, so there is no branch on the audio.
void valveBaseline(double* y, int n, double a, double b)
{
    constexpr int kPiece = 64;
    double positive[kPiece], negative[kPiece];
    int positiveAt[kPiece], negativeAt[kPiece];
    for (int start = 0; start < n; start += kPiece)
    {
        double* v = y + start;
        const int m = n - start < kPiece ? n - start : kPiece;
        int positives = 0, negatives = 0;
        for (int i = 0; i < m; ++i)
        {
            positive[positives] = a * v[i];
            positiveAt[positives] = i;
            negative[negatives] = -a * v[i] * 0.64;
            negativeAt[negatives] = i;
            const int isNegative = !(v[i] >= 0.0);
            positives += 1 - isNegative;
            negatives += isNegative;
        }
        atan(positive, positive, positives);
        tanh(negative, negative, negatives);
        for (int k = 0; k < positives; ++k)
            v[positiveAt[k]] = positive[k] * b;
        for (int k = 0; k < negatives; ++k)
            v[negativeAt[k]] = -negative[k] * b / 0.64;
    }
}

#if QOR_HAVE_SLEEF
void atanAvx2(const double* x, double* y, int n);
void tanhAvx2(const double* x, double* y, int n);
void valveAvx2(double* y, int n, double a, double b);

namespace
{
// Decided once at load, off the processing thread.
const bool kAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
} // namespace

void atan(const double* x, double* y, int n) { kAvx2 ? atanAvx2(x, y, n) : apply(Sleef_atand2_u35, x, y, n); }
void tanh(const double* x, double* y, int n) { kAvx2 ? tanhAvx2(x, y, n) : apply(Sleef_tanhd2_u35, x, y, n); }
void valve(double* y, int n, double a, double b) { kAvx2 ? valveAvx2(y, n, a, b) : valveBaseline(y, n, a, b); }
#else
void atan(const double* x, double* y, int n) { apply([](double v) { return std::atan(v); }, x, y, n); }
void tanh(const double* x, double* y, int n) { apply([](double v) { return std::tanh(v); }, x, y, n); }
void valve(double* y, int n, double a, double b) { valveBaseline(y, n, a, b); }
#endif

} // namespace vellaCorVectorMath
