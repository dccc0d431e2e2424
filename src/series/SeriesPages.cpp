// Series operation groups.
#include "series/SeriesPages.h"

#include <algorithm>
#include <initializer_list>

namespace {

bool OneOf(const std::string& name, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&name](const char* n) { return name == n; });
}

}  // namespace

SeriesParameterPage ParameterPageFor(const std::string& name)
{
    using Page = SeriesParameterPage;
    if (OneOf(name, {"Erosion", "Dilation", "Opening", "Closing", "Outline", "Gradient", "Peak Detection",
                     "Valley Detection"}))
        return Page::Morphology;
    if (OneOf(name, {"High Pass Filter", "Low Pass Filter", "Unsharp Mask", "Median Filter", "Laplace", "Prewitt",
                     "Clean"}))
        return Page::Filter;
    if (OneOf(name, {"Rotate", "Scale"})) return Page::Transform;
    if (name == "Find Objects") return Page::FindObjects;
    if (OneOf(name, {"Bound", "Brightness Slice", "Threshold"})) return Page::Process;
    return Page::None;
}

bool UsesAoi(const std::string& name)
{
    return !OneOf(name, {"Grayscale", "Extract RGB", "Comb", kSeriesRecipeEntry});
}

bool UsesRepetitions(const std::string& name)
{
    return OneOf(name, {"Opening", "Closing", "Peak Detection", "Valley Detection"});
}
