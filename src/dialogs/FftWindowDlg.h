// CFftWindowDlg: the frequency wizard's second page. Radio buttons choose
// the window that fades the AOI's edges; sliders and a percent set the
// Cosine and Rolloff windows; the picture shows the windowed AOI.
#pragma once

#include <QWizardPage>

#include "forms/FftWindowModel.h"

class CFftPicture;
class CFftPageHost;
class QButtonGroup;
class QLabel;
class QLineEdit;
class QSlider;

class CFftWindowDlg : public QWizardPage {
    Q_OBJECT
public:
    explicit CFftWindowDlg(CFftPageHost& sheet);

    // The page becomes active: a fresh crop of the AOI, windowed as chosen.
    void OnSetActive();
    // Next: the percent must be valid; the windowed AOI is transformed.
    bool validatePage() override;

    const FftWindowModel& Model() const { return model_; }
    QButtonGroup* Choices() const { return choices_; }
    QSlider* CosineSlider() const { return cosine_; }
    QSlider* RolloffSlider() const { return rolloff_; }
    QLabel* CosineLabel() const { return cosineLabel_; }
    QLabel* RolloffLabel() const { return rolloffLabel_; }
    QLineEdit* PercentEdit() const { return percent_; }
    QLabel* PercentSign() const { return percentSign_; }
    CFftPicture* Picture() const { return picture_; }

private:
    void OnChoice(int choice);
    void OnSliderMoved(QSlider* slider, QLabel* label, int& position);
    void OnPercentEdited();
    // Checks the typed percent; false after the standard message.
    bool TakePercent();
    void EnableControls();
    // Windows a fresh copy of the AOI and draws it.
    void ApplyWindow();

    CFftPageHost& sheet_;
    FftWindowModel model_;
    QButtonGroup* choices_;
    QSlider* cosine_;
    QSlider* rolloff_;
    QLabel* cosineLabel_;
    QLabel* rolloffLabel_;
    QLineEdit* percent_;
    QLabel* percentSign_;
    CFftPicture* picture_;
};
