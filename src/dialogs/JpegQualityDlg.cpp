// JPEG quality dialog: the field, its mark and OK's check.
#include "dialogs/JpegQualityDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/FieldMark.h"
#include "forms/DataExchange.h"
#include "platform/UserInterface.h"

namespace {

Exchanged<int> ReadQuality(const QString& text) { return ExchangeInt(text.toStdString(), 1, 100); }

}  // namespace

CJpegQualityDlg::CJpegQualityDlg(int initial, QWidget* parent)
    : QDialog(parent), field_(new QLineEdit(QString::number(initial))), mark_(new CFieldMark)
{
    setWindowTitle("JPEG Quality");
    auto* form = new QFormLayout;
    form->addRow("&Quality (1 to 100):", field_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &CJpegQualityDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CJpegQualityDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mark_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(field_, &QLineEdit::textChanged, this, &CJpegQualityDlg::Typed);
    field_->selectAll();
}

QString CJpegQualityDlg::FieldMessage() const { return mark_->text(); }

void CJpegQualityDlg::Typed()
{
    const Exchanged<int> read = ReadQuality(field_->text());
    mark_->Mark(read.ok ? nullptr : field_, QString::fromStdString(read.message));
}

void CJpegQualityDlg::accept()
{
    const Exchanged<int> read = ReadQuality(field_->text());
    if (!read.ok) {
        platform::error(read.message);
        field_->setFocus(Qt::OtherFocusReason);
        field_->selectAll();
        return;
    }
    quality_ = read.value;
    QDialog::accept();
}

int CJpegQualityDlg::Ask(QWidget* parent, int initial)
{
    CJpegQualityDlg dialog(initial, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.Quality() : 0;
}
