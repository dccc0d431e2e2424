// Select AOI page: the preview, the tracker and Next's conversion.
#include "dialogs/SeriesAoiPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QTimer>
#include <QVBoxLayout>

#include "dialogs/PreviewPic.h"
#include "dialogs/RectTracker.h"
#include "dialogs/SeriesPropSheet.h"
#include "forms/SeriesAoiPage.h"
#include "platform/Format.h"
#include "platform/UserInterface.h"

CSeriesAoiPage::CSeriesAoiPage(CSeriesPropSheet& sheet)
    : CSeriesPage(sheet, SeriesPage::SelectAoi), area_(new QWidget(this)), preview_(new CPreviewPic(area_)),
      tracker_(new CRectTracker(area_)), corners_(new QLabel(this))
{
    SetSeriesAoiBox(picture_);
    preview_->SetBox(picture_);
    // Room for the handles outside a tracker over the whole box, on every side.
    const QPoint origin(kTrackerHandleSize, kTrackerHandleSize);
    preview_->move(origin + QPoint(picture_.Left(), picture_.Top()));
    const int margin = picture_.Left() + kTrackerHandleSize;
    area_->setFixedSize(origin.x() + picture_.Left() + picture_.MaxWidth() + margin,
                        origin.y() + picture_.Top() + picture_.MaxHeight() + margin);
    tracker_->setGeometry(area_->rect());
    tracker_->SetOrigin(origin);
    tracker_->raise();
    tracker_->settle = [this](const AoiRect& before, const AoiRect& after) {
        return KeepTrackerOnPicture(before, after, picture_);
    };
    tracker_->changed = [this] { ShowCorners(); };
    corners_->setObjectName("aoiCorners");

    auto* picture = new QLabel(this);
    picture->setPixmap(QPixmap(":/icons/aoi.xpm"));
    auto* text = new QLabel("Use the handles to resize to AOI or click and drag it.\n"
                            "This AOI will be used to process each image.",
                            this);
    text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    auto* hint = new QHBoxLayout;
    hint->addWidget(picture, 0, Qt::AlignTop);
    hint->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(area_);
    layout->addWidget(corners_);
    layout->addLayout(hint);
}

void CSeriesAoiPage::ShowCorners()
{
    const CImage& image = Settings().firstImage;
    const AoiRect aoi = TrackerToImage(tracker_->Rect(), picture_, image.width, image.height);
    corners_->setText(QString::fromStdString(platform::Format("Upper left corner (%d, %d), lower right corner (%d, %d)",
                                                              aoi.left, aoi.top, aoi.right, aoi.bottom)));
}

void CSeriesAoiPage::OnSetActive()
{
    CImage& image = Settings().firstImage;
    if (Sheet().filesChanged) {
        Sheet().filesChanged = false;
        picture_.SetImageSize(image.width, image.height);
        tracker_->SetRect(WholePictureTracker(picture_));
    }
    CDeviceBitmap bitmap;
    if (picture_.Display(image, bitmap, preview_->DisplayBits()) != 0) {
        platform::error(platform::Format("The image cannot be displayed.\n%s", picture_.ErrorText().c_str()));
        // After the page change that brought us here has finished.
        QTimer::singleShot(0, &Sheet(), &CSeriesPropSheet::reject);
        return;
    }
    preview_->SetPicture(bitmap, picture_.DisplayWidth(), picture_.DisplayHeight());
    ShowCorners();
}

bool CSeriesAoiPage::OnWizardNext()
{
    CImage& image = Settings().firstImage;
    const AoiRect aoi = TrackerToImage(tracker_->Rect(), picture_, image.width, image.height);
    image.SetUpperLeft(aoi.left, aoi.top, false);
    image.SetLowerRight(aoi.right, aoi.bottom, false);
    return true;
}
