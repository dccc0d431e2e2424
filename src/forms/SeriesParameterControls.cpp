// Series parameter pages: shown and enabled controls per operation.
#include "forms/SeriesParameterControls.h"

#include "image/Image.h"
#include "series/SeriesPages.h"

SeriesParameterControls SeriesControlsFor(const std::string& op, int format)
{
    SeriesParameterControls c;
    const bool rgb = format == FORMAT_RGB;
    c.repetitions = UsesRepetitions(op);
    c.sizeEnabled = op != "Prewitt";
    c.direction = op == "Prewitt";
    c.boost = op == "Unsharp Mask";
    c.thresholds = op == "Clean";
    c.boundGroups = op == "Bound";
    c.intensityEnabled = c.boundGroups && !rgb;
    c.colorEnabled = c.boundGroups && rgb;
    c.sliceLimits = op == "Brightness Slice";
    c.editPixels = op == "Threshold";
    c.componentEnabled = c.editPixels && rgb;
    c.degrees = op == "Rotate";
    c.scale = op == "Scale";
    return c;
}
