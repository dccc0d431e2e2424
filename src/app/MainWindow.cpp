#include "app/MainWindow.h"

#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QScrollArea>

#include "app/ImageConversion.h"
#include "image/Image.h"
#include "platform/UserInterface.h"

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), picture_(new QLabel)
{
    setWindowTitle("NUVAK");
    auto* scroll = new QScrollArea;
    picture_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->setWidget(picture_);
    scroll->setWidgetResizable(true);
    setCentralWidget(scroll);
    resize(800, 600);
}

bool MainWindow::openImage(const QString& path)
{
    CImage image;
    std::string message;
    bool causeValid = false;
    int cause = 0;
    try {
        if (image.SerializeFile(false, path.toStdString(), false, message, causeValid, cause) != 0) {
            QMessageBox::warning(this, windowTitle(), QString::fromStdString(message));
            return false;
        }
    } catch (const platform::UserAbort&) {
        return false;
    }
    picture_->setPixmap(QPixmap::fromImage(ToQImage(image)));
    setWindowTitle("NUVAK - " + path);
    return true;
}
