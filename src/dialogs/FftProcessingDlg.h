// CFftProcessingDlg: the frequency wizard's third page. It shows the
// spectrum with the frequencies to delete marked pale yellow and the
// result beside it; High Pass, Low Pass or a custom ellipse drawn with the
// mouse choose the frequencies, Apply Filter removes them.
#pragma once

#include <QWizardPage>

#include "forms/FftProcessingModel.h"

class CFftPicture;
class CFftPageHost;
class QButtonGroup;
class QPainter;
class QCheckBox;
class QPushButton;
class QSlider;

class CFftProcessingDlg : public QWizardPage {
    Q_OBJECT
public:
    explicit CFftProcessingDlg(CFftPageHost& sheet);

    // The page becomes active: pictures fitted, the slider at 100 and the
    // ellipse taken from it unless Custom is chosen.
    void OnSetActive();

    const FftProcessingModel& Model() const { return model_; }
    QButtonGroup* Filters() const { return filters_; }
    QSlider* SizeSlider() const { return size_; }
    QPushButton* ApplyButton() const { return apply_; }
    QPushButton* UndoButton() const { return undo_; }
    // Shows the spectrum with its log magnitudes stretched over 0..255 and
    // pooled so that single peaks survive the shrinking; kept in the settings.
    QCheckBox* StretchBox() const { return stretch_; }
    CFftPicture* SpectrumPicture() const { return spectrum_; }
    CFftPicture* ResultPicture() const { return result_; }

private:
    void OnFilter(int type);
    void SliderEllipse();
    void OnApply();
    void OnUndo();
    // Draws both images; false after the message (the wizard then closes).
    bool ShowPictures();
    // Redraws; closes the wizard unless the step and the drawing succeeded.
    void AfterFiltering(bool ok);
    void PaintMarks(QPainter& painter) const;

    CFftPageHost& sheet_;
    FftProcessingModel model_;
    QButtonGroup* filters_;
    QSlider* size_;
    QPushButton* apply_;
    QPushButton* undo_;
    QCheckBox* stretch_;
    CFftPicture* spectrum_;
    CFftPicture* result_;
};
