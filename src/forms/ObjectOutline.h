// Where a results row's object lies on its image, for the Results window's
// link: the traced boundary when the image still holds the object, else the
// bounding box the table gives, else a small square about the centroid.
#pragma once

#include <optional>
#include <vector>

#include "forms/ResultsTable.h"
#include "image/Image.h"

// Half the side of the square marked about a centroid when the table has no box.
constexpr int kCentroidMark = 3;

struct CObjectOutline {
    int id = -1;  // the table's row id
    // Tracing order; empty when only the box is known.
    std::vector<CBoundaryPoint> boundary;
    int left = 0, top = 0, right = 0, bottom = 0;  // inclusive; the outline when there is no boundary

    // Whether pixel (x, y) lies on or inside the outline.
    bool Contains(int x, int y) const;
};

// Whether the image's found objects are those of the rows: every row's
// object number names one whose centroid is the x and y written.
bool ObjectsMatch(const CResultsTable& table, const std::vector<int>& rows, const CImage& image);

// The row's outline: from the image's objects when given (they match the
// table), else from the columns left, top, right, bottom, else from x and y;
// none when the row has neither.
std::optional<CObjectOutline> RowOutline(const CResultsTable& table, int row, const CImage* objects);

// The index of the innermost outline holding (x, y) (the smallest box, as
// a dot inside a ring is), -1 when none does.
int OutlineAt(const std::vector<CObjectOutline>& outlines, int x, int y);
