// The ellipse of frequencies a filter deletes: its inclusive bounding box in
// spectrum display coordinates and the display pixels it covers.
#pragma once

struct FilterEllipse {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    // The ellipse of the low and high pass filters for a size slider at
    // position 0..100 over a width x height spectrum.
    static FilterEllipse FromSlider(int width, int height, int position);

    // Whether display pixel (x, y) lies in the ellipse inscribed in the box
    // (left, top, right + 1, bottom + 1): its centre is inside or on the
    // ellipse. The pixel set is symmetric about the box's centre.
    bool Contains(int x, int y) const;
};
