// The workbench's main window.
#pragma once

#include <QMainWindow>

class QLabel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    // Reads a bitmap and shows it; false when it was refused.
    bool openImage(const QString& path);

private:
    QLabel* picture_;
};
