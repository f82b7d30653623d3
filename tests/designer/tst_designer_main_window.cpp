// The routine designer's main window driven as a user drives it: start-up from the launcher settings,
// the menus and labels, the maximum box and its key filter, the intensity bar, generating the cycle
// with the button and the menu and the preview it opens, failures, help, web site, about and exit.
#include "controls/AboutTexts.h"
#include "controls/Application.h"
#include "controls/HelpWindow.h"
#include "controls/ThinTrackBar.h"
#include "controls/UAbout.h"
#include "controls/UrlOpener.h"
#include "designer/RoutinePreview.h"
#include "designer/U_routine.h"
#include "preview/Preview.h"
#include "tests/support/Readability.h"
#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QtTest>

#include <dlfcn.h>

#include <functional>
#include <memory>
#include <stdexcept>

using controls::TThinTrackBar;
using designer::TForm1;
using testsupport::Child;

namespace {

// "setting / tension / reps" of a cell, weeks and sets counted from 1.
QString CellText(const designer::CycleTable& cycle, int week, int set) {
    const model::Talpha& cell = cycle[week - 1][set - 1];
    return QString::fromStdString(cell.SettingText + "/" + cell.TensionText + "/" + cell.RepsText);
}

// A window whose preview cannot be opened: showing it raises `failure`.
class FailingPreviewForm : public TForm1 {
public:
    explicit FailingPreviewForm(std::function<void()> failure)
        : failure_(std::move(failure)) {}

protected:
    void ShowPreview() override { failure_(); }

private:
    std::function<void()> failure_;
};

} // namespace

class TestDesignerMainWindow : public testsupport::LauncherSettingsTest {
    Q_OBJECT

private:
    std::unique_ptr<TForm1> form;

    void CloseWindow() override { form.reset(); }

    TForm1* Open(std::unique_ptr<TForm1> window = std::make_unique<TForm1>()) {
        form = std::move(window);
        testsupport::ShowActive(form.get());
        return form.get();
    }

    template <class T> T* Get(const char* name) { return Child<T>(form.get(), QLatin1String(name)); }
    QString Text(const char* name) { return Get<QLabel>(name)->text(); }
    QLineEdit* Maximum() { return Get<QLineEdit>("Edit1"); }
    TThinTrackBar* Intensity() { return Get<TThinTrackBar>("ThinTrackBar1"); }
    QAction* Item(const char* name) { return Get<QAction>(name); }
    void Click(const char* name) {
        QTest::mouseClick(Get<QAbstractButton>(name), Qt::LeftButton);
        testsupport::RunQueuedCalls();
    }

    // Opens a menu of the menu bar with the mouse and clicks one of its items.
    void ChooseMenuItem(const char* menuName, const char* itemName) {
        QMenuBar* bar = form->menuBar();
        auto* menu = Get<QMenu>(menuName);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(menu->menuAction()).center());
        QTRY_VERIFY(menu->isVisible());
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(Item(itemName)).center());
        testsupport::RunQueuedCalls();
    }

    // The offscreen desktop gives the focus back to no window after a dialog; a real one activates ours.
    void Reactivate() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }

    void TypeMaximum(const QString& keys) {
        Maximum()->setFocus();
        Maximum()->selectAll();
        QTest::keyClick(Maximum(), Qt::Key_Backspace);
        QTest::keyClicks(Maximum(), keys);
    }

    void PasteMaximum(const QString& text) {
        QApplication::clipboard()->setText(text);
        Maximum()->setFocus();
        Maximum()->selectAll();
        QTest::keyClick(Maximum(), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Maximum()->text(), text.left(3));
    }

    // What the preview showed once its page was made.
    struct Preview {
        QString caption;
        int pages = 0;
        designer::CycleTable cycle{};
        bool canSave = false;
    };

    // Generates with the command given and reads the preview once it has made its page; the preview
    // is closed with its Cancel button.
    Preview GenerateWith(const char* command, bool fromMenu = false) {
        Preview shown;
        // The page is made at the window's first activation, which lets events run while it records:
        // the preview is read once it is idle again, from the event loop of the modal window.
        std::function<void(QWidget*)> whenReady = [&](QWidget* modal) {
            // The window comes from the preview module, with a class of its own: known by its name.
            if (!modal->inherits("designer::TForm2")) {
                modal->close();
                return;
            }
            auto* preview = Child<preview::TPrintPreview>(modal, "PrintPreview1");
            if (preview->TotalPages() == 0 || preview->State() != preview::TPreviewState::Idle) {
                testsupport::WhenModalOpens(whenReady);
                return;
            }
            shown = {modal->windowTitle(), preview->TotalPages(), form->Cycle,
                     Child<QPushButton>(modal, "SavePDFButton")->isEnabled()};
            QTest::mouseClick(Child<QPushButton>(modal, "Button1"), Qt::LeftButton);
        };
        testsupport::WhenModalOpens(whenReady);
        if (fromMenu)
            ChooseMenuItem("File1", command);
        else
            Click(command);
        [&] {
            QCOMPARE(shown.pages, 1);
            QCOMPARE(shown.caption, QString("Varnok Handvise"));
        }();
        Reactivate();
        return shown;
    }

