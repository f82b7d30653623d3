// Sliders, the tension list's scroll bar and the boxes the light windows open, measured on their rendered
// pixels on the default palette, a dark one and the desktop's own: every thumb, channel and handle stands
// out from what surrounds it by the non-text contrast, and a window of the designed light look keeps it
// for the message boxes it opens.
#include "calc/U_handvise.h"
#include "controls/ThinTrackBar.h"
#include "controls/UrlOpener.h"
#include "designer/CycleGenerator.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "tests/support/Readability.h"
#include "tests/support/RenderedContrast.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStyle>
#include <QtTest>

#include <functional>
#include <memory>

using testsupport::Child;

namespace {

constexpr double NonText = 3.0;

enum class Theme { Default, Dark, Desktop };

// The palette a row runs under; "desktop" keeps what the platform theme gave the application at start
// (the gtk3 dark theme when the test runs under it).
QPalette PaletteOf(Theme theme) {
    static const QPalette desktop = QApplication::palette();
    switch (theme) {
    case Theme::Default:
        return QApplication::style()->standardPalette();
    case Theme::Dark:
        return testsupport::DarkPalette();
    case Theme::Desktop:
        break;
    }
    return desktop;
}

void Show(QWidget* window) {
    window->show();
    if (!QTest::qWaitForWindowExposed(window))
        qFatal("window never shown");
}

std::unique_ptr<QWidget> CalculatorWithList() {
    auto form = std::make_unique<calc::TForm1>();
    Show(form.get());
    QTest::mouseClick(Child<QLabel>(form.get(), "TensionResult"), Qt::LeftButton);
    QTest::mouseClick(Child<QAbstractButton>(form.get(), "Button3"), Qt::LeftButton);
    QTest::mouseClick(Child<QAbstractButton>(form.get(), "Button1"), Qt::LeftButton);
    return form;
}

std::unique_ptr<QWidget> Designer() {
    auto form = std::make_unique<designer::TForm1>();
    Show(form.get());
    return form;
}

std::unique_ptr<QWidget> GrayPreview() {
    model::TensionModel model(model::SortVariant::Designer);
    designer::CycleTable cycle{};
    designer::GenerateCycle(model, cycle, 196, 2, "Inner", 2);
    auto form = std::make_unique<designer::TForm2>(cycle);
    Show(form.get());
    QTest::mouseClick(Child<QAbstractButton>(form.get(), "Grayscale"), Qt::LeftButton);
    return form;
}

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;
using Opener = std::function<void(QWidget*)>;

void AddThemeRows(const char* what, const WindowFactory& factory, const QString& control) {
    for (const auto& [name, theme] : {std::pair{"default", Theme::Default}, std::pair{"dark", Theme::Dark},
                                      std::pair{"desktop", Theme::Desktop}})
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(what, name)))
            << factory << control << int(theme);
}

QString Describe(const testsupport::EdgeReport& report, const QString& part) {
    return part + QStringLiteral(": ") + report.Poor.join(QStringLiteral(", "));
}

} // namespace

Q_DECLARE_METATYPE(WindowFactory)
Q_DECLARE_METATYPE(Opener)

