// Parameter commands: which dialog each opens and the pipeline around it.
#include "app/ParameterCommands.h"

#include "dialogs/BoundDlg.h"
#include "dialogs/BrightnessSliceDlg.h"
#include "dialogs/CleanDlg.h"
#include "dialogs/FilterDlg.h"
#include "dialogs/MorphologyDlg.h"
#include "dialogs/RotateDlg.h"
#include "dialogs/ScaleDlg.h"
#include "dialogs/ThresholdDlg.h"
#include "document/DialogCommands.h"
#include "document/NUVAKDoc.h"

std::unique_ptr<COperationDlg> MakeCommandDialog(const DialogCommand& command, QWidget* parent)
{
    switch (command.dialog) {
    case CommandDialog::Threshold: return std::make_unique<CThresholdDlg>(parent);
    case CommandDialog::BrightnessSlice: return std::make_unique<CBrightnessSliceDlg>(parent);
    case CommandDialog::Bound: return std::make_unique<CBoundDlg>(parent);
    case CommandDialog::Clean: return std::make_unique<CCleanDlg>(parent);
    case CommandDialog::Filter: return std::make_unique<CFilterDlg>(command.mode, parent);
    case CommandDialog::Morphology: return std::make_unique<CMorphologyDlg>(command.mode, parent);
    case CommandDialog::Rotate: return std::make_unique<CRotateDlg>(parent);
    case CommandDialog::Scale: return std::make_unique<CScaleDlg>(parent);
    }
    return nullptr;
}

bool RunParameterCommand(CNUVAKDoc& document, int id, QWidget* parent)
{
    const DialogCommand* command = FindDialogCommand(id);
    if (command == nullptr) return false;
    const std::unique_ptr<COperationDlg> dialog = MakeCommandDialog(*command, parent);
    dialog->RestoreLastValues();
    document.RunPipeline([&dialog](CImage& image) { return dialog->Model().ApplyTo(image); }, command->wait,
                         command->reportFailure, [&] { return dialog->Run(document.image); },
                         [&dialog] { return HistoryEntry{dialog->Model().Steps(), {}}; });
    return true;
}
