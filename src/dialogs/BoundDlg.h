// CBoundDlg: the fill colour (Intensity, or Red, Green, Blue with the
// Palette) and whether inside or outside the AOI is filled.
#pragma once

#include <QColor>
#include <functional>
#include <optional>

#include "dialogs/PreviewDlg.h"
#include "forms/BoundDialogModel.h"

class CBoundDlg : public CPreviewDlg {
    Q_OBJECT
public:
    explicit CBoundDlg(QWidget* parent = nullptr);
    BoundDialogModel& Values() { return model_; }

    // The colour chooser: the colour chosen, none when cancelled.
    std::function<std::optional<QColor>(const QColor& initial)> chooseColor;

protected:
    void Opened() override;

private:
    void OnPalette();

    BoundDialogModel model_;
};
