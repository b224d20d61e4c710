#pragma once

// atan and tanh over arrays, several values per instruction where the vector math library is
// available (SLEEF, within 3.5 ulp: one float of the output in hundreds of millions moves), else
// the C library one by one. Never allocates; any thread.
namespace vellaCorVectorMath
{

void atan(const double* x, double* y, int n);
void tanh(const double* x, double* y, int n);

// The asymmetric valve curve in place: atan(a·y)·b for y >= 0, else -tanh(-a·y·0.64)·b / 0.64.
void valve(double* y, int n, double a, double b);
// The form valve() takes where the processor has no AVX2; the same values.
void valveBaseline(double* y, int n, double a, double b);

} // namespace vellaCorVectorMath
