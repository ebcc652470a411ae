#include "optics/extended_cos.h"

#include <cmath>

namespace {

// pi/2 as the sum of three extended values; the first is the extended value nearest to pi/2,
// half the program's pi. The two tails keep the remainder pi/2 - x accurate to about 2^-190,
// which matters next to 90 degrees, where the cosine itself is as small as 1e-20.
constexpr Extended PiOver2Hi = 0xC90FDAA22168C235P-63L;
constexpr Extended PiOver2Mid = -0xECE675D1FC8F8CBBP-129L;
constexpr Extended PiOver2Lo = -0xB7ED8FBBACC19C60P-194L;
constexpr Extended PiOver4 = PiOver2Hi / 2;
constexpr Extended ThreePiOver4 = 3 * PiOver4;

// Taylor coefficients of the sine, 1/3! ... 1/21! with alternating signs. Beyond x^21 the series
// adds less than 2^-80 relative to the sine for |x| <= pi/4.
constexpr Extended InverseFactorial(int n) {
    Extended f = 1;
    for (int i = 2; i <= n; ++i) {
        f *= i;
    }
    return 1 / f;
}
constexpr Extended S1 = -InverseFactorial(3);
constexpr Extended S2 = InverseFactorial(5);
constexpr Extended S3 = -InverseFactorial(7);
constexpr Extended S4 = InverseFactorial(9);
constexpr Extended S5 = -InverseFactorial(11);
constexpr Extended S6 = InverseFactorial(13);
constexpr Extended S7 = -InverseFactorial(15);
constexpr Extended S8 = InverseFactorial(17);
constexpr Extended S9 = -InverseFactorial(19);
constexpr Extended S10 = InverseFactorial(21);

// sin(x + y) for |x| <= pi/4 and |y| below half an ulp of x: x plus a correction that is at
// most a tenth of x, so the rounding of the correction hardly shows in the result. The tail y
// enters as y * (1 - x^2 / 2), the first terms of y * cos(x).
Extended SinKernel(Extended x, Extended y) {
    const Extended z = x * x;
    const Extended v = z * x;
    // S2 + S3 z + ... + S10 z^8, in Estrin's scheme: the same terms, a shorter dependency chain.
    const Extended z2 = z * z;
    const Extended z4 = z2 * z2;
    const Extended p01 = S2 + z * S3;
    const Extended p23 = S4 + z * S5;
    const Extended p45 = S6 + z * S7;
    const Extended p67 = S8 + z * S9;
    const Extended r = (p01 + z2 * p23) + z4 * ((p45 + z2 * p67) + z4 * S10);
    return x - ((z * (y / 2 - v * r) - y) - v * S1);
}

} // namespace

Extended ExtendedCos(Extended x) {
    if (!(x > PiOver4 && x < ThreePiOver4)) {
        return std::cos(x);
    }
    // cos(x) = sin(pi/2 - x). PiOver2Hi - x is exact (x lies within a factor of two of it); the
    // tails are added as an unevaluated sum yHi + yLo.
    const Extended t = PiOver2Hi - x;
    const Extended yHi = t + PiOver2Mid;
    const Extended yLo = ((t - yHi) + PiOver2Mid) + PiOver2Lo;
    return SinKernel(yHi, yLo);
}
