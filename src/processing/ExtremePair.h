// What erosion, dilation and the passes that chain them share: the element
// directions, the checks before a pass, and an erosion followed by a
// dilation (or the reverse) in one pass over the image, the middle of an
// opening or a closing.
#pragma once

#include "processing/Neighbourhood.h"

class CImage;

namespace neighbourhood {

enum Direction { Omnidirectional = 0, Horizontal = 1, Vertical = 2, Diagonal = 3 };

// Refuses a colour image, then settles the size and the room for it.
int PrepareMorphology(CImage& image, int& n, const NeighbourhoodTexts& texts);

// The first extreme (the maximum when firstMax) and then the other, both
// with the n x n line or square element of direction, as the two operations
// one after the other give them; texts are the first operation's.
int ExtremePair(CImage& image, int n, int direction, bool firstMax, const NeighbourhoodTexts& texts);

}  // namespace neighbourhood
