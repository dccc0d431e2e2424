// Save and open dialogs set up for one kind of file.
#include "dialogs/FileChooser.h"

#include <QFileDialog>

void ConfigureFileDialog(QFileDialog& dialog, const FileChoice& choice)
{
    dialog.setWindowTitle(!choice.title.isEmpty() ? choice.title : choice.save ? "Save As" : "Open");
    dialog.setAcceptMode(choice.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    // Either way the folder must exist; an opened file must exist too.
    dialog.setFileMode(choice.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.setNameFilter(choice.filter);
    dialog.setDefaultSuffix(choice.suffix);
    if (!choice.name.isEmpty()) dialog.selectFile(choice.name);
}

QString ChooseFile(QWidget* parent, const FileChoice& choice)
{
    QFileDialog dialog(parent);
    ConfigureFileDialog(dialog, choice);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}
