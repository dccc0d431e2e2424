// Opens the workbench's own file dialogs at a size that shows their columns.
#pragma once

class QFileDialog;

// Widens a file dialog drawn by Qt, the first time it is shown, until its
// detail list shows every column, within the screen's room; the platform's
// own dialogs size themselves and are left alone.
void FitFileDialogColumns(QFileDialog& dialog);
