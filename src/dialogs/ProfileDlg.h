// CProfileDlg: the "Profile" dialog of a measured line: the intensity
// curves along it, their statistics and the read-out under the mouse.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "forms/Measurement.h"
#include "forms/ProfileModel.h"

class CActiveDocumentSource;
class CNUVAKDoc;
class QCheckBox;
class QLabel;
class QPainter;

class CProfileDlg : public QDialog {
    Q_OBJECT
public:
    CProfileDlg(const CActiveDocumentSource* documents, ImagePoint p1, ImagePoint p2, double angle, const std::string& measurement,
                QWidget* parent = nullptr);

    // Samples the active document's image; false after the message when it
    // cannot be found.
    bool OnInitDialog();
    // Closes as cancelled at once when opening fails.
    int exec() override;

    const ProfileModel& Model() const { return model_; }
    QCheckBox* Box(int channel) const { return boxes_[channel]; }
    QString MeasurementInfo() const;
    QString Statistics() const;
    QString ReadOut() const;
    QCheckBox* FitBox() const { return fit_; }
    // Copy: the samples as tab-separated text on the clipboard.
    void OnCopy();
    // Save...: the samples as a CSV file, with a header line.
    void OnSave();
    // Asks for the CSV file's path; replaceable for tests.
    std::function<QString()> askCsvPath;

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    // The active document, or null after its handler's message; the dialog
    // then closes as cancelled.
    CNUVAKDoc* ActiveDocument(ProfileHandler handler);
    void Fail(const std::string& text);
    // The scale labels and the graph after a change of the range.
    void ShowRange();
    // The graph's box and curves, on the upper part of the dialog.
    void PaintGraph(QPainter& painter);
    // The read-out and the cursor for the mouse at (in the upper part's pixels).
    void Hover(QPoint at);

    const CActiveDocumentSource* documents_;
    ImagePoint p1_, p2_;
    double angle_;
    std::string measurement_;
    ProfileModel model_;
    bool failed_ = false;
    QWidget* canvas_;  // the upper part, which draws the graph
    QCheckBox* boxes_[3];
    QCheckBox* fit_;
    QLabel* high_;
    QLabel* low_;
    QLabel* measurementLabel_;
    QLabel* statisticsLabel_;
    QLabel* readOut_;
};
