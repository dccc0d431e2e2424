// CHistogramDlg without its window: the channel list, the bars scaled to
// the peak, the colour ramp, the read-out under the mouse and the slide by
// dragging. The dialog edits the document's image; Stretch and Equalize are
// StretchHistogram and EqualizeHistogram of processing/HistogramCombos.h.
#pragma once

#include <string>
#include <vector>

#include "image/Image.h"

// Graph rectangle in dialog client pixels.
constexpr int kHistogramGraphLeft = 10;
constexpr int kHistogramGraphTop = 20;
constexpr int kHistogramGraphWidth = 256;
constexpr int kHistogramGraphHeight = 175;

// "Intensity" alone for a grayscale image; "Red", "Green", "Blue" otherwise.
std::vector<std::string> HistogramChannelEntries(int format);

// For each level the y where its bar, drawn up from the graph's bottom
// (y 195), ends: trunc(195 - count x 175 / peak). Counts the AOI first.
std::vector<int> HistogramBarTops(CImage& image, int channel);
// The bars' pen: black for a grayscale image, else the channel's colour.
CColorVal HistogramPenColor(int format, int channel);
// The ramp's colour at level i: grey, or the channel's pure colour.
CColorVal HistogramRampColor(int format, int channel, int level);

struct HistogramReadout {
    std::string intensity = "Intensity:";
    std::string count = "Pixel Count:";
};

class HistogramDrag {
public:
    // Counts the AOI; starts a drag when the press lies over the channel's
    // occupied levels (inclusive) and within the graph's height.
    bool Press(CImage& image, int channel, int x, int y);
    bool Dragging() const { return dragging_; }
    // The read-out while not dragging and inside the graph, the plain labels
    // otherwise. image's histograms are those of the last count.
    HistogramReadout Move(const CImage& image, int channel, int x, int y) const;
    // While dragging: whether the occupied range shifted to x still fits,
    // and where its two marker lines go.
    bool MarkersFit(int x) const;
    int LowMarker(int x) const { return x - toLowest_; }
    int HighMarker(int x) const { return x + toHighest_; }
    // Ends the drag and slides the treated channels by x - start, limited
    // to keep the occupied levels within 0..255; returns the shift applied.
    int Release(CImage& image, int channel, int x);

private:
    bool dragging_ = false;
    int startX_ = 0;
    int toLowest_ = 0;
    int toHighest_ = 0;
};

enum class HistogramHandler { Opening, Painting, MouseMove, ChannelChange, Stretch, Equalize, Reset, Cancel };
// What a handler shows when the active document cannot be found.
std::string HistogramNoDocumentText(HistogramHandler handler);
