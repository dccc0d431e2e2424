// CSeriesPage: what every page of the series wizard shares: its controls by
// id, bound to the page's fields, and the refusal that keeps the page.
#pragma once

#include <QWidget>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "forms/OperationDialog.h"
#include "forms/SeriesNavigation.h"

class CFieldMark;
class CSeriesPropSheet;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
struct SeriesSettings;

class CSeriesPage : public QWidget {
    Q_OBJECT
public:
    CSeriesPage(CSeriesPropSheet& sheet, SeriesPage id);

    SeriesPage Id() const { return id_; }
    // The control of that id, null for none.
    QWidget* Control(int id) const;

    // The page becomes the one shown.
    virtual void OnSetActive() {}
    // Leaving by Back: the fields' own checks. false keeps the page.
    virtual bool OnKillActive() { return true; }
    // Leaving by Next: the page's checks, by default the fields' own.
    virtual bool OnWizardNext() { return OnKillActive(); }
    // What Next would refuse in the fields as typed now; marked while typing.
    virtual std::optional<FieldFailure> TypedFailure() const { return std::nullopt; }
    // The refusal marked now; empty when none.
    QString FieldMessage() const;

protected:
    CSeriesPropSheet& Sheet() const { return sheet_; }
    SeriesSettings& Settings() const;

    // Shows a refusal and puts the focus in its control; true when none.
    bool Accept(const std::optional<FieldFailure>& failure);
    void FocusControl(int id);
    void Register(int id, QWidget* control);

    // Edits mark TypedFailure after every change.
    QLineEdit* AddEdit(int id, std::string& text);
    // The line under the fields for the marked refusal; each page with edits places it.
    CFieldMark* FieldMarkLine();
    QComboBox* AddList(int id, const std::vector<std::string>& entries, int& index);
    QLabel* AddLabel(int id, const QString& text);
    // Checked while value is own; a click makes value own.
    QRadioButton* AddRadio(int id, const QString& text, int& value, int own);

    void SetShown(std::initializer_list<int> ids, bool shown);
    void SetEnabled(std::initializer_list<int> ids, bool enabled);

private:
    CSeriesPropSheet& sheet_;
    SeriesPage id_;
    CFieldMark* mark_ = nullptr;
};
