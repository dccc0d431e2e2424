// The one-dimensional weights of the window functions.
#include "frequency/WindowWeights.h"

#include <algorithm>
#include <cmath>

double GeneralisedCosine(int i, int length, double alpha)
{
    // 2 pi to 14 decimals; the weights depend on this very value.
    const double twoPi = 6.28318530717958;
    return alpha + (1 - alpha) * std::cos((i - (length - 1) / 2.0) * twoPi / (length - 1));
}

int RolloffTaper(int length, int percent)
{
    return static_cast<int>(static_cast<double>(length) * percent * 0.01 + 0.5);
}

void WindowWeights(int type, double alpha, int percent, int length, double* weights)
{
    switch (type) {
    case WINDOW_HANN:
        for (int i = 0; i < length; ++i) weights[i] = GeneralisedCosine(i, length, 0.5);
        return;
    case WINDOW_COSINE:
        for (int i = 0; i < length; ++i) weights[i] = GeneralisedCosine(i, length, alpha);
        return;
    case WINDOW_TRIANGULAR:
        for (int i = 0; i < length; ++i) weights[i] = 1 - std::fabs(2.0 * i / (length - 1) - 1);
        return;
    case WINDOW_ROLLOFF: {
        // The right taper continues the left one's curve (positions k ..
        // 2k - 1) rather than mirroring it, so it ends above the left end.
        const int k = RolloffTaper(length, percent);
        const int rightStart = std::max(k, length - k);
        for (int i = 0; i < length; ++i) {
            if (i < k)
                weights[i] = GeneralisedCosine(i, 2 * k - 1, alpha);
            else if (i < rightStart)
                weights[i] = 1.0;
            else
                weights[i] = GeneralisedCosine(i - length + 2 * k, 2 * k - 1, alpha);
        }
        return;
    }
    default:
        for (int i = 0; i < length; ++i) weights[i] = GeneralisedCosine(i, length, 0.54);
        return;
    }
}
