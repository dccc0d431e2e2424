// COperationDlg: what every operation parameter dialog window shares: its
// controls by id, bound to the model's fields, and OK's field exchange that
// keeps the dialog open with the focus in the refused field.
#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/OperationDialog.h"

class CFieldMark;
class CNumericEdit;
class NumericEdit;
class QComboBox;
class QDialogButtonBox;
class QGroupBox;
class QLayout;
class QLineEdit;

class COperationDlg : public QDialog {
    Q_OBJECT
public:
    COperationDlg(OperationDialog& model, QWidget* parent);
    ~COperationDlg() override;

    OperationDialog& Model() const { return model_; }
    // Shows the dialog for the document's image; true when it ended with OK.
    virtual bool Run(const CImage& documentImage);
    // The control of that id, null for none.
    QWidget* Control(int id) const;

    void accept() override;
    // The values of the last OK of this kind of dialog in this session, put
    // into its controls as if typed; the defaults the first time.
    void RestoreLastValues();
    // Every dialog starts with its defaults again.
    static void ForgetLastValues();

protected:
    // After every change of a control's value: the first refused field marked.
    virtual void Changed();
    void FocusControl(int id);
    void Register(int id, QWidget* control);

    // Controls bound to model fields; each change is written to the field
    // before Changed runs.
    QLineEdit* AddEdit(int id, std::string& text);
    CNumericEdit* AddNumericEdit(int id, NumericEdit& edit);
    QComboBox* AddList(int id, const std::vector<std::string>& entries, int& index);
    // Two radio buttons in a group; set receives true when the first is chosen.
    QGroupBox* AddRadioPair(const QString& title, int firstId, const QString& first, int secondId,
                            const QString& second, bool firstChosen, std::function<void(bool)> set);
    // A Help button opening the manual at this anchor; set before Arrange.
    void SetHelpSection(const char* anchor) { helpSection_ = anchor; }
    // The controls in a column with OK and Cancel below, side (the preview)
    // on their right; the window takes the model's title. Called last by
    // the derived dialog's constructor.
    void Arrange(QLayout* controls, QWidget* side = nullptr);
    // While typing, a refused field is marked (red frame, its message as the
    // tooltip and under the controls) instead of a message box; none clears
    // the mark. The box follows when the focus leaves the marked field.
    void MarkField(const std::optional<FieldFailure>& failure);

public:
    // The refusal now marked; none when every field is valid.
    const std::optional<FieldFailure>& MarkedField() const { return marked_; }
    QString FieldMessage() const;

private:
    // The focus left an edit: its refusal, if marked, in the usual box.
    void LeftField(int id);

    OperationDialog& model_;
    std::map<int, QWidget*> controls_;
    const char* helpSection_ = nullptr;
    std::optional<FieldFailure> marked_;
    std::string valuesKey_;
    CFieldMark* fieldMark_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};
