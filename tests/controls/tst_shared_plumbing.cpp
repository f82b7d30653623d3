// Plumbing both programs share: the error display, the launcher settings reader and where it looks, the
// radio group, context help and the command line.
#include "controls/Application.h"
#include "controls/ContextHelp.h"
#include "controls/Fonts.h"
#include "controls/HelpWindow.h"
#include "controls/LauncherSettings.h"
#include "controls/Placement.h"
#include "controls/ProgramIdentity.h"
#include "controls/RadioGroup.h"
#include "controls/UrlOpener.h"
#include "tests/support/TestSupport.h"

#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QProxyStyle>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <stdexcept>

namespace {

// An object whose event handler fails, as a handler of a window might.
class FailingReceiver : public QObject {
public:
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User)
            throw std::runtime_error("'1a' is not a valid integer value");
        return QObject::event(event);
    }
};

// The widget as it is drawn at a screen scale.
QImage Drawn(QWidget& widget, qreal scale) {
    QPixmap pixmap(widget.size() * scale);
    pixmap.setDevicePixelRatio(scale);
    pixmap.fill(Qt::white);
    widget.render(&pixmap);
    return pixmap.toImage();
}

} // namespace

class TestSharedPlumbing : public QObject {
    Q_OBJECT

private slots:
    void failuresInHandlersReachTheErrorDisplay() {
        controls::TApplication::SetTitle("Varnok Handvise");
        FailingReceiver receiver;
        testsupport::ModalRecorder boxes;
        QEvent event(QEvent::User);
        QCOMPARE(QCoreApplication::sendEvent(&receiver, &event), false);
        QTRY_COMPARE(boxes.Texts(), QStringList{"'1a' is not a valid integer value"});

        bool ranAfter = false;
        controls::RunGuarded([] { throw std::out_of_range("setting 99 is outside the table"); });
        controls::RunGuarded([&] { ranAfter = true; });
        QTRY_COMPARE(boxes.Texts().size(), 2);
        QCOMPARE(boxes.Texts().last(), QString("setting 99 is outside the table"));
        QVERIFY(ranAfter);
    }

    void windowIsCentredOnItsFirstShowOnly() {
        QWidget window;
        window.resize(201, 101);
        controls::CentreOnFirstShow(&window);
        window.show();
        QRect expected = window.frameGeometry();
        expected.moveCenter(window.screen()->availableGeometry().center());
        QCOMPARE(window.frameGeometry().topLeft(), expected.topLeft());
        // Shown again after the user moved it, it stays where it was put.
        window.hide();
        window.move(10, 20);
        window.show();
        QCOMPARE(window.pos(), QPoint(10, 20));
    }

    void launcherSettingsKeepTheLowEightBits_data() {
        QTest::addColumn<QByteArray>("contents");
        QTest::addColumn<int>("expected");
        QTest::newRow("decimal") << QByteArray("[KTXcalc]\nSpring=2\n") << 2;
        QTest::newRow("256 is 0") << QByteArray("[KTXcalc]\nSpring=256\n") << 0;
        QTest::newRow("-1 is 255") << QByteArray("[KTXcalc]\nSpring=-1\n") << 255;
        QTest::newRow("hex dollar") << QByteArray("[KTXcalc]\nSpring=$1F\n") << 31;
        QTest::newRow("hex 0x") << QByteArray("[KTXcalc]\nSpring=0x1FF\n") << 255;
        QTest::newRow("largest") << QByteArray("[KTXcalc]\nSpring=2147483647\n") << 255;
        QTest::newRow("beyond 32 bits") << QByteArray("[KTXcalc]\nSpring=2147483648\n") << 7;
        QTest::newRow("blanks") << QByteArray("[KTXcalc]\n  Spring  =   3   \n") << 3;
        QTest::newRow("text") << QByteArray("[KTXcalc]\nSpring=three\n") << 7;
        QTest::newRow("empty value") << QByteArray("[KTXcalc]\nSpring=\n") << 7;
        QTest::newRow("comma") << QByteArray("[KTXcalc]\nSpring=1,2\n") << 7;
        QTest::newRow("quoted") << QByteArray("[KTXcalc]\nSpring=\"2\"\n") << 2;
        QTest::newRow("other key") << QByteArray("[KTXcalc]\nSprings=2\n") << 7;
        QTest::newRow("no section") << QByteArray("Spring=2\n") << 7;
        QTest::newRow("empty file") << QByteArray() << 7;
        const QByteArray setting("[KTXcalc]\nSpring=2\n;");
        QTest::newRow("64 KiB") << setting + QByteArray(64 * 1024 - setting.size(), 'x') << 2;
        QTest::newRow("over 64 KiB") << setting + QByteArray(64 * 1024 + 1 - setting.size(), 'x') << 7;
        QTest::newRow("binary") << QByteArray("\x7f"
                                              "ELF\x02\x01\x01\x00\x00\x00[KTXcalc]\x00Spring=\xff",
                                              28)
                                << 7;
    }