private slots:
    void initTestCase() { controls::TApplication::SetTitle("Varnok Handvise"); }

    void startsFromTheLauncherSettings_data() {
        AddSettingsColumn();
        QTest::addColumn<QString>("springItem");
        QTest::addColumn<QString>("gripItem");
        QTest::addColumn<QString>("springs");
        QTest::addColumn<QString>("grip");

        struct Row {
            const char *tag, *settings, *springItem, *gripItem, *springs, *grip;
        };
        const Row rows[] = {
            {"no file", nullptr, "N21", "Inner1", "2", "Inner"},
            {"1 - 3, outer", "[RoutineD]\nSpring=3\nPosition=1\n", "N41", "Outer1", "1 - 3", "Outer"},
            {"one spring", "[RoutineD]\nSpring=0\n", "N11", "Inner1", "1", "Inner"},
            {"low 8 bits", "[RoutineD]\nSpring=$102\nPosition=257\n", "N31", "Outer1", "3", "Outer"},
            // Values the launcher never writes keep the designed checks but still count.
            {"spring 255, no grip", "[RoutineD]\nSpring=-1\nPosition=2\n", "N21", "Inner1", "0", ""},
            {"spring 4", "[RoutineD]\nSpring=4\n", "N21", "Inner1", "1 - 3", "Inner"},
            {"not a number", "[RoutineD]\nSpring=three\nPosition=1.0\n", "N21", "Inner1", "2", "Inner"},
            {"calculator's section", "[KTXcalc]\nSpring=0\nPosition=1\n", "N21", "Inner1", "2", "Inner"},
        };
        for (const Row& row : rows)
            QTest::newRow(row.tag) << (row.settings != nullptr ? QByteArray(row.settings) : QByteArray())
                                   << QString(row.springItem) << QString(row.gripItem) << QString(row.springs)
                                   << QString(row.grip);
    }

    void startsFromTheLauncherSettings() {
        QFETCH(QString, springItem);
        QFETCH(QString, gripItem);
        QFETCH(QString, springs);
        QFETCH(QString, grip);
        QVERIFY(PutSettingsOfRow());
        Open();
        for (const char* item : {"N11", "N21", "N31", "N41", "Inner1", "Outer1"})
            QCOMPARE(Item(item)->isChecked(), item == springItem || item == gripItem);
        QCOMPARE(Text("Label3"), springs);
        QCOMPARE(Text("Label5"), grip);
        QCOMPARE(Text("Label6"), QString("Heavy"));
        QCOMPARE(Intensity()->value(), 2);
        QCOMPARE(Maximum()->text(), QString("196"));
        QCOMPARE(QApplication::focusWidget(), Maximum());
        for (const auto& row : form->Cycle)
            for (const model::Talpha& cell : row)
                QVERIFY(cell.SettingText.empty() && cell.TensionText.empty() && cell.RepsText.empty());
    }

    void laysOutTheDesignedWindow() {
        Open();
        QCOMPARE(form->windowTitle(), QString("KTX Routine Designer"));
        QCOMPARE(form->centralWidget()->size(), QSize(334, 287));
        QCOMPARE(form->statusBar()->height(), 22);
        QCOMPARE(form->statusBar()->geometry().bottom(), form->height() - 1);
        QCOMPARE(form->minimumSize(), form->maximumSize());
        QCOMPARE(Get<QLineEdit>("Edit1")->maxLength(), 3);
        QCOMPARE(Text("StatusPanel2"), QString(" Varnok Handvise"));
        QCOMPARE(Text("StatusPanel1"), QString());
        QCOMPARE(Maximum()->toolTip(), QString("Tension in Pounds"));
        // Every label shows its whole text inside the window.
        for (QLabel* label : form->centralWidget()->findChildren<QLabel*>()) {
            const QRect inWindow(label->mapTo(form->centralWidget(), QPoint()), label->sizeHint());
            QVERIFY2(form->centralWidget()->rect().contains(inWindow), qPrintable(label->objectName()));
        }
    }

    void tabOrderFollowsTheRow() {
        Open();
        QStringList order;
        for (int i = 0; i < 6; ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QCOMPARE(order, QStringList({"Edit1", "ButtonCycle", "ThinTrackBar1", "ButtonHelp", "ButtonAbout",
                                     "Button1"}));
        QCOMPARE(QApplication::focusWidget(), Maximum());
    }

    void theMaximumBoxTakesDigitsOnly() {
        Open();
        TypeMaximum("a1-b2 .");
        QCOMPARE(Maximum()->text(), QString("12"));
        QTest::keyClick(Maximum(), Qt::Key_Backspace);
        QCOMPARE(Maximum()->text(), QString("1"));
        QTest::keyClicks(Maximum(), "2345");
        QCOMPARE(Maximum()->text(), QString("123"));
    }

    void theIntensityBarNamesItsPosition() {
        Open();
        QTest::keyClick(Maximum(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Intensity());
        QTest::keyClick(Intensity(), Qt::Key_Left);
        QCOMPARE(Text("Label6"), QString("Medium"));
        QTest::keyClick(Intensity(), Qt::Key_Left);
        QCOMPARE(Text("Label6"), QString("Light"));
        QTest::keyClick(Intensity(), Qt::Key_Left);
        QCOMPARE(Intensity()->value(), 0);
        QTest::keyClick(Intensity(), Qt::Key_End);
        QCOMPARE(Text("Label6"), QString("Heavy"));
    }

    void defaultInputsGenerateTheKnownCycle() {
        Open();
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("2, 8/127.5/8"));
        QCOMPARE(CellText(form->Cycle, 1, 5), QString("6, 8/176.7/3"));
        QCOMPARE(CellText(form->Cycle, 4, 3), QString("5, 9/181.9/3"));
        QCOMPARE(CellText(form->Cycle, 4, 5), QString("1, 3/45.0/0"));
        QCOMPARE(CellText(form->Cycle, 5, 1), QString("4, 7 /130.2/8"));
        QCOMPARE(CellText(form->Cycle, 5, 5), QString("1, 11/185.4/3"));
    }

    void printMenuAndButtonGenerateAlike() {
        Open();
        GenerateWith("ButtonCycle");
        const designer::CycleTable first = form->Cycle;
        form->Cycle = {};
        const Preview fromMenu = GenerateWith("Print1", true);
        for (int week = 1; week <= 8; ++week)
            for (int set = 1; set <= 5; ++set) {
                QCOMPARE(CellText(form->Cycle, week, set), CellText(first, week, set));
                // Generated before the preview opened on it.
                QCOMPARE(CellText(fromMenu.cycle, week, set), CellText(first, week, set));
            }
    }

    // No PDF library lies beside this test program: the preview shows the sheet but offers no saving.
    void withoutThePdfLibraryThePreviewDoesNotSave() {
        if (!preview::TPrintPreview::PdfLibraryFile().isEmpty())
            QSKIP("a libdspdf.so is installed on the system's library path");
        Open();
        QVERIFY(!GenerateWith("ButtonCycle").canSave);
    }

    void anEmptyBoxMeansTheDefaultMaximum() {
        Open();
        TypeMaximum("");
        QCOMPARE(Maximum()->text(), QString());
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("2, 8/127.5/8"));
        QCOMPARE(CellText(form->Cycle, 5, 5), QString("1, 11/185.4/3"));
    }

    void pastedNumbersAreRead_data() {
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("firstSet");
        QTest::newRow("leading zeros")
            << QString("096") << QString("2, 4/64.3/8"); // 64.32, exactly a tension
        QTest::newRow("negative") << QString("-99") << QString("1, 3/45.0/8");
        QTest::newRow("hexadecimal") << QString("$FF") << QString("6, 8 /176.7/8"); // 255: 170.85 pounds
        QTest::newRow("cut at three characters") << QString("9999") << QString("10, 12/345.1/8");
    }

    void pastedNumbersAreRead() {
        QFETCH(QString, pasted);
        QFETCH(QString, firstSet);
        Open();
        PasteMaximum(pasted);
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 7, 1), firstSet);
    }

    void pastedTextThatIsNoNumberIsReportedAndChangesNothing() {
        Open();
        GenerateWith("ButtonCycle");
        const QString before = CellText(form->Cycle, 1, 1);
        PasteMaximum("1a");
        {
            testsupport::ModalRecorder boxes;
            Click("ButtonCycle");
            QTRY_COMPARE(boxes.Texts().size(), 1);
            QTest::qWait(50); // no preview follows the message
            QCOMPARE(boxes.Texts(), QStringList("'1a' is not a valid integer value"));
        }
        QCOMPARE(CellText(form->Cycle, 1, 1), before);
    }

    void aPreviewThatCannotOpenIsReported_data() {
        QTest::addColumn<std::function<void()>>("failure");
        QTest::addColumn<QString>("message");
        QTest::newRow("failure in the window") << std::function<void()>([] { throw std::runtime_error("x"); })
                                               << QString("Something went wrong.");
        QTest::newRow("module missing")
            << std::function<void()>([] { throw designer::ERoutinePreviewMissing("/x/cadencer-preview.so"); })
            << QString("The routine preview cannot be shown: /x/cadencer-preview.so");
    }
    void aPreviewThatCannotOpenIsReported() {
        QFETCH(std::function<void()>, failure);
        QFETCH(QString, message);
        Open(std::make_unique<FailingPreviewForm>(failure));
        testsupport::ModalRecorder boxes;
        Click("ButtonCycle");
        QTRY_COMPARE(boxes.Texts().size(), 1);
        QCOMPARE(boxes.Texts().first(), message);
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("2, 8/127.5/8")); // the new cycle is kept
    }

    // Each place the module is looked for is named with what is wrong there: missing, damaged, or a library
    // that is no preview module. A relative path is never tried.
    void aModuleThatCannotBeLoadedIsNamed() {
        Dl_info library{};
        QVERIFY(dladdr(reinterpret_cast<void*>(&preview::Initialize), &library) != 0);
        const QString notTheModule = QString::fromLocal8Bit(library.dli_fname);
        QTemporaryDir folder;
        const QString missing = folder.filePath("missing/cadencer-preview.so");
        const QString damaged = folder.filePath("cadencer-preview.so");
        QFile empty(damaged);
        QVERIFY(empty.open(QIODevice::WriteOnly));
        empty.close();
        try {
            designer::OpenRoutinePreviewModule({"cadencer-preview.so", missing, damaged, notTheModule});
            QFAIL("no module should load");
        } catch (const designer::ERoutinePreviewMissing& failure) {
            const QString message = QString::fromStdString(failure.what());
            const QStringList reasons = message.section(": ", 1).split("; ");
            QVERIFY2(message.startsWith("The routine preview cannot be shown: ") && reasons.size() == 3,
                     qPrintable(message));
            QCOMPARE(reasons[0], missing + " was not found");
            QVERIFY2(reasons[1].startsWith(damaged + ": "), qPrintable(reasons[1])); // the loader's reason
            QCOMPARE(reasons[2], notTheModule + " is not the routine preview");
        }
        QVERIFY(designer::OpenRoutinePreviewModule(designer::RoutinePreviewModuleCandidates()) != nullptr);
    }

    void menusChooseSpringsAndGripForTheNextGeneration() {
        QVERIFY(testsupport::WriteLauncherSettings("[RoutineD]\nSpring=1\nPosition=0\n"));
        const QByteArray settings = testsupport::ReadLauncherSettings();
        Open();
        GenerateWith("ButtonCycle");
        ChooseMenuItem("SpringCount1", "N41");
        ChooseMenuItem("GripPosition1", "Outer1");
        QCOMPARE(Text("Label3"), QString("1 - 3"));
        QCOMPARE(Text("Label5"), QString("Outer"));
        QVERIFY(Item("N41")->isChecked() && !Item("N21")->isChecked());
        QVERIFY(Item("Outer1")->isChecked() && !Item("Inner1")->isChecked());
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("2, 8/127.5/8")); // not regenerated

        QTest::mouseClick(Intensity(), Qt::LeftButton, {}, Intensity()->ThumbRect().center());
        QTest::keyClick(Intensity(), Qt::Key_Left);
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("1, 4, 9 /127.7/8"));
        QCOMPARE(CellText(form->Cycle, 1, 3), QString("2, 5, 10/157.8/3"));
        QCOMPARE(CellText(form->Cycle, 1, 4), QString("7, 10 /164.8/3"));

        ChooseMenuItem("SpringCount1", "N11");
        ChooseMenuItem("GripPosition1", "Inner1");
        QCOMPARE(Text("Label3"), QString("1"));
        QCOMPARE(Text("Label5"), QString("Inner"));
        QCOMPARE(testsupport::ReadLauncherSettings(), settings);
    }

    void unusualSettingsStillGenerate() {
        QVERIFY(testsupport::WriteLauncherSettings("[RoutineD]\nSpring=255\nPosition=9\n"));
        Open();
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("1/2/8"));
        QCOMPARE(CellText(form->Cycle, 8, 5), QString("1/2/0"));
        ChooseMenuItem("SpringCount1", "N21");
        GenerateWith("ButtonCycle");
        QCOMPARE(CellText(form->Cycle, 1, 1), QString("2, 8/127.5/8")); // no grip chosen: inner
    }

    // Help shows the suite's page in the program's help window, needing no browser; a web address the
    // desktop cannot open is shown to the user in a message.
    void helpShowsThePageInTheProgramAndWebsiteFailuresAreReported() {
        QList<QUrl> shown;
        const auto previousViewer = controls::SetHelpViewer([&](QWidget*, const QUrl& url) { shown << url; });
        QList<QUrl> opened;
        const auto previousOpener = controls::SetUrlOpener([&](const QUrl& url) {
            opened << url;
            return false; // no program on this desktop opens it
        });
        const QString workingFolder = QDir::currentPath();
        QDir::setCurrent(QDir::rootPath());
        Open();
        testsupport::ModalRecorder boxes;
        Click("ButtonHelp");
        ChooseMenuItem("Help1", "Help2");
        ChooseMenuItem("Help1", "VisitWebsite1");
        QTRY_COMPARE(boxes.Texts().size(), 1);
        QDir::setCurrent(workingFolder);
        controls::SetUrlOpener(previousOpener);
        controls::SetHelpViewer(previousViewer);

        const QUrl page =
            QUrl::fromLocalFile(QDir(QCoreApplication::applicationDirPath()).filePath("ktxsuite.html"));
        QCOMPARE(shown, QList<QUrl>({page, page}));
        QCOMPARE(opened, QList<QUrl>({QUrl(controls::about::MakerPageUrl)}));
        QVERIFY(boxes.Texts().first().contains(controls::about::MakerPageUrl));
    }

    void aboutOpensTheDesignersAboutBox() {
        Open();
        for (const bool fromMenu : {false, true}) {
            bool designerLayout = false;
            QPointer<QWidget> shown;
            testsupport::WhenModalOpens([&](QWidget* modal) {
                auto* box = qobject_cast<controls::TAboutBox*>(modal);
                designerLayout =
                    box != nullptr && box->DialogLayout() == controls::TAboutBox::Layout::Designer;
                shown = modal;
                modal->close();
            });
            if (fromMenu)
                ChooseMenuItem("Help1", "About1");
            else
                Click("ButtonAbout");
            QVERIFY(designerLayout);
            QTRY_VERIFY(shown.isNull());
            Reactivate();
        }
    }

    // Light and dark themes: menu bar, menus, status bar and every label read; every control is named.
    void readableAndNamedOnBothThemes_data() {
        QTest::addColumn<bool>("about");
        QTest::addColumn<bool>("dark");
        for (const bool about : {false, true})
            for (const bool dark : {false, true})
                QTest::newRow(qPrintable(QString(about ? "about" : "main") + (dark ? " dark" : " light")))
                    << about << dark;
    }

    void readableAndNamedOnBothThemes() {
        QFETCH(bool, about);
        QFETCH(bool, dark);
        const testsupport::ScopedAppPalette theme(dark ? testsupport::DarkPalette()
                                                       : QApplication::style()->standardPalette());
        std::unique_ptr<QWidget> window;
        if (about)
            window = std::make_unique<controls::TAboutBox>(controls::TAboutBox::Layout::Designer);
        else
            window = std::make_unique<TForm1>();
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        const testsupport::ContrastReport report = testsupport::MeasureContrast(window.get());
        QVERIFY(report.checked >= (about ? 5 : 20));
        QVERIFY2(report.poor.isEmpty(), qPrintable(report.poor.join("; ")));
        const QStringList unnamed = testsupport::UnnamedFocusableControls(window.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    void screenReadersHearTheIntensityAndTheMaximum() {
        Open();
        QCOMPARE(QAccessible::queryAccessibleInterface(Intensity())->text(QAccessible::Value),
                 QString("Heavy"));
        QTest::keyClick(Intensity(), Qt::Key_Left);
        QCOMPARE(QAccessible::queryAccessibleInterface(Intensity())->text(QAccessible::Value),
                 QString("Medium"));
        QCOMPARE(QAccessible::queryAccessibleInterface(Maximum())->text(QAccessible::Name),
                 QString("Estimated Maximum :"));
    }

    // The menus' access keys, Print, Help and Quit from the keyboard; Escape closes the preview.
    void keysReachTheCommands() {
        Open();
        const std::pair<const char*, Qt::Key> menus[] = {{"File1", Qt::Key_F},
                                                         {"SpringCount1", Qt::Key_S},
                                                         {"GripPosition1", Qt::Key_G},
                                                         {"Help1", Qt::Key_H}};
        for (const auto& [menu, key] : menus)
            QCOMPARE(QKeySequence::mnemonic(Get<QMenu>(menu)->title()), QKeySequence(Qt::ALT | key));

        bool previewed = false;
        QPointer<QWidget> shown;
        std::function<void(QWidget*)> whenReady = [&](QWidget* modal) {
            auto* preview = Child<preview::TPrintPreview>(modal, "PrintPreview1");
            if (preview->TotalPages() == 0 || preview->State() != preview::TPreviewState::Idle) {
                testsupport::WhenModalOpens(whenReady);
                return;
            }
            previewed = true;
            shown = modal;
            QTest::keyClick(modal, Qt::Key_Escape);
        };
        testsupport::WhenModalOpens(whenReady);
        QTest::keySequence(Maximum(), QKeySequence::Print);
        testsupport::RunQueuedCalls();
        QVERIFY(previewed);
        QTRY_VERIFY(shown.isNull());
        Reactivate();

        QList<QUrl> topics;
        const auto previous = controls::SetHelpViewer([&](QWidget*, const QUrl& url) { topics << url; });
        QTest::keySequence(Maximum(), QKeySequence::HelpContents);
        controls::SetHelpViewer(previous);
        QCOMPARE(topics.size(), 1);
        QVERIFY(topics.first().path().endsWith("/ktxsuite.html"));

        QTest::keyClick(Maximum(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!form->isVisible());
    }

    void exitClosesTheWindow() {
        Open();
        Click("Button1");
        QVERIFY(!form->isVisible());
        Open();
        ChooseMenuItem("File1", "Exit1");
        QVERIFY(!form->isVisible());
    }
};

QTEST_MAIN(TestDesignerMainWindow)
#include "tst_designer_main_window.moc"
