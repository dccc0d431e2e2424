// Operation dialogs: control binding and OK's field exchange.
#include "dialogs/OperationDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QVariant>

#include "dialogs/FieldMark.h"
#include "dialogs/FitScrollArea.h"
#include "dialogs/HelpWindow.h"
#include "dialogs/NumericEdit.h"
#include "platform/UserInterface.h"

COperationDlg::COperationDlg(OperationDialog& model, QWidget* parent) : QDialog(parent), model_(model) {}

COperationDlg::~COperationDlg()
{
    // A dialog destroyed while shown hides afterwards; the focus leaving a
    // field then must not reach this half-destroyed dialog.
    for (const auto& [id, control] : controls_) control->disconnect(this);
}

bool COperationDlg::Run(const CImage&) { return exec() == QDialog::Accepted; }

void COperationDlg::Changed() { MarkField(model_.Validate()); }

QWidget* COperationDlg::Control(int id) const
{
    const auto it = controls_.find(id);
    return it == controls_.end() ? nullptr : it->second;
}

namespace {

// Each control's state at the last OK, by kind of dialog; for this session only.
std::map<std::string, std::map<int, QVariant>>& LastValues()
{
    static std::map<std::string, std::map<int, QVariant>> values;
    return values;
}

}  // namespace

void COperationDlg::accept()
{
    // The model shows the refusal; the dialog stays open for a correction.
    if (const std::optional<FieldFailure> failure = model_.Ok()) {
        FocusControl(failure->control);
        return;
    }
    std::map<int, QVariant>& values = LastValues()[valuesKey_];
    for (const auto& [id, control] : controls_) {
        if (auto* edit = qobject_cast<QLineEdit*>(control)) values[id] = edit->text();
        else if (auto* list = qobject_cast<QComboBox*>(control)) values[id] = list->currentIndex();
        else if (auto* radio = qobject_cast<QRadioButton*>(control)) values[id] = radio->isChecked();
    }
    QDialog::accept();
}

void COperationDlg::ForgetLastValues() { LastValues().clear(); }

void COperationDlg::RestoreLastValues()
{
    const auto found = LastValues().find(valuesKey_);
    if (found == LastValues().end()) return;
    // Through the controls, so that the model hears of each as of a change.
    for (const auto& [id, value] : found->second) {
        QWidget* control = Control(id);
        if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->setText(value.toString());
        else if (auto* list = qobject_cast<QComboBox*>(control)) list->setCurrentIndex(value.toInt());
        else if (auto* radio = qobject_cast<QRadioButton*>(control); radio && value.toBool() && !radio->isChecked())
            radio->click();
    }
}

void COperationDlg::FocusControl(int id)
{
    QWidget* control = Control(id);
    if (control == nullptr) return;
    control->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
}

void COperationDlg::Register(int id, QWidget* control)
{
    controls_[id] = control;
    control->setObjectName(QString::number(id));
}

QLineEdit* COperationDlg::AddEdit(int id, std::string& text)
{
    auto* edit = new QLineEdit(QString::fromStdString(text));
    edit->setMaximumWidth(60);
    connect(edit, &QLineEdit::textChanged, this, [this, &text](const QString& value) {
        text = value.toStdString();
        Changed();
    });
    connect(edit, &QLineEdit::editingFinished, this, [this, id] { LeftField(id); });
    Register(id, edit);
    return edit;
}

CNumericEdit* COperationDlg::AddNumericEdit(int id, NumericEdit& model)
{
    auto* edit = new CNumericEdit(model);
    edit->setMaximumWidth(60);
    // Connected after the edit's own connection, so the model has the text.
    connect(edit, &QLineEdit::textChanged, this, [this] { Changed(); });
    connect(edit, &CNumericEdit::refused, this, [this, id] { MarkField(FieldFailure{id, kNumericEditKeys}); });
    connect(edit, &QLineEdit::editingFinished, this, [this, id] { LeftField(id); });
    Register(id, edit);
    return edit;
}