    void launcherSettingsKeepTheLowEightBits() {
        QFETCH(QByteArray, contents);
        QFETCH(int, expected);
        QTemporaryDir folder;
        const QString path = folder.filePath("ktxlauncher.ini");
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(contents);
        file.close();
        QCOMPARE(int(controls::ReadLauncherByte(path, "KTXcalc", "Spring", 7)), expected);
        QVERIFY(QFile::exists(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), contents); // read, never written
    }

    void missingOrUnreadableSettingsGiveTheDefault() {
        QTemporaryDir folder;
        QCOMPARE(int(controls::ReadLauncherByte(folder.filePath("missing.ini"), "KTXcalc", "Spring", 1)), 1);
        QCOMPARE(int(controls::ReadLauncherByte(folder.path(), "KTXcalc", "Spring", 1)), 1);
        QCOMPARE(int(controls::ReadLauncherByte("/dev/zero", "KTXcalc", "Spring", 1)), 1);
        const QString fifo = folder.filePath("fifo.ini"); // opening it would wait for a writer
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QCOMPARE(int(controls::ReadLauncherByte(fifo, "KTXcalc", "Spring", 1)), 1);
        QVERIFY(!QFile::exists(folder.filePath("missing.ini")));
    }

    // A file beside the program decides, even a bad one; only without it does the suite's file in the
    // user's configuration folder count, and a relative $XDG_CONFIG_HOME is never followed.
    void launcherSettingsBesideTheProgramComeFirst_data() {
        QTest::addColumn<QByteArray>("beside");  // "-" for no file beside the program
        QTest::addColumn<QString>("configHome"); // "" unset, "rel" relative, "abs" a private folder
        QTest::addColumn<int>("expected");
        const QByteArray none("-");
        QTest::newRow("beside decides") << QByteArray("[KTXcalc]\nSpring=3\n") << "abs" << 3;
        // Not of the size of the row before: a file rewritten within the same tick at the same size would
        // be the same file to QSettings' cache.
        QTest::newRow("bad beside hides the user's file")
            << QByteArray("[KTXcalc]\nSpring=bad\n") << "abs" << 7;
        QTest::newRow("user's file") << none << "abs" << 1;
        QTest::newRow("relative config home is ignored") << none << "rel" << 7;
    }

    void launcherSettingsBesideTheProgramComeFirst() {
        QFETCH(QByteArray, beside);
        QFETCH(QString, configHome);
        QFETCH(int, expected);
        QTemporaryDir home;
        QTemporaryDir work;
        const QString savedWork = QDir::currentPath();
        QDir::setCurrent(work.path());
        const QByteArray savedHome = qgetenv("HOME");
        const QByteArray savedConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        const QString configFolder = configHome == "abs" ? home.filePath("config") : QStringLiteral("config");
        qputenv("XDG_CONFIG_HOME", configFolder.toLocal8Bit());
        // The suite's file holds Spring=1; so does the one a relative value would name under the working
        // directory, which must not be read.
        for (const QString& folder : {home.filePath("config/handvise"), work.filePath("config/handvise")}) {
            QVERIFY(QDir().mkpath(folder));
            QFile file(folder + "/ktxlauncher.ini");
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[KTXcalc]\nSpring=1\n");
        }
        testsupport::RemoveLauncherSettings();
        if (beside != "-")
            QVERIFY(testsupport::WriteLauncherSettings(beside));

        const int read = controls::ReadLauncherByte(controls::LauncherSettingsPath(), "KTXcalc", "Spring", 7);
        testsupport::RemoveLauncherSettings();
        QDir::setCurrent(savedWork);
        qputenv("HOME", savedHome);
        qputenv("XDG_CONFIG_HOME", savedConfig);
        QCOMPARE(read, expected);
    }

