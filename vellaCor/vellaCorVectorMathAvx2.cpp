// The 4-wide forms of vellaCorVectorMath, built for AVX2 with FMA (see CMakeLists.txt); called
// only where the processor has both. SLEEF's AVX2 functions give the same values as the 2-wide
// ones that it picks on such a processor.
#include <immintrin.h>
#include <sleef.h>

#include <array>

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

// Lane permutations by a 4-bit mask of the lanes to keep, as indices of eight 32-bit halves:
// `pack` moves the kept lanes to the front in order, `unpack` puts them back in their places.
struct Permutations
{
    std::array<std::array<int, 8>, 16> pack{}, unpack{};
};

constexpr Permutations makePermutations()
{
    Permutations p;
    for (int mask = 0; mask < 16; ++mask)
    {
        int k = 0;
        for (int lane = 0; lane < 4; ++lane)
            if (mask & (1 << lane))
            {
                p.pack[mask][2 * k] = 2 * lane, p.pack[mask][2 * k + 1] = 2 * lane + 1;
                p.unpack[mask][2 * lane] = 2 * k, p.unpack[mask][2 * lane + 1] = 2 * k + 1;
                ++k;
            }
    }
    return p;
}

constexpr Permutations kPermutations = makePermutations();

__m256d permute(__m256d v, const std::array<int, 8>& order)
{
    const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(order.data()));
    return _mm256_castps_pd(_mm256_permutevar8x32_ps(_mm256_castpd_ps(v), index));
}
} // namespace

void atanAvx2(const double* x, double* y, int n) { apply(Sleef_atand4_u35avx2, Sleef_atand2_u35avx2128, x, y, n); }
void tanhAvx2(const double* x, double* y, int n) { apply(Sleef_tanhd4_u35avx2, Sleef_tanhd2_u35avx2128, x, y, n); }

// The values of each sign packed into a list of their own, four at a time, so that each half of
// the curve runs only where it applies; then unpacked into place.
void valveAvx2(double* y, int n, double a, double b)
{
    constexpr int kPiece = 64;
    // Each group of four is stored whole at its list's end and loaded back from the same place, so
    // the lists need room for four more and every lane read was written first.
    alignas(32) double positive[kPiece + 4], negative[kPiece + 4];
    __m256d signs[kPiece / 4];
    int masks[kPiece / 4];
    const __m256d scaleP = _mm256_set1_pd(a), scaleN = _mm256_set1_pd(-a), asymmetry = _mm256_set1_pd(0.64);
    const __m256d makeUpP = _mm256_set1_pd(b), makeUpN = _mm256_set1_pd(-b);
    for (int start = 0; start < n; start += kPiece)
    {
        double* v = y + start;
        const int m = n - start < kPiece ? n - start : kPiece;
        const int whole = m / 4 * 4;
        int positives = 0, negatives = 0;
        for (int i = 0; i < whole; i += 4)
        {
            const __m256d x = _mm256_loadu_pd(v + i);
            signs[i / 4] = _mm256_cmp_pd(x, _mm256_setzero_pd(), _CMP_GE_OQ);
            const int mask = _mm256_movemask_pd(signs[i / 4]);
            masks[i / 4] = mask;
            const __m256d p = _mm256_mul_pd(scaleP, x);
            const __m256d q = _mm256_mul_pd(_mm256_mul_pd(scaleN, x), asymmetry);
            _mm256_storeu_pd(positive + positives, permute(p, kPermutations.pack[mask]));
            _mm256_storeu_pd(negative + negatives, permute(q, kPermutations.pack[mask ^ 15]));
            const int count = __builtin_popcount(unsigned(mask));
            positives += count;
            negatives += 4 - count;
        }
        const int positivesWhole = positives, negativesWhole = negatives;
        for (int i = whole; i < m; ++i)
        {
            if (v[i] >= 0.0)
                positive[positives++] = a * v[i];
            else
                negative[negatives++] = -a * v[i] * 0.64;
        }
        atanAvx2(positive, positive, positives);
        tanhAvx2(negative, negative, negatives);
        int p = 0, q = 0;
        for (int i = 0; i < whole; i += 4)
        {
            const int mask = masks[i / 4];
            const __m256d up = _mm256_mul_pd(permute(_mm256_loadu_pd(positive + p), kPermutations.unpack[mask]), makeUpP);
            const __m256d down = _mm256_div_pd(
                _mm256_mul_pd(permute(_mm256_loadu_pd(negative + q), kPermutations.unpack[mask ^ 15]), makeUpN),
                asymmetry);
            _mm256_storeu_pd(v + i, _mm256_blendv_pd(down, up, signs[i / 4]));
            const int count = __builtin_popcount(unsigned(mask));
            p += count;
            q += 4 - count;
        }
        p = positivesWhole, q = negativesWhole;
        for (int i = whole; i < m; ++i)
            v[i] = v[i] >= 0.0 ? positive[p++] * b : -negative[q++] * b / 0.64;
    }
}

} // namespace vellaCorVectorMath
