// What starting either program loads: its first window shows, and gets its icon, without an image plugin,
// the SVG engine, the JPEG library or the CUPS client library, which only later work needs.
#include "calc/U_handvise.h"
#include "controls/Application.h"
#include "controls/ProgramIdentity.h"
#include "designer/U_routine.h"

#include <QFile>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void theFirstWindowsLoadNothingTheyDoNotShow() {
        calc::TForm1 calculator;
        designer::TForm1 designer;
        controls::ApplyWindowIconAfterFirstPaint(&calculator, controls::CalculatorIdentity());
        for (QWidget* window : {static_cast<QWidget*>(&calculator), static_cast<QWidget*>(&designer)}) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
        }
        QTRY_VERIFY(!QGuiApplication::windowIcon().isNull()); // after the first paints
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray mapped = maps.readAll();
        for (const char* library : {"/imageformats/", "/iconengines/", "libQt6Svg", "libjpeg", "libcups"})
            QVERIFY2(!mapped.contains(library), library);
    }
};

// The programs' own application object, which sets their style.
int main(int argc, char** argv) {
    controls::TApplication application(argc, argv);
    TestStartup test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_startup.moc"
