// CHistogramDlg: the "Histogram" dialog. It shows one channel's histogram
// of the active document's AOI and changes the document's image in place:
// slide by dragging, Stretch, Equalize; Reset and Cancel put back the image
// it opened with.
#pragma once

#include <QDialog>

#include <vector>

#include "forms/HistogramModel.h"
#include "image/Image.h"
#include "series/OperationStep.h"

class CActiveDocumentSource;
class CNUVAKDoc;
class QComboBox;
class QLabel;
class QPushButton;

class CHistogramDlg : public QDialog {
    Q_OBJECT
public:
    // documents: where the active document is found each time it is needed.
    explicit CHistogramDlg(const CActiveDocumentSource* documents, QWidget* parent = nullptr);

    // The document's Histogram command: snapshot, the dialog, and after OK
    // the modified flag and the redraw.
    static void OnHistogram(CNUVAKDoc& document, const CActiveDocumentSource* documents, QWidget* parent);

    // Saves the image and fills the channel list; false after the message
    // when there is no active document.
    bool OnInitDialog();
    // Closes as cancelled at once when opening fails.
    int exec() override;

    QComboBox* ChannelList() const { return channel_; }
    QString IntensityText() const;
    QString CountText() const;
    QPushButton* Button(const QString& text) const;
    // Where the dragged markers stand; none before the first move.
    bool MarkersShown() const { return markersShown_; }
    int LowMarker() const { return drag_.LowMarker(markerX_); }
    int HighMarker() const { return drag_.HighMarker(markerX_); }
    // Stretch, Equalize and Slide steps done since opening or Reset, in order.
    const std::vector<OperationStep>& Applied() const { return applied_; }

    void OnHstStretch();
    void OnHstEqualize();
    void OnReset();
    // Cancel: the saved image back, then closed as cancelled.
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The active document, or null after the handler's message; the dialog
    // then closes as cancelled.
    CNUVAKDoc* ActiveDocument(HistogramHandler handler);
    // The active document without a message, for the mouse buttons.
    CNUVAKDoc* FindDocument() const;
    int Channel() const;
    // Stretch or Equalize on the chosen channel, then the views and the graph.
    void Apply(HistogramHandler handler, void (*operation)(CImage&, int), const char* name);
    void AddStep(const char* name, int channel, int offset = 0);
    // Puts the saved pixels back; found objects stay with the document.
    void RestoreSaved(CNUVAKDoc& document);

    const CActiveDocumentSource* documents_;
    CImage saved_;
    HistogramDrag drag_;
    bool captured_ = false;
    bool markersShown_ = false;
    int markerX_ = 0;
    bool failed_ = false;
    std::vector<OperationStep> applied_;
    QComboBox* channel_;
    QLabel* intensity_;
    QLabel* count_;
};