QComboBox* COperationDlg::AddList(int id, const std::vector<std::string>& entries, int& index)
{
    auto* list = new QComboBox;
    for (const std::string& entry : entries) list->addItem(QString::fromStdString(entry));
    list->setCurrentIndex(index);
    connect(list, &QComboBox::currentIndexChanged, this, [this, &index](int value) {
        index = value;
        Changed();
    });
    Register(id, list);
    return list;
}

QGroupBox* COperationDlg::AddRadioPair(const QString& title, int firstId, const QString& first, int secondId,
                                       const QString& second, bool firstChosen, std::function<void(bool)> set)
{
    auto* group = new QGroupBox(title);
    auto* a = new QRadioButton(first);
    auto* b = new QRadioButton(second);
    (firstChosen ? a : b)->setChecked(true);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(a);
    layout->addWidget(b);
    // A click on either button; the change of the other one is not a second change.
    connect(a, &QRadioButton::toggled, this, [this, set = std::move(set)](bool checked) {
        set(checked);
        Changed();
    });
    Register(firstId, a);
    Register(secondId, b);
    return group;
}

void COperationDlg::Arrange(QLayout* controls, QWidget* side)
{
    // Here, not in the constructor: the model is a member of the derived dialog.
    setWindowTitle(QString::fromStdString(model_.Title()));
    valuesKey_ = std::string(metaObject()->className()) + "/" + model_.Title();
    auto* buttons = buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel |
                                         (helpSection_ ? QDialogButtonBox::Help : QDialogButtonBox::NoButton));
    // The manual's section of the dialog: its own, or the operation's name in lower case with hyphens.
    const QString anchor = helpSection_ ? QString(helpSection_)
                                        : QString::fromStdString(model_.OperationName()).toLower().replace(' ', '-');
    connect(buttons, &QDialogButtonBox::helpRequested, this, [this, anchor] { CHelpWindow::ShowSection(this, anchor); });
    CHelpWindow::AddF1(this, anchor);
    connect(buttons, &QDialogButtonBox::accepted, this, &COperationDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &COperationDlg::reject);
    // The controls and the picture scroll on a screen too small for them; OK and Cancel stay in sight.
    auto* body = new QWidget;
    auto* row = new QHBoxLayout(body);
    row->setContentsMargins(0, 0, 0, 0);
    auto* column = new QVBoxLayout;
    column->addLayout(controls);
    fieldMark_ = new CFieldMark;
    column->addWidget(fieldMark_);
    column->addStretch();
    row->addLayout(column);
    if (side) row->addWidget(side, 0, Qt::AlignTop);
    auto* top = new QVBoxLayout(this);
    top->addWidget(new CFitScrollArea(body, QSize(48, buttons->sizeHint().height() + 64)));
    top->addWidget(buttons);
    top->setSizeConstraint(QLayout::SetFixedSize);
}

void COperationDlg::MarkField(const std::optional<FieldFailure>& failure)
{
    // A dropped key stays news while typing goes on ("1e5" left as "15"); leaving the field ends it.
    if (!failure && marked_ && marked_->message == kNumericEditKeys) return;
    marked_ = failure;
    if (fieldMark_)
        fieldMark_->Mark(failure ? Control(failure->control) : nullptr,
                         failure ? QString::fromStdString(failure->message) : QString());
}

QString COperationDlg::FieldMessage() const { return fieldMark_ ? fieldMark_->text() : QString(); }

void COperationDlg::LeftField(int id)
{
    // A dropped key is news only while typing; the text itself decides from here.
    if (marked_ && marked_->message == kNumericEditKeys) {
        marked_.reset();
        MarkField(model_.Validate());
    }
    // Return in the field goes on to OK, which shows the refusal itself.
    QWidget* control = Control(id);
    if (!marked_ || marked_->control != id || control == nullptr || control->hasFocus()) return;
    // Cancel, Escape or closing the window leave the field too, without a box.
    auto* button = qobject_cast<QAbstractButton*>(QApplication::focusWidget());
    if (button && buttons_ && buttons_->buttonRole(button) == QDialogButtonBox::RejectRole) return;
    QTimer::singleShot(0, this, [this, id] {
        QWidget* field = Control(id);
        if (isVisible() && marked_ && marked_->control == id && field && !field->hasFocus())
            platform::error(marked_->message);
    });
}