class TestControlContrast : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() {
        PaletteOf(Theme::Desktop); // before any row changes the application's palette
    }

    // Thumb and channel of every slider, at its maximum so the channel's start lies free.
    void slidersStandOut_data() {
        QTest::addColumn<WindowFactory>("factory");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("theme");
        AddThemeRows("settings bar", CalculatorWithList, "TrackBar1");
        AddThemeRows("page-size bar", CalculatorWithList, "psTrackBar1");
        AddThemeRows("tension-list bar", CalculatorWithList, "TLTrackBar1");
        AddThemeRows("intensity bar", Designer, "ThinTrackBar1");
        AddThemeRows("brightness bar", GrayPreview, "ThinTrackBarBright");
        AddThemeRows("contrast bar", GrayPreview, "ThinTrackBarContrast");
    }

    void slidersStandOut() {
        QFETCH(WindowFactory, factory);
        QFETCH(QString, control);
        QFETCH(int, theme);
        const testsupport::ScopedAppPalette palette(PaletteOf(Theme(theme)));
        const std::unique_ptr<QWidget> window = factory();
        auto* bar = Child<controls::TThinTrackBar>(window.get(), control);
        QVERIFY(bar->isEnabled());
        bar->setValue(bar->maximum());
        const QImage image = testsupport::Rendered(bar);

        const QRect thumb = bar->ThumbRect();
        const bool horizontal = bar->orientation() == Qt::Horizontal;
        // Beside the thumb on a line clear of the channel; above and below it through its middle.
        const QPoint clear = horizontal ? QPoint(thumb.center().x(), thumb.top() + 2)
                                        : QPoint(thumb.left() + 2, thumb.center().y());
        const auto thumbEdges =
            testsupport::MeasureEdges(image, testsupport::EdgesAround(thumb, clear), NonText);
        QVERIFY2(thumbEdges.Poor.isEmpty(), qPrintable(Describe(thumbEdges, "thumb")));

        const QRect channel = bar->ChannelRect();
        const QPoint free = horizontal ? QPoint(channel.left() + 3, channel.center().y())
                                       : QPoint(channel.center().x(), channel.top() + 3);
        QList<testsupport::Edge> channelEdges = testsupport::EdgesAround(channel, free);
        channelEdges.removeAt(horizontal ? 3 : 1); // the far end lies under the thumb
        const auto channelReport = testsupport::MeasureEdges(image, channelEdges, NonText);
        QVERIFY2(channelReport.Poor.isEmpty(), qPrintable(Describe(channelReport, "channel")));
    }

    // The tension list's scroll bar: its handle against the groove, and the bar against the list.
    void listScrollBarStandsOut_data() {
        QTest::addColumn<int>("theme");
        QTest::newRow("default") << int(Theme::Default);
        QTest::newRow("dark") << int(Theme::Dark);
        QTest::newRow("desktop") << int(Theme::Desktop);
    }

    void listScrollBarStandsOut() {
        QFETCH(int, theme);
        const testsupport::ScopedAppPalette palette(PaletteOf(Theme(theme)));
        const std::unique_ptr<QWidget> window = CalculatorWithList();
        auto* list = Child<QListWidget>(window.get(), "ListBox1");
        QScrollBar* bar = list->verticalScrollBar();
        QVERIFY(bar->isVisible());
        bar->setValue(bar->maximum() / 2);
        const QImage image = testsupport::Rendered(bar);
        const QRect handle = testsupport::ScrollBarHandle(bar);
        // Along the bar, against the groove; the handle spans the bar's width.
        const auto handleEdges = testsupport::MeasureEdges(
            image, testsupport::EdgesAround(handle, handle.center()).mid(0, 2), NonText);
        QVERIFY2(handleEdges.Poor.isEmpty(), qPrintable(Describe(handleEdges, "handle")));

        // Where the list's lines end and the bar begins, below the handle.
        const QImage whole = testsupport::Rendered(list);
        const QPoint barTop = bar->mapTo(list, QPoint(0, handle.bottom() + 4));
        const auto boundary = testsupport::MeasureEdges(
            whole, {{QStringLiteral("left"), barTop, barTop - QPoint(1, 0)}}, NonText);
        QVERIFY2(boundary.Poor.isEmpty(), qPrintable(Describe(boundary, "bar beside the list")));
    }

    // On a dark theme the message boxes of the light calculator and designer stay light, as does the
    // calculator's list scroll bar.
    void boxesOfLightWindowsStayLight_data() {
        QTest::addColumn<WindowFactory>("factory");
        QTest::addColumn<Opener>("open");
        const auto click = [](const char* name) {
            return Opener(
                [name](QWidget* w) { QTest::mouseClick(Child<QAbstractButton>(w, name), Qt::LeftButton); });
        };
        QTest::newRow("date and time") << WindowFactory(CalculatorWithList) << click("SpeedButtonDateTime");
        QTest::newRow("invalid input") << WindowFactory([] {
            auto form = CalculatorWithList();
            QTest::mouseClick(Child<QLabel>(form.get(), "TensionResult"), Qt::LeftButton);
            Child<QLineEdit>(form.get(), "Edit1")->clear();
            return form;
        }) << click("SpeedButtonP1");
        QTest::newRow("web address") << WindowFactory(Designer) << Opener([](QWidget* w) {
            Child<QAction>(w, "VisitWebsite1")->trigger();
        });
    }

    void boxesOfLightWindowsStayLight() {
        QFETCH(WindowFactory, factory);
        QFETCH(Opener, open);
        const testsupport::ScopedAppPalette palette(testsupport::DarkPalette());
        const auto previous = controls::SetUrlOpener([](const QUrl&) { return false; });
        const std::unique_ptr<QWidget> window = factory();
        double luminance = -1;
        testsupport::WhenModalOpens([&](QWidget* box) {
            const QImage image = testsupport::Rendered(box);
            luminance = testsupport::RelativeLuminance(image.pixelColor(2, 2));
            box->close();
        });
        open(window.get());
        controls::SetUrlOpener(previous);
        QVERIFY2(luminance > 0.5, qPrintable(QString::number(luminance)));
    }
};

QTEST_MAIN(TestControlContrast)
#include "tst_control_contrast.moc"
