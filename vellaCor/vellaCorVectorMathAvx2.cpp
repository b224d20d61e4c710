// The 4-wide forms of vellaCorVectorMath, built for AVX2 with FMA (see CMakeLists.txt); called
// only where the processor has both. SLEEF's AVX2 functions give the same values as the 2-wide
// ones that it picks on such a processor.
#include <immintrin.h>
#include <sleef.h>

namespace vellaCorVectorMath
{
namespace
{
template <typename F4, typename F2> void apply(F4 f4, F2 f2, const double* x, double* y, int n)
{
    int i = 0;
    for (; i + 4 <= n; i += 4)
        _mm256_storeu_pd(y + i, f4(_mm256_loadu_pd(x + i)));
    for (; i + 2 <= n; i += 2)
        _mm_storeu_pd(y + i, f2(_mm_loadu_pd(x + i)));
    if (i < n)
        _mm_store_sd(y + i, f2(_mm_set_sd(x[i])));
}
} // namespace

void atanAvx2(const double* x, double* y, int n) { apply(Sleef_atand4_u35avx2, Sleef_atand2_u35avx2128, x, y, n); }
void tanhAvx2(const double* x, double* y, int n) { apply(Sleef_tanhd4_u35avx2, Sleef_tanhd2_u35avx2128, x, y, n); }

} // namespace vellaCorVectorMath
