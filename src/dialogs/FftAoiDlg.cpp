// The AOI page: size lists, the picture and the tracker moved by the mouse.
#include "dialogs/FftAoiDlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>

#include "dialogs/FitScrollArea.h"
#include "dialogs/FftPicture.h"
#include "dialogs/FftPageHost.h"
#include "forms/FftSheetModel.h"

namespace {

QLabel* WrappedLabel(const char* text)
{
    auto* label = new QLabel(text);
    label->setWordWrap(true);
    return label;
}

void FillList(QListWidget* list, const std::vector<int>& sizes, int selected)
{
    list->clear();
    for (int size : sizes) list->addItem(QString::number(size));
    list->setCurrentRow(selected);
}

}  // namespace

CFftAoiDlg::CFftAoiDlg(CFftPageHost& sheet)
    : sheet_(sheet),
      widths_(new QListWidget),
      heights_(new QListWidget),
      picture_(new CFftPicture),
      tooSmall_(WrappedLabel(kFftAoiTooSmall)),
      selectSize_(new QLabel(kFftAoiSelectSize)),
      useMouse_(new QLabel(kFftAoiUseMouse))
{
    picture_->SetBox(model_.Picture());
    picture_->SetOverlay([this](QPainter& painter) { PaintTracker(painter); });
    picture_->SetGestures([this](QPoint at) { OnPress(at); }, [this](QPoint at) { OnMove(at); },
                          [this](QPoint at) { OnRelease(at); });
    // The move cursor over the tracker tells that it can be dragged.
    picture_->SetHover([this](QPoint at) {
        picture_->setCursor(model_.OnTracker(at.x(), at.y()) ? Qt::SizeAllCursor : Qt::ArrowCursor);
    });
    widths_->setObjectName("aoiWidth");
    heights_->setObjectName("aoiHeight");
    for (QListWidget* list : {widths_, heights_}) list->setFixedSize(90, 150);

    auto* layout = new QGridLayout(ScrolledBody(this, kWizardReserve));
    layout->addWidget(picture_, 0, 0, 6, 1, Qt::AlignLeft | Qt::AlignTop);
    layout->addWidget(WrappedLabel(kFftAoiIntro), 0, 1, 1, 2);
    layout->addWidget(selectSize_, 1, 1, 1, 2);
    layout->addWidget(new QLabel("AOI Width"), 2, 1);
    layout->addWidget(new QLabel("AOI Height"), 2, 2);
    layout->addWidget(widths_, 3, 1);
    layout->addWidget(heights_, 3, 2);
    layout->addWidget(useMouse_, 4, 1, 1, 2);
    layout->addWidget(tooSmall_, 5, 1, 1, 2);
    layout->setColumnMinimumWidth(1, 100);
    layout->setColumnMinimumWidth(2, 100);
    layout->setRowStretch(5, 1);

    connect(widths_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.SelectWidth(row);
        picture_->update();
    });
    connect(heights_, &QListWidget::currentRowChanged, this, [this](int row) {
        model_.SelectHeight(row);
        picture_->update();
    });
}

bool CFftAoiDlg::OnInitDialog()
{
    CImage& work = sheet_.Model().Work();
    model_.Open(work.width, work.height);
    {
        const QSignalBlocker blockWidths(widths_), blockHeights(heights_);
        FillList(widths_, model_.Widths(), model_.WidthIndex());
        FillList(heights_, model_.Heights(), model_.HeightIndex());
    }
    tooSmall_->setVisible(!model_.HasSizes());
    selectSize_->setVisible(model_.HasSizes());
    useMouse_->setVisible(model_.HasSizes());
    emit completeChanged();
    CDeviceBitmap bitmap;
    if (!ShowPicture(model_.Picture(), work, bitmap, picture_->DisplayBits(), kFftPictureFailed)) return false;
    picture_->SetPicture(bitmap, model_.Picture().DisplayWidth(), model_.Picture().DisplayHeight());
    return true;
}

bool CFftAoiDlg::isComplete() const { return model_.HasSizes(); }

bool CFftAoiDlg::validatePage()
{
    if (!model_.HasSizes()) return false;
    sheet_.Model().SetWorkAoi(model_.ImageAoi());
    return true;
}

void CFftAoiDlg::OnPress(QPoint at)
{
    if (!model_.OnTracker(at.x(), at.y())) return;
    dragging_ = true;
    grabbed_ = at;
    moving_ = model_.Tracker();
}

void CFftAoiDlg::OnMove(QPoint at)
{
    if (!dragging_) return;
    const AoiRect& from = model_.Tracker();
    const int dx = at.x() - grabbed_.x(), dy = at.y() - grabbed_.y();
    moving_ = {from.left + dx, from.top + dy, from.right + dx, from.bottom + dy};
    picture_->update();
}

void CFftAoiDlg::OnRelease(QPoint at)
{
    if (!dragging_) return;
    OnMove(at);
    dragging_ = false;
    model_.Drop(moving_);
    picture_->update();
}

void CFftAoiDlg::PaintTracker(QPainter& painter) const
{
    if (!model_.HasSizes()) return;
    const AoiRect& r = dragging_ ? moving_ : model_.Tracker();
    painter.setPen(QPen(Qt::red, 1, Qt::DotLine));
    painter.drawRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}
