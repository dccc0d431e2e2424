// The four-pixel interpolation shared by Rotate and Scale.
#pragma once

#include "image/ColorVal.h"

// Mixes p(ix, iy), p(ix + 1, iy), p(ix, iy + 1), p(ix + 1, iy + 1) from the
// rows upper (iy) and lower (iy + 1). fx and fy may lie outside 0..1 at an
// image's last column or row, which extrapolates; the result is clamped.
inline CColorVal Bilinear(const CColorVal* upper, const CColorVal* lower, int ix, double fx, double fy)
{
    const double w00 = (1 - fx) * (1 - fy);
    const double w10 = fx * (1 - fy);
    const double w01 = (1 - fx) * fy;
    const double w11 = fx * fy;
    const CColorVal& a = upper[ix];
    const CColorVal& b = upper[ix + 1];
    const CColorVal& c = lower[ix];
    const CColorVal& d = lower[ix + 1];
    return CColorVal(RoundHalfAway(a.red * w00 + b.red * w10 + c.red * w01 + d.red * w11),
                     RoundHalfAway(a.green * w00 + b.green * w10 + c.green * w01 + d.green * w11),
                     RoundHalfAway(a.blue * w00 + b.blue * w10 + c.blue * w01 + d.blue * w11));
}
