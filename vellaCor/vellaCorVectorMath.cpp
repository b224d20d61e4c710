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

#if QOR_HAVE_SLEEF
void atanAvx2(const double* x, double* y, int n);
void tanhAvx2(const double* x, double* y, int n);

namespace
{
// Decided once at load, off the processing thread.
const bool kAvx2 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma");
} // namespace

void atan(const double* x, double* y, int n) { kAvx2 ? atanAvx2(x, y, n) : apply(Sleef_atand2_u35, x, y, n); }
void tanh(const double* x, double* y, int n) { kAvx2 ? tanhAvx2(x, y, n) : apply(Sleef_tanhd2_u35, x, y, n); }
#else
void atan(const double* x, double* y, int n) { apply([](double v) { return std::atan(v); }, x, y, n); }
void tanh(const double* x, double* y, int n) { apply([](double v) { return std::tanh(v); }, x, y, n); }
#endif

} // namespace vellaCorVectorMath
