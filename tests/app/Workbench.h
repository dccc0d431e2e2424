// A started workbench for tests: the application without the splash, a
// scripted user, and shortcuts to the active window.
#pragma once

#include <QStringList>
#include <QtTest>

#include "app/ChildFrame.h"
#include "app/MainFrame.h"
#include "app/NUVAKApp.h"
#include "app/NUVAKView.h"
#include "document/NUVAKDoc.h"
#include "support/FakeUserInterface.h"
#include "support/TestFiles.h"

struct Workbench {
    FakeUserInterface user;
    CNUVAKApp app;

    explicit Workbench(const QStringList& files = {})
    {
        QVERIFY(app.InitInstance(QStringList{"nuvak"} + files, false));
    }
    CMainFrame& frame() { return *app.MainFrame(); }
    CChildFrame* child() { return frame().ActiveChild(); }
    CNUVAKDoc& doc() { return child()->GetDocument(); }
    CNUVAKView& view() { return *child()->GetView(); }
    QStringList titles()
    {
        QStringList list;
        for (CChildFrame* c : frame().Children()) list << c->windowTitle();
        return list;
    }
};

// Same size, format and pixels.
inline bool SameImage(const CImage& a, const CImage& b)
{
    return a.width == b.width && a.height == b.height && a.format == b.format &&
           std::equal(a.pixelValueArray.data(), a.pixelValueArray.data() + a.pixelValueArray.size(),
                      b.pixelValueArray.data());
}

// Writes image as a bitmap file in dir; returns its path.
inline QString WriteBitmap(const TempDir& dir, const std::string& name, CImage image)
{
    std::string message;
    bool causeValid = false;
    int cause = 0;
    if (image.SerializeFile(true, dir.path(name), false, message, causeValid, cause) != 0)
        qFatal("%s", message.c_str());
    return QString::fromStdString(dir.path(name));
}

// Registers a Qt Test class with the test program's main.
int RegisterGuiTest(QObject* (*make)());
#define NUVAK_GUI_TEST(Class) \
    static const int registered##Class = RegisterGuiTest([]() -> QObject* { return new Class; });