    void commandLineAnswersHelpAndVersionOnly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("answer"); // the start of the printed text; empty when the window starts
        QTest::newRow("version") << QStringList{"--version"} << "handvise2 2.3.2\n";
        QTest::newRow("short version") << QStringList{"-v"} << "handvise2 2.3.2\n";
        QTest::newRow("help") << QStringList{"--help"} << "Usage: handvise2 [options]\n";
        QTest::newRow("help among unknown") << QStringList{"--bogus", "-h", "file"} << "Usage: handvise2";
        QTest::newRow("nothing") << QStringList{} << "";
        QTest::newRow("unknown only") << QStringList{"--bogus", "x"} << "";
        QTest::newRow("Qt's own option") << QStringList{"-reverse"} << "";
    }

    void commandLineAnswersHelpAndVersionOnly() {
        QFETCH(QStringList, arguments);
        QFETCH(QString, answer);
        const auto printed = controls::CommandLineAnswer(QStringList{"/usr/bin/handvise2"} + arguments,
                                                         controls::CalculatorIdentity());
        QCOMPARE(printed.has_value(), !answer.isEmpty());
        if (printed)
            QVERIFY2(printed->startsWith(answer), qPrintable(*printed));
    }

    // Both programs' built-in window icons are found at every size the desktop asks for.
    void identityGivesTheDesktopFileAndTheWindowIcon() {
        for (const controls::TProgramIdentity* identity :
             {&controls::CalculatorIdentity(), &controls::DesignerIdentity()}) {
            controls::ApplyIdentity(*identity);
            QCOMPARE(QGuiApplication::desktopFileName(), identity->DesktopId);
            QCOMPARE(QCoreApplication::applicationVersion(), identity->Version);
            const QIcon icon = controls::WindowIcon(*identity);
            for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
                QCOMPARE(icon.pixmap(size).size(), QSize(size, size));
        }
    }

    // The programs' style draws what it reads its own way exactly as Fusion does.
    void theStyleDrawsAsFusion_data() {
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("checkable");
        QTest::addColumn<int>("pixels");
        QTest::addColumn<qreal>("scale");
        QTest::newRow("titled") << " Spring Count " << false << 11 << 1.0;
        QTest::newRow("titled, large font, scale 2") << " Settings " << false << 16 << 2.0;
        QTest::newRow("untitled") << "" << false << 11 << 1.0;
        QTest::newRow("untitled, scale 1.5") << "" << false << 11 << 1.5;
        QTest::newRow("checkable, untitled") << "" << true << 16 << 1.0;
    }

    void theStyleDrawsAsFusion() {
        QFETCH(QString, title);
        QFETCH(bool, checkable);
        QFETCH(int, pixels);
        QFETCH(qreal, scale);
        QVERIFY2(qobject_cast<QProxyStyle*>(QApplication::style()) != nullptr,
                 "the application has its style");
        const std::unique_ptr<QStyle> fusion(QStyleFactory::create("fusion"));
        QGroupBox ours(title), theirs(title);
        theirs.setStyle(fusion.get());
        for (QGroupBox* box : {&ours, &theirs}) {
            QFont font("Liberation Sans");
            font.setPixelSize(pixels);
            box->setFont(font);
            box->setCheckable(checkable);
            box->resize(120, 77);
        }
        QCOMPARE(Drawn(ours, scale), Drawn(theirs, scale));
        for (const auto which :
             {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton})
            QCOMPARE(QApplication::style()->standardIcon(which).pixmap(QSize(16, 16), scale).toImage(),
                     fusion->standardIcon(which).pixmap(QSize(16, 16), scale).toImage());
    }

    // A designed face that is missing gives way to the first installed stand-in, named alone: a face
    // named after the one in use would have Qt sort every font for it at start-up.
    void designedFontsNameOneInstalledFace_data() {
        QTest::addColumn<QFont>("font");
        QTest::addColumn<QString>("face");
        QTest::newRow("Tahoma") << controls::PixelFont("Tahoma", 11) << "Liberation Sans";
        QTest::newRow("Trebuchet MS") << controls::PixelFont("Trebuchet MS", 16) << "Liberation Sans";
        QTest::newRow("installed face") << controls::PixelFont("DejaVu Sans", 11) << "DejaVu Sans";
        QTest::newRow("Courier New") << controls::MonospacePixelFont(16, true) << "Liberation Mono";
    }

    void designedFontsNameOneInstalledFace() {
        QFETCH(QFont, font);
        QFETCH(QString, face);
        QCOMPARE(font.families(), QStringList{face});
        QCOMPARE(QFontInfo(font).family(), face);
    }

    // The first paint does without the window icon; the icon follows it.
    void theWindowIconFollowsTheFirstPaint() {
        QGuiApplication::setWindowIcon(QIcon());
        QWidget window;
        controls::ApplyWindowIconAfterFirstPaint(&window, controls::DesignerIdentity());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(QGuiApplication::windowIcon().pixmap(48).size(), QSize(48, 48));
    }

    void aFileSizeLimitMakesWritesFailInsteadOfEndingTheProgram() {
        // The application object is made in main(); a child of this process writes past a limit.
        QTemporaryDir folder;
        const QByteArray name = QFile::encodeName(folder.filePath("big"));
        const pid_t child = ::fork();
        if (child == 0) {
            const rlimit limit{4096, 4096};
            const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const char block[8192] = {};
            const bool refused = ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && fd >= 0 &&
                                 ::write(fd, block, sizeof block) == 4096 &&
                                 ::write(fd, block, sizeof block) < 0 && errno == EFBIG;
            ::unlink(name.constData());
            ::_exit(refused ? 0 : 1);
        }
        QVERIFY(child > 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status), "the child was ended by a signal");
        QCOMPARE(WEXITSTATUS(status), 0);
    }

    void radioGroupChoosesByIndex() {
        controls::TRadioGroup group(" Spring Count ", {"1", "2", "3"});
        QCOMPARE(group.ItemIndex(), -1);
        QCOMPARE(group.ItemCaption(), QString());
        QSignalSpy changes(&group, &controls::TRadioGroup::ItemIndexChanged);
        group.SetItemIndex(1);
        QCOMPARE(group.ItemCaption(), QString("2"));
        group.SetItemIndex(200);
        QCOMPARE(group.ItemIndex(), 2);
        QCOMPARE(changes.size(), 2);
        group.show();
        QTest::mouseClick(group.Item(0), Qt::LeftButton);
        QCOMPARE(group.ItemIndex(), 0);
        group.SetItemIndex(-1);
        QCOMPARE(group.ItemIndex(), -1);
    }

    void contextHelpFollowsTheFocusedControl() {
        QWidget window;
        auto* plain = new QLineEdit(&window);
        auto* group = new controls::TRadioGroup("Grip", {"Inner", "Outer"}, &window);
        group->move(0, 40);
        controls::SetHelpContext(group, 1);
        controls::InstallContextHelp(&window, "help.html");
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QList<QUrl> opened;
        const auto previous = controls::SetHelpViewer([&](QWidget* main, const QUrl& url) {
            QCOMPARE(main, &window);
            opened << url;
        });
        group->Item(1)->setFocus();
        QTest::keyClick(group->Item(1), Qt::Key_F1); // an item takes its group's topic
        plain->setFocus();
        QTest::keyClick(plain, Qt::Key_F1); // no topic: the page itself
        controls::SetHelpViewer(previous);

        QCOMPARE(opened.size(), 2);
        QCOMPARE(opened[0].fragment(), QString("context-1"));
        QVERIFY(opened[0].path().endsWith("/help.html"));
        QVERIFY(!opened[1].hasFragment());
    }

    // The help window finds a topic by the page's id anchors, is reused, says when the page is missing,
    // and closes on Escape.
    void helpWindowShowsTheTopic() {
        QTemporaryDir dir;
        QFile page(dir.filePath("help.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        QByteArray html = "<html><body><h2 id=\"context-1\">One</h2>";
        for (int i = 0; i < 200; ++i)
            html += "<p>line</p>";
        html += "<h2 id=\"context-2\">Two</h2><p>end</p></body></html>";
        page.write(html);
        page.close();
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        QUrl topic = QUrl::fromLocalFile(page.fileName());
        topic.setFragment("context-2");
        controls::ShowHelpTopic(&window, topic);
        auto* help = window.findChild<controls::THelpWindow*>();
        QVERIFY(help != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        auto* browser = testsupport::Child<QTextBrowser>(help, "HelpBrowser");
        QTRY_VERIFY(browser->verticalScrollBar()->value() > 1000);
        topic.setFragment("context-1");
        controls::ShowHelpTopic(&window, topic);
        QTRY_VERIFY(browser->verticalScrollBar()->value() < 20); // the top, below the page margin
        controls::ShowHelpTopic(&window, QUrl::fromLocalFile(dir.filePath("missing.html")));
        QCOMPARE(window.findChildren<controls::THelpWindow*>().size(), 1);
        QVERIFY(browser->toPlainText().contains("missing.html"));
        QTest::keyClick(browser, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
    }
};

// The programs' own application object, so failures meet the same error display as in the programs.
int main(int argc, char** argv) {
    controls::TApplication application(argc, argv);
    TestSharedPlumbing test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_shared_plumbing.moc"
