// The About box.
#include "app/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

QString CAboutDlg::VersionText() { return QString("NUVAK Version %1").arg(NUVAK_VERSION); }
QString CAboutDlg::CopyrightText() { return QString::fromUtf8("Copyright \u00A9 2026 the NUVAK developers"); }

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About NUVAK");
    auto* icon = new QLabel;
    icon->setPixmap(QPixmap(":/icons/app.xpm").scaled(32, 32));
    auto* text = new QLabel(QString("<b>%1</b><br><br>An image-analysis workbench for scientific and "
                                    "machine-vision images.<br>Bitmap, PNG, TIFF and JPEG files, areas of interest, "
                                    "filters, measurement and series processing.<br><br>%2")
                                .arg(VersionText().toHtmlEscaped(), CopyrightText().toHtmlEscaped()));
    text->setObjectName("versionText");
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
    setFixedWidth(360);
}
