// Both programs on a real Wayland compositor (run by run-under-weston.sh): they start with no Qt warning
// and name themselves by their desktop ids; over the preview's page the pointer is the program's hand, at
// the screen's pixel ratio, also while dragging, with no empty cursor buffer; the designer's help shows in
// the program; the centre tool is off.
#include "calc/U_handvise.h"
#include "controls/HelpWindow.h"
#include "designer/CycleGenerator.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "preview/Preview.h"

#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

// What a program wrote on standard error until its window was drawn: libwayland's protocol trace
// (lines starting "[time]") and anything else, which is a warning.
struct StartTrace {
    QStringList Protocol;
    QStringList Other;
};

StartTrace StartAndStop(const QString& program, const QString& appId) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
    process.setProcessEnvironment(environment);
    process.start(program, {});
    process.waitForStarted();
    QByteArray written;
    const QString named = QStringLiteral(".set_app_id(\"%1\")").arg(appId);
    QElapsedTimer waited;
    waited.start();
    // Until the window has its id and a drawn buffer, then a moment more for late warnings.
    bool drawn = false;
    while (!drawn && waited.elapsed() < 15000 && process.state() == QProcess::Running) {
        process.waitForReadyRead(100);
        written += process.readAllStandardError();
        const qsizetype idAt = written.indexOf(named.toUtf8());
        drawn = idAt >= 0 && written.indexOf(".attach(", idAt) >= 0;
    }
    QTest::qWait(300);
    written += process.readAllStandardError();
    process.terminate();
    process.waitForFinished(5000);
    written += process.readAllStandardError();

    StartTrace trace;
    for (const QString& line : QString::fromUtf8(written).split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        (line.startsWith(QLatin1Char('[')) ? trace.Protocol : trace.Other) << line;
    return trace;
}

designer::CycleTable DefaultCycle() {
    model::TensionModel model(model::SortVariant::Designer);
    designer::CycleTable cycle{};
    designer::GenerateCycle(model, cycle, 196, 2, "Inner", 2);
    return cycle;
}

} // namespace

class TestWaylandSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("wayland")); }

    // Any warning at all fails the test it comes in: the Wayland plugin's too.
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void programsStartCleanWithTheirIds_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("appId");
        QTest::newRow("handvise2") << CALCULATOR_PROGRAM << "org.varnok.handvise.Calculator";
        QTest::newRow("cadencer") << DESIGNER_PROGRAM << "org.varnok.handvise.Designer";
    }

    void programsStartCleanWithTheirIds() {
        QFETCH(QString, program);
        QFETCH(QString, appId);
        const StartTrace trace = StartAndStop(program, appId);
        QVERIFY2(trace.Protocol.filter(QStringLiteral("set_app_id(\"%1\")").arg(appId)).size() == 1,
                 qPrintable(QStringLiteral("%1 protocol lines, %2")
                                .arg(trace.Protocol.size())
                                .arg(trace.Other.join('\n'))));
        QVERIFY2(trace.Other.isEmpty(), qPrintable(trace.Other.join('\n')));
    }

    // The sheet at 100 % is larger than the view: the pointer over it is the open hand, the closed one
    // while dragging, each a colour image of 32 logical pixels at the screen's ratio. A cursor the
    // compositor cannot take (a bitmap with a mask) warns of a failed buffer here and shows nothing.
    void previewHandsShowOverThePage() {
        designer::TForm2 form(DefaultCycle());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* control = form.findChild<preview::TPrintPreview*>();
        // A compositor activates a window when a seat gives it the focus; this headless one has no seat.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form, &activate);
        QTRY_VERIFY(control->TotalPages() == 1 && control->State() == preview::TPreviewState::Idle);
        auto* paper = form.findChild<preview::TPaperPreview*>();
        QVERIFY(paper->isVisible());

        const int scale = form.devicePixelRatio() > 1 ? 2 : 1;
        const auto checkHand = [&](preview::TCursor id) {
            const QCursor cursor = paper->cursor();
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.pixmap().cacheKey(), preview::TScreenCursors::Cursor(id).pixmap().cacheKey());
            QCOMPARE(cursor.pixmap().size(), QSize(32, 32) * scale);
            QCOMPARE(cursor.pixmap().devicePixelRatio(), qreal(scale));
            QCOMPARE(cursor.hotSpot(), QPoint(15, 15));
        };
        // Through the window, as the platform delivers pointer events: each move passes the cursor on to
        // the Wayland plugin.
        QWindow* window = form.windowHandle();
        QWidget* view = control->viewport();
        const QPoint centre = view->mapTo(&form, view->rect().center());
        QVERIFY(paper->geometry().contains(view->rect().center()));
        QTest::mouseMove(window, centre - QPoint(20, 20));
        QTest::mouseMove(window, centre);
        checkHand(preview::crHand);
        QTest::mousePress(window, Qt::LeftButton, {}, centre);
        QTest::mouseMove(window, centre + QPoint(30, 40));
        checkHand(preview::crGrab);
        QTest::mouseRelease(window, Qt::LeftButton, {}, centre + QPoint(30, 40));
        checkHand(preview::crHand);
    }

    // The designer's help shows in the program's own window, with no browser and no warning.
    void designerHelpShowsInTheProgram() {
        designer::TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("ButtonHelp")), Qt::LeftButton);
        auto* help = form.findChild<controls::THelpWindow*>();
        QVERIFY(help != nullptr);
        QVERIFY(QTest::qWaitForWindowExposed(help));
        QVERIFY(help->Topic().path().endsWith(QStringLiteral("/ktxsuite.html")));
    }

    // A Wayland client cannot place its windows: the centre tool says so instead of doing nothing.
    void centreToolIsOffWhereTheDesktopPlacesWindows() {
        calc::TForm1 form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* centre = form.findChild<QToolButton*>(QStringLiteral("SpeedButtonCenter"));
        QVERIFY(!centre->isEnabled());
        QVERIFY(centre->toolTip().contains(QStringLiteral("desktop places windows itself")));
        QVERIFY(form.findChild<QToolButton*>(QStringLiteral("SpeedButtonDateTime"))->isEnabled());
    }
};

QTEST_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
