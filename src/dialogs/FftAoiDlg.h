// CFftAoiDlg: the frequency wizard's first page. Two lists choose a
// power-of-two AOI size; the mouse moves the AOI over the image.
#pragma once

#include <QWizardPage>

#include "forms/FftAoiModel.h"

class CFftPicture;
class CFftPageHost;
class QLabel;
class QListWidget;

class CFftAoiDlg : public QWizardPage {
    Q_OBJECT
public:
    explicit CFftAoiDlg(CFftPageHost& sheet);

    // Fills the lists from the sheet's work image and draws it; false after
    // the message when the picture cannot be drawn.
    bool OnInitDialog();
    // Next is available only when both lists offer a size.
    bool isComplete() const override;
    // Next: the tracker becomes the work image's AOI.
    bool validatePage() override;

    const FftAoiModel& Model() const { return model_; }
    QListWidget* WidthList() const { return widths_; }
    QListWidget* HeightList() const { return heights_; }
    CFftPicture* Picture() const { return picture_; }
    QLabel* TooSmallText() const { return tooSmall_; }

private:
    void OnPress(QPoint at);
    void OnMove(QPoint at);
    void OnRelease(QPoint at);
    void PaintTracker(class QPainter& painter) const;

    CFftPageHost& sheet_;
    FftAoiModel model_;
    QListWidget* widths_;
    QListWidget* heights_;
    CFftPicture* picture_;
    QLabel* tooSmall_;
    QLabel* selectSize_;
    QLabel* useMouse_;
    bool dragging_ = false;
    QPoint grabbed_;
    AoiRect moving_{0, 0, 0, 0};
};
