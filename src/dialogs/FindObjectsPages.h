// The three pages of the Find Objects wizard: the method explained, the
// metrics with the outline colour, and the results file with Go.
#pragma once

#include <QWizardPage>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/FileChooser.h"
#include "forms/FindObjectsWizard.h"

class CColorButton;
class CNUVAKDoc;
class QCheckBox;
class QLineEdit;
class QPushButton;
class QTextEdit;

// The method explained, and the options: area limits (in pixels or the
// image's unit squared), the shortest major axis reported, the edge's
// objects, own pixels and the summary.
class CFindObjectsIntroPage : public QWizardPage {
    Q_OBJECT
public:
    CFindObjectsIntroPage(FindObjectsMetrics& metrics, const std::string& areaUnit, QWidget* parent = nullptr);

    // Next: the area limits read; false after a refusal.
    bool validatePage() override;

    QLineEdit* MinArea() const { return minArea_; }
    QLineEdit* MaxArea() const { return maxArea_; }
    QLineEdit* MinMajor() const { return minMajor_; }
    QCheckBox* Option(const QString& label) const;

private:
    FindObjectsMetrics& metrics_;
    QLineEdit* minArea_;
    QLineEdit* maxArea_;
    QLineEdit* minMajor_;
};

class CFindObjectsMetricsPage : public QWizardPage {
    Q_OBJECT
public:
    CFindObjectsMetricsPage(FindObjectsMetrics& metrics, QWidget* parent = nullptr);

    // The colour chooser: the colour chosen, none when cancelled.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColor;

    // Shows the metrics' colour on the button.
    void initializePage() override;
    // Next: the flags rebuilt from the boxes.
    bool validatePage() override;

    QCheckBox* Box(const QString& label) const;
    CColorButton* ColorButton() const { return colorButton_; }

private:
    void OnColor();

    FindObjectsMetrics& metrics_;
    std::vector<QCheckBox*> boxes_;  // in MetricBoxes() order
    CColorButton* colorButton_;
};

class CFindObjectsOutputFilePage : public QWizardPage {
    Q_OBJECT
public:
    CFindObjectsOutputFilePage(CNUVAKDoc* document, const FindObjectsMetrics& metrics, QWidget* parent = nullptr);

    // The save dialog behind Browse.
    FileChooser chooseFile;
    // Called with the results file after each Go that found the objects.
    std::function<void(const std::string& path)> resultsWritten;

    // Becoming active clears the results.
    void initializePage() override;
    // Finish before any Go asks whether to close with nothing measured.
    bool validatePage() override;

    QLineEdit* FileEdit() const { return fileEdit_; }
    QPushButton* BrowseButton() const { return browse_; }
    QPushButton* GoButton() const { return go_; }
    // The results as built from the file, "\r\n" line ends and tabs.
    const std::string& ResultsText() const { return results_; }
    // A Go reached the image (found its objects, or failed on the way).
    bool Searched() const { return searched_; }
    QTextEdit* ResultsBox() const { return resultsBox_; }

private:
    void OnBrowse();
    void OnGo();
    void ShowResults();

    CNUVAKDoc* document_;
    const FindObjectsMetrics& metrics_;
    std::string results_;
    bool searched_ = false;
    bool measured_ = false;
    QLineEdit* fileEdit_;
    QPushButton* browse_;
    QPushButton* go_;
    QTextEdit* resultsBox_;
};
