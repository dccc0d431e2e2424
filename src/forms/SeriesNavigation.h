// The series wizard's page order: where Next and Back lead for the chosen
// operation, and the Select Operation list with its reselection.
#pragma once

#include <string>
#include <vector>

enum class SeriesPage {
    SelectFiles,
    SelectOperation,
    SelectAoi,
    MorphParams,
    FilterParams,
    TransformParams,
    ObjectParams,
    ProcessParams,
    Confirmation
};

// The caption of each page, "Series Processing - ...".
const char* SeriesPageCaption(SeriesPage page);
// Next once the page's own checks passed; Back. The first page has no
// Back and the last no Next: they return the page itself.
SeriesPage SeriesNextPage(SeriesPage page, const std::string& operation);
SeriesPage SeriesBackPage(SeriesPage page, const std::string& operation);

// The operations offered for a first image of this format, sorted as the
// list box shows them; operations not built yet are left out.
std::vector<std::string> SeriesOperationList(int format);
// The first entry beginning with previous (case-insensitive, as the list's
// own search); 0 for an empty previous, -1 when none matches.
int SeriesOperationSelection(const std::vector<std::string>& list, const std::string& previous);
// Next on Select Operation without a selection.
constexpr const char* kSeriesNoOperation = "Please select an operation from the list provided.";
