// Both programs on a real Wayland compositor (run by run-under-weston.sh): they start with no Qt warning
// and their desktop ids; over the preview's page the pointer is the program's colour hand at the screen's
// pixel ratio, also while dragging; the centre tool is off.
#include "calc/U_handvise.h"
#include "designer/U_printpreview.h"
#include "preview/Preview.h"

#include <QProcess>
#include <QRegularExpression>
#include <QToolButton>
#include <QtTest>

class TestWaylandSession : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QCOMPARE(QGuiApplication::platformName(), QString("wayland")); }
    // Any warning fails the test it comes in, the Wayland plugin's too (an empty cursor buffer warns).
    void init() { QTest::failOnWarning(QRegularExpression(QStringLiteral(".*"))); }

    void programsStartCleanWithTheirIds_data() {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("appId");
        QTest::newRow("handvise2") << CALCULATOR_PROGRAM << "org.varnok.handvise.Calculator";
        QTest::newRow("cadencer") << DESIGNER_PROGRAM << "org.varnok.handvise.Designer";
    }

    // Until the window has its id and a drawn buffer, then a moment more: libwayland's protocol trace
    // (lines "[time] ...") names the id, and nothing else may be written.
    void programsStartCleanWithTheirIds() {
        QFETCH(QString, program);
        QFETCH(QString, appId);
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("WAYLAND_DEBUG"), QStringLiteral("client"));
        process.setProcessEnvironment(environment);
        process.start(program, {});
        QVERIFY(process.waitForStarted());
        const QByteArray named = QStringLiteral(".set_app_id(\"%1\")").arg(appId).toUtf8();
        QByteArray written;
        QTRY_VERIFY_WITH_TIMEOUT((written += process.readAllStandardError(),
                                  written.indexOf(".attach(", written.indexOf(named)) > 0),
                                 15000);
        QTest::qWait(300);
        process.terminate();
        process.waitForFinished();
        written += process.readAllStandardError();
        const QStringList lines = QString::fromUtf8(written).split('\n', Qt::SkipEmptyParts);
        const QStringList other = lines.filter(QRegularExpression(QStringLiteral("^[^\\[]")));
        QVERIFY2(other.isEmpty(), qPrintable(other.join('\n')));
    }

    // At 100 % the sheet is larger than the view: the open hand over it, the closed one while dragging,
    // each a colour image of 32 logical pixels at the screen's ratio with the hot spot at (15, 15).
    // Events go through the window as the platform delivers them, so each cursor reaches the plugin.
    void previewHandsShowOverThePage() {
        designer::TForm2 form(designer::CycleTable{});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        // A compositor activates a window when a seat focuses it; this headless one has no seat.
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&form, &activate);
        auto* control = form.findChild<preview::TPrintPreview*>();
        QTRY_VERIFY(control->TotalPages() == 1 && control->State() == preview::TPreviewState::Idle);
        auto* paper = form.findChild<preview::TPaperPreview*>();
        const int scale = form.devicePixelRatio() >= 2 ? 2 : 1;
        const auto hand = [&] {
            const QPixmap image = paper->cursor().pixmap();
            return QStringLiteral("%1x%2 at %3, hot spot %4,%5")
                .arg(image.width())
                .arg(image.height())
                .arg(image.devicePixelRatio())
                .arg(paper->cursor().hotSpot().x())
                .arg(paper->cursor().hotSpot().y());
        };
        const QString expected = QStringLiteral("%1x%1 at %2, hot spot 15,15").arg(32 * scale).arg(scale);
        const QPoint centre = control->viewport()->mapTo(&form, control->viewport()->rect().center());
        QTest::mouseMove(form.windowHandle(), centre - QPoint(20, 20));
        QTest::mouseMove(form.windowHandle(), centre);
        QCOMPARE(hand(), expected);
        QCOMPARE(paper->cursor().pixmap().cacheKey(),
                 preview::TScreenCursors::Cursor(preview::crHand).pixmap().cacheKey());
        QTest::mousePress(form.windowHandle(), Qt::LeftButton, {}, centre);
        QTest::mouseMove(form.windowHandle(), centre + QPoint(30, 40));
        QCOMPARE(paper->cursor().pixmap().cacheKey(),
                 preview::TScreenCursors::Cursor(preview::crGrab).pixmap().cacheKey());
        QCOMPARE(hand(), expected);
        QTest::mouseRelease(form.windowHandle(), Qt::LeftButton, {}, centre + QPoint(30, 40));
    }

    // A Wayland client cannot place its windows: the centre tool says so instead of doing nothing.
    void centreToolIsOffWhereTheDesktopPlacesWindows() {
        calc::TForm1 form;
        auto* centre = form.findChild<QToolButton*>(QStringLiteral("SpeedButtonCenter"));
        QVERIFY(!centre->isEnabled());
        QVERIFY(centre->toolTip().contains(QStringLiteral("desktop places windows itself")));
    }
};

QTEST_MAIN(TestWaylandSession)
#include "tst_wayland_session.moc"
