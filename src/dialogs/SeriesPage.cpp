// Series wizard pages: controls by id and field refusals.
#include "dialogs/SeriesPage.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "dialogs/FieldMark.h"
#include "dialogs/SeriesPropSheet.h"
#include "platform/UserInterface.h"

CSeriesPage::CSeriesPage(CSeriesPropSheet& sheet, SeriesPage id) : sheet_(sheet), id_(id) {}

SeriesSettings& CSeriesPage::Settings() const { return sheet_.settings; }

QWidget* CSeriesPage::Control(int id) const { return findChild<QWidget*>(QString::number(id)); }

bool CSeriesPage::Accept(const std::optional<FieldFailure>& failure)
{
    if (!failure) return true;
    platform::error(failure->message);
    FocusControl(failure->control);
    return false;
}

void CSeriesPage::FocusControl(int id)
{
    QWidget* control = Control(id);
    if (control == nullptr) return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void CSeriesPage::Register(int id, QWidget* control) { control->setObjectName(QString::number(id)); }

QLineEdit* CSeriesPage::AddEdit(int id, std::string& text)
{
    auto* edit = new QLineEdit(QString::fromStdString(text), this);
    edit->setMaximumWidth(70);
    connect(edit, &QLineEdit::textChanged, this, [this, &text](const QString& value) {
        text = value.toStdString();
        const std::optional<FieldFailure> failure = TypedFailure();
        FieldMarkLine()->Mark(failure ? Control(failure->control) : nullptr,
                              failure ? QString::fromStdString(failure->message) : QString());
    });
    Register(id, edit);
    return edit;
}

CFieldMark* CSeriesPage::FieldMarkLine()
{
    if (mark_ == nullptr) mark_ = new CFieldMark(this);
    return mark_;
}

QString CSeriesPage::FieldMessage() const { return mark_ ? mark_->text() : QString(); }

QComboBox* CSeriesPage::AddList(int id, const std::vector<std::string>& entries, int& index)
{
    auto* list = new QComboBox(this);
    for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(index);
    list->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(list, &QComboBox::currentIndexChanged, this, [&index](int value) { index = value; });
    Register(id, list);
    return list;
}

QLabel* CSeriesPage::AddLabel(int id, const QString& text)
{
    auto* label = new QLabel(text, this);
    Register(id, label);
    return label;
}

QRadioButton* CSeriesPage::AddRadio(int id, const QString& text, int& value, int own)
{
    auto* radio = new QRadioButton(text, this);
    radio->setChecked(value == own);
    connect(radio, &QRadioButton::toggled, this, [&value, own](bool checked) {
        if (checked) value = own;
    });
    Register(id, radio);
    return radio;
}

void CSeriesPage::SetShown(std::initializer_list<int> ids, bool shown)
{
    for (int id : ids)
        if (QWidget* control = Control(id)) control->setVisible(shown);
}

void CSeriesPage::SetEnabled(std::initializer_list<int> ids, bool enabled)
{
    for (int id : ids)
        if (QWidget* control = Control(id)) control->setEnabled(enabled);
}
