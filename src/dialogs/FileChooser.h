// The common file dialogs of the object and filter dialogs: what each asks
// for, and a hook so that tests can stand in for the user.
#pragma once

#include <QString>
#include <functional>

class QFileDialog;
class QWidget;

struct FileChoice {
    QString filter;  // "Data files (*.dat)"
    QString suffix;  // added when the typed name has none
    bool save;       // save: asks before replacing a file; open: the file must exist
    QString title = {};  // "Save As" or "Open" when empty
    QString name = {};   // the name offered at first
};

// Sets dialog up for the choice.
void ConfigureFileDialog(QFileDialog& dialog, const FileChoice& choice);

// Runs the dialog; the full path chosen, empty when cancelled.
QString ChooseFile(QWidget* parent, const FileChoice& choice);

using FileChooser = std::function<QString(const FileChoice&)>;
