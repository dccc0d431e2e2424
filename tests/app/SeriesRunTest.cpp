// The series wizard's confirmation page running the engine: results and
// log of a real run, the controls while it runs, and Abort pressed mid-run.
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

#include "SeriesWizardDriving.h"
#include "dialogs/SeriesConfirmPage.h"
#include "forms/SeriesParameterFields.h"
#include "series/ConfirmationText.h"
#include "support/ImageReads.h"

namespace {

using P = SeriesPage;
using C = CSeriesConfirmPage;

std::string Crlf(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return out;
}

std::string ReadText(const std::string& path)
{
    const std::vector<std::uint8_t> bytes = ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// The one log of a run in folder.
std::string LogIn(const TempDir& folder)
{
    const QStringList logs = QDir(QString::fromStdString(folder.root().string())).entryList({"series_*.log"});
    if (logs.size() != 1) return std::string();
    return folder.path(logs.front().toStdString());
}

// What the page shows while the engine is at a file.
struct RunState {
    int progress;
    QString status;
    bool abortShown, processShown, backEnabled, cancelEnabled;
};

}  // namespace

class TestSeriesRun : public QObject {
    Q_OBJECT
private slots:
    void threeFilesAreProcessedAndLogged()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1), SeriesGrey(2)});
        w.choose("Low Pass Filter");
        w.sheet->Next();
        qobject_cast<QComboBox*>(w.control(P::FilterParams, SeriesFilterFields::kSize))->setCurrentIndex(1);
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        auto& page = static_cast<C&>(w.page(P::Confirmation));
        const std::string before = page.ConfirmationText();
        QVERIFY(before.find("\nSize: 5x5") != std::string::npos);
        QVERIFY(w.control(P::Confirmation, C::kProcess)->isVisibleTo(&page));
        QVERIFY(!w.control(P::Confirmation, C::kAbort)->isVisibleTo(&page));
        QVERIFY(!w.control(P::Confirmation, C::kProgress)->isVisibleTo(&page));

        std::vector<RunState> states;
        page.fileReached = [&](int, const std::string&) {
            states.push_back({qobject_cast<QProgressBar*>(w.control(P::Confirmation, C::kProgress))->value(),
                              qobject_cast<QLabel*>(w.control(P::Confirmation, C::kStatus))->text(),
                              w.control(P::Confirmation, C::kAbort)->isVisibleTo(&page),
                              w.control(P::Confirmation, C::kProcess)->isVisibleTo(&page),
                              w.sheet->BackButton()->isEnabled(), w.sheet->CancelButton()->isEnabled()});
        };
        w.click(P::Confirmation, C::kProcess);

        // The whole AOI has no room for a 5 x 5 neighbourhood: the first file
        // shrinks it, and the later files take the shrunken AOI.
        QCOMPARE(w.user.questions.size(), size_t(1));
        const std::string log = LogIn(w.out);
        QVERIFY(!log.empty());
        QCOMPARE(page.LogPath(), log);
        std::string expectedLog = "\r\n\r\n" + std::string(51, '*') + "\r\n" + Crlf(before) + "\r\n\r\n";
        for (int k = 0; k < 3; ++k) {
            const std::string source = w.files[k].toStdString();
            expectedLog += "Now processing " + source + "\r\n";
            // The answer that pulled the AOI in is logged with the AOI it left.
            if (k == 0)
                expectedLog += "The AOI of " + source + " became (2, 2) - (9, 6) after the answers:\r\n" +
                               Crlf(w.user.questions[0]) + " -> yes\r\n";
            QCOMPARE(states[k].progress, (k + 1) * 100 / 3);
            QCOMPARE(states[k].status, QString::fromStdString("Now processing " + source));
            QVERIFY(states[k].abortShown && !states[k].processShown);
            QVERIFY(!states[k].backEnabled && !states[k].cancelEnabled);

            CImage expected;
            std::string message;
            bool causeValid;
            int cause;
            QCOMPARE(expected.SerializeFile(false, source, false, message, causeValid, cause), 0);
            if (k > 0) {
                expected.SetUpperLeft(2, 2, false);
                expected.SetLowerRight(9, 6, false);
            }
            OperationParams params;
            params.filterSize = 5;
            QCOMPARE(RunNamedOperation("Low Pass Filter", params, expected), 0);
            const std::string reference = w.sources.path("expected" + std::to_string(k) + ".bmp");
            QCOMPARE(expected.SerializeFile(true, reference, false, message, causeValid, cause), 0);
            QVERIFY(ReadBytes(w.out.path("file" + std::to_string(k) + ".bmp")) == ReadBytes(reference));
        }
        expectedLog += "\r\nImage series processing complete.\r\n";
        QCOMPARE(ReadText(log), expectedLog);
        QCOMPARE(w.sheet->settings.firstImage.aoiLeft, 2);

        QCOMPARE(page.ConfirmationText(), CompleteText(log));
        auto* text = qobject_cast<QTextEdit*>(w.control(P::Confirmation, C::kText));
        QCOMPARE(text->toPlainText(), QString::fromStdString(CompleteText(log)));
        QVERIFY(w.control(P::Confirmation, C::kProcess)->isVisibleTo(&page));
        QVERIFY(w.control(P::Confirmation, C::kProcess)->isEnabled());
        QVERIFY(!w.control(P::Confirmation, C::kAbort)->isVisibleTo(&page));
        QVERIFY(!w.control(P::Confirmation, C::kProgress)->isVisibleTo(&page));
        QVERIFY(!w.control(P::Confirmation, C::kStatus)->isVisibleTo(&page));
        QVERIFY(w.sheet->BackButton()->isEnabled() && w.sheet->CancelButton()->isEnabled());
        // Back and Next again rebuild the confirmation text, with the AOI the first file pulled in.
        w.sheet->Back();
        w.sheet->Next();
        QCOMPARE(page.ConfirmationText(), before.substr(0, before.find("Area of interest:")) +
                                              "Area of interest:\n\tupper left corner\t(2, 2)\n\tlower right corner\t(9, 6)"
                                              "\n\nSize: 5x5\n\nFiles: 3\nA file that cannot be read ends the run.");
    }

    void unreadableFilesAreSkippedAndSourcesWarnedOf()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1)});
        const std::string bad = w.sources.path("bad.bmp");
        WriteBytes(bad, {'N', 'O', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
        w.files.insert(1, QString::fromStdString(bad));
        // Results into the sources' own folder: the overwrite warning; No keeps the page.
        w.sheet->choosers.folder = [&](QWidget*, const QString&) {
            return QString::fromStdString(w.sources.root().string());
        };
        auto* skip = qobject_cast<QAbstractButton*>(w.control(P::SelectFiles, CSelectFilesPage::kSkipUnreadable));
        QCOMPARE(skip->text(), QString("Skip files that cannot be read"));
        QVERIFY(!skip->isChecked());
        skip->click();
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.click(P::SelectFiles, CSelectFilesPage::kChange);
        w.user.answers = {false};
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::SelectFiles);
        QVERIFY(w.user.questions.back().rfind("Warning!!!\n\nYou have chosen to overwrite", 0) == 0);
        w.sheet->choosers.folder = [&](QWidget*, const QString&) { return QString::fromStdString(w.out.root().string()); };
        w.click(P::SelectFiles, CSelectFilesPage::kChange);
        const size_t asked = w.user.questions.size();
        w.sheet->Next();
        QCOMPARE(w.user.questions.size(), asked);
        w.pick("Invert");
        for (int k = 0; k < 3 && w.sheet->CurrentPage() != P::Confirmation; ++k) w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        auto& page = static_cast<C&>(w.page(P::Confirmation));
        w.click(P::Confirmation, C::kProcess);

        QVERIFY(w.user.errors.empty());
        QCOMPARE(page.ConfirmationText(),
                 CompleteText(LogIn(w.out)) + "\n\n1 file could not be read and was skipped; the log names it.");
        QVERIFY(ReadText(LogIn(w.out)).find("\r\nSkipped " + bad + ": " + bad + " is not a bitmap, PNG, TIFF or JPEG file.\r\n") != std::string::npos);
        auto* text = qobject_cast<QTextEdit*>(w.control(P::Confirmation, C::kText));
        QCOMPARE(text->textCursor().position(), text->document()->characterCount() - 1);
    }

    void abortStopsBeforeTheNextFile()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1), SeriesGrey(2)});
        w.choose("Invert");
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        auto& page = static_cast<C&>(w.page(P::Confirmation));
        const std::string before = page.ConfirmationText();
        auto* abort = qobject_cast<QPushButton*>(w.control(P::Confirmation, C::kAbort));
        // Pressed while the first file is processed; served by the dispatch
        // before the second.
        page.fileReached = [abort](int index, const std::string&) {
            if (index == 0) QTimer::singleShot(0, abort, &QPushButton::click);
        };
        w.click(P::Confirmation, C::kProcess);

        const std::string log = LogIn(w.out);
        const std::string message = "Image Series processing canceled by user at file " + w.files[1].toStdString();
        QCOMPARE(page.ConfirmationText(), before + EndedText(message, log));
        QVERIFY(Exists(w.out.path("file0.bmp")));
        QVERIFY(!Exists(w.out.path("file1.bmp")));
        QVERIFY(!Exists(w.out.path("file2.bmp")));
        QCOMPARE(ReadText(log), "\r\n\r\n" + std::string(51, '*') + "\r\n" + Crlf(before) + "\r\n\r\nNow processing " +
                                    w.files[0].toStdString() + "\r\n\r\n\r\n" + message + "\r\n");
        QVERIFY(!w.sheet->settings.abortRequest);
        QVERIFY(!w.control(P::Confirmation, C::kAbort)->isVisibleTo(&page));
    }

    // Overwrite mode replaces each source and logs beside them; after a
    // neighbourhood operation the first image becomes the first result.
    void overwriteReplacesTheSources()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1)});
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.click(P::SelectFiles, CSelectFilesPage::kOverwrite);
        w.sheet->Next();
        w.pick("Sobel");
        w.sheet->Next();
        w.sheet->Next();
        QCOMPARE(w.sheet->CurrentPage(), P::Confirmation);
        const std::vector<std::uint8_t> original = ReadBytes(w.files[1].toStdString());
        w.click(P::Confirmation, C::kProcess);
        QVERIFY(!LogIn(w.sources).empty());
        QVERIFY(LogIn(w.out).empty());
        QVERIFY(ReadBytes(w.files[1].toStdString()) != original);
        CImage result;
        std::string message;
        bool causeValid;
        int cause;
        QCOMPARE(result.SerializeFile(false, w.files[0].toStdString(), false, message, causeValid, cause), 0);
        const CImage& first = w.sheet->settings.firstImage;
        QVERIFY(first.pixelValueArray[4][5].red == result.pixelValueArray[4][5].red);
        QVERIFY(first.pixelValueArray[4][5].red != SeriesGrey(0).pixelValueArray[4][5].red);
        QCOMPARE(first.aoiLeft, 1);
    }

    // Writing over a file of 16-bit samples is asked once for the run; its
    // notice goes into the log rather than into a box.
    void overwritingSixteenBitFilesIsAskedOnce()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1), SeriesGrey(2)});
        for (int i : {1, 2}) WriteGreyPng16(w.files[i].toStdString(), {100, 200, 300});
        w.click(P::SelectFiles, CSelectFilesPage::kBrowse);
        w.click(P::SelectFiles, CSelectFilesPage::kOverwrite);
        w.sheet->Next();
        w.pick("Invert");
        w.sheet->Next();
        auto& page = static_cast<C&>(w.page(P::Confirmation));
        std::vector<QString> asked;
        bool answer = false;
        page.askDeepAnyway = [&](const QString& question) { return asked.push_back(question), answer; };
        const std::vector<std::uint8_t> original = ReadBytes(w.files[1].toStdString());
        w.click(P::Confirmation, C::kProcess);
        QCOMPARE(asked, std::vector<QString>{w.files[1] + " holds 16-bit samples; NUVAK writes 8 bits a sample, so "
                                                          "the 16-bit levels would be lost.  Save anyway?"});
        QVERIFY(LogIn(w.sources).empty());
        QVERIFY(ReadBytes(w.files[1].toStdString()) == original);
        answer = true;
        w.click(P::Confirmation, C::kProcess);
        QCOMPARE(asked.size(), size_t(2));
        QVERIFY(w.user.notices.empty());
        const std::string log = ReadText(LogIn(w.sources));
        QVERIFY(log.find("Notice: " + w.files[2].toStdString() + " has 16-bit samples; levels 100..300") !=
                std::string::npos);
    }

    void cancelIsRefusedWhileRunning()
    {
        SeriesWizard w({SeriesGrey(0), SeriesGrey(1)});
        w.choose("Comb");
        auto& page = static_cast<C&>(w.page(P::Confirmation));
        w.sheet->show();
        bool stillOpen = false;
        page.fileReached = [&](int index, const std::string&) {
            w.sheet->reject();
            if (index == 1) stillOpen = w.sheet->isVisible();
        };
        w.click(P::Confirmation, C::kProcess);
        QVERIFY(stillOpen);
        QVERIFY(Exists(w.out.path("file1_odd.bmp")));
        w.sheet->reject();
        QVERIFY(!w.sheet->isVisible());
    }
};

NUVAK_GUI_TEST(TestSeriesRun)
#include "SeriesRunTest.moc"
