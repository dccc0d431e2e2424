// Series wizard navigation by operation group.
#include "forms/SeriesNavigation.h"

#include <algorithm>
#include <cctype>

#include "image/Image.h"
#include "series/Operations.h"
#include "series/SeriesPages.h"

namespace {

// The page collecting the operation's parameters; Confirmation for those
// that have none.
SeriesPage ParameterPage(const std::string& operation)
{
    switch (ParameterPageFor(operation)) {
        case SeriesParameterPage::Morphology: return SeriesPage::MorphParams;
        case SeriesParameterPage::Filter: return SeriesPage::FilterParams;
        case SeriesParameterPage::Transform: return SeriesPage::TransformParams;
        case SeriesParameterPage::FindObjects: return SeriesPage::ObjectParams;
        case SeriesParameterPage::Process: return SeriesPage::ProcessParams;
        case SeriesParameterPage::None: break;
    }
    return SeriesPage::Confirmation;
}

bool StartsWithNoCase(const std::string& text, const std::string& prefix)
{
    if (prefix.size() > text.size()) return false;
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

}  // namespace

const char* SeriesPageCaption(SeriesPage page)
{
    switch (page) {
        case SeriesPage::SelectFiles: return "Series Processing - Select Files";
        case SeriesPage::SelectOperation: return "Series Processing - Select Operation";
        case SeriesPage::SelectAoi: return "Series Processing - Select AOI";
        case SeriesPage::MorphParams: return "Series Processing - Morphological Parameters";
        case SeriesPage::FilterParams: return "Series Processing - Filter parameters";
        case SeriesPage::TransformParams: return "Series Processing - Transformation";
        case SeriesPage::ObjectParams: return "Series Processing - Find Objects Parameters";
        case SeriesPage::ProcessParams: return "Series Processing - Parameters";
        case SeriesPage::Confirmation: return "Series Processing - Confirmation";
    }
    return "";
}

SeriesPage SeriesNextPage(SeriesPage page, const std::string& operation)
{
    switch (page) {
        case SeriesPage::SelectFiles: return SeriesPage::SelectOperation;
        case SeriesPage::SelectOperation: return UsesAoi(operation) ? SeriesPage::SelectAoi : SeriesPage::Confirmation;
        case SeriesPage::SelectAoi: return ParameterPage(operation);
        case SeriesPage::Confirmation: return SeriesPage::Confirmation;
        default: return SeriesPage::Confirmation;  // every parameter page
    }
}

SeriesPage SeriesBackPage(SeriesPage page, const std::string& operation)
{
    switch (page) {
        case SeriesPage::SelectFiles: return SeriesPage::SelectFiles;
        case SeriesPage::SelectOperation: return SeriesPage::SelectFiles;
        case SeriesPage::SelectAoi: return SeriesPage::SelectOperation;
        case SeriesPage::Confirmation: {
            if (!UsesAoi(operation)) return SeriesPage::SelectOperation;
            const SeriesPage through = ParameterPage(operation);
            return through == SeriesPage::Confirmation ? SeriesPage::SelectAoi : through;
        }
        default: return SeriesPage::SelectAoi;  // every parameter page
    }
}

std::vector<std::string> SeriesOperationList(int format)
{
    const OfferedFor own = format == FORMAT_GRAYSCALE ? OfferedFor::Grayscale : OfferedFor::Rgb;
    std::vector<std::string> list;
    for (const Operation& op : OperationTable())
        if (op.inSeries && (op.offered == OfferedFor::Both || op.offered == own)) list.emplace_back(op.name);
    // The list box sorts without regard to case.
    std::sort(list.begin(), list.end(), [](const std::string& a, const std::string& b) {
        return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) < std::tolower(static_cast<unsigned char>(y));
        });
    });
    return list;
}

int SeriesOperationSelection(const std::vector<std::string>& list, const std::string& previous)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (StartsWithNoCase(list[i], previous)) return static_cast<int>(i);
    return -1;
}
