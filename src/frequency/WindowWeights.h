// The one-dimensional weights of the window functions.
#pragma once

enum WindowType { WINDOW_HAMMING = 0, WINDOW_HANN = 1, WINDOW_COSINE = 2, WINDOW_TRIANGULAR = 3, WINDOW_ROLLOFF = 4 };

// alpha + (1 - alpha) cos((i - (L - 1)/2) 2 pi / (L - 1)): 1 in the middle,
// 2 alpha - 1 at both ends.
double GeneralisedCosine(int i, int length, double alpha);

// The rolloff taper length of a side of length pixels.
int RolloffTaper(int length, int percent);

// Fills weights[0 .. length - 1] (length >= 2) for the window type; an
// unknown type is Hamming. Rolloff needs percent * length >= 150.
void WindowWeights(int type, double alpha, int percent, int length, double* weights);
