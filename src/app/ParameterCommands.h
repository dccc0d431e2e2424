// The image commands with a parameter dialog: the dialog of each command and
// its run through the document's pipeline.
#pragma once

#include <memory>

class CNUVAKDoc;
class COperationDlg;
class QWidget;
struct DialogCommand;

// The dialog of the command, in its mode.
std::unique_ptr<COperationDlg> MakeCommandDialog(const DialogCommand& command, QWidget* parent);

// Snapshot, dialog, then on OK the operation with the dialog's values; false
// when id is not a dialog command.
bool RunParameterCommand(CNUVAKDoc& document, int id, QWidget* parent);
