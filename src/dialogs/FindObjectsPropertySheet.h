// CFindObjectsPropertySheet: the "Find Objects" wizard, which finds the
// objects of the document's image, writes their metrics and shows them.
#pragma once

#include <QWizard>
#include <cstdint>
#include <functional>
#include <string>

#include "forms/FindObjectsWizard.h"

class CFindObjectsIntroPage;
class CFindObjectsMetricsPage;
class CFindObjectsOutputFilePage;
class CNUVAKDoc;

class CFindObjectsPropertySheet : public QWizard {
    Q_OBJECT
public:
    enum Page { kIntro, kMetrics, kOutputFile };

    // document: whose image Go searches; null when none is active.
    CFindObjectsPropertySheet(CNUVAKDoc* document, QWidget* parent = nullptr);

    // The document's Find Objects command: the wizard with the image's
    // outline colour, then the redraw, and the modified flag once a Go ran;
    // each results file written is handed to resultsWritten.
    static void OnFindObjects(CNUVAKDoc& document, QWidget* parent,
                              const std::function<void(const std::string& path)>& resultsWritten = {});

    // The outline colour the metrics page starts from, 0x00BBGGRR.
    void SetObjectColor(std::uint32_t color) { metrics_.outlineColor = color; }
    const FindObjectsMetrics& Metrics() const { return metrics_; }

    CFindObjectsMetricsPage* MetricsPage() const { return metricsPage_; }
    CFindObjectsOutputFilePage* OutputFilePage() const { return outputPage_; }

private:
    void OnHelp();

    FindObjectsMetrics metrics_;
    CFindObjectsMetricsPage* metricsPage_;
    CFindObjectsOutputFilePage* outputPage_;
};
