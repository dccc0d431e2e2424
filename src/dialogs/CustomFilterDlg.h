// CCustomFilterDlg: the "Custom Filter" dialog, a 9 x 9 grid of weight boxes
// of which the centred size x size block is used, with the filter file.
#pragma once

#include "dialogs/FileChooser.h"
#include "dialogs/OperationDlg.h"
#include "forms/CustomFilterModel.h"

class CNUVAKDoc;

class CCustomFilterDlg : public COperationDlg {
    Q_OBJECT
public:
    explicit CCustomFilterDlg(QWidget* parent = nullptr);

    // The document's Custom filter command: snapshot, the dialog, and after
    // OK the filter with its size and weights.
    static void OnCustomFilter(CNUVAKDoc& document, QWidget* parent);

    CustomFilterModel& Values() { return model_; }
    // The save and open dialogs of Save To File and Read From File.
    FileChooser chooseFile;

private:
    void ShowSize();
    void ShowWeights();
    void OnClearAll();
    void OnSaveToFile();
    void OnReadFromFile();

    CustomFilterModel model_;
};
