// Sliders and the tension list's scroll bar measured on their rendered pixels, on the default palette, a
// dark one and the desktop's own: each thumb, channel and handle stands out from what is next to it by
// 3 : 1; and the light windows' message boxes stay light on a dark palette.
#include "calc/U_handvise.h"
#include "controls/ThinTrackBar.h"
#include "controls/UrlOpener.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "tests/support/Readability.h"
#include "tests/support/TestSupport.h"

#include <QAbstractButton>
#include <QLabel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtTest>

using testsupport::Child;
using Window = std::function<std::unique_ptr<QWidget>()>;
Q_DECLARE_METATYPE(Window)

namespace {

template <class Form>
std::unique_ptr<QWidget> Shown(std::unique_ptr<Form> form, const char* click = nullptr) {
    form->show();
    if (!QTest::qWaitForWindowExposed(form.get()))
        qFatal("window never shown");
    if (click != nullptr) // Show List, or Grayscale, which enables the preview's sliders
        QTest::mouseClick(Child<QAbstractButton>(form.get(), click), Qt::LeftButton);
    return form;
}
std::unique_ptr<QWidget> Calculator() {
    return Shown(std::make_unique<calc::TForm1>());
}
std::unique_ptr<QWidget> CalculatorWithList() {
    auto form = Calculator();
    QTest::mouseClick(Child<QLabel>(form.get(), "TensionResult"), Qt::LeftButton);
    QTest::mouseClick(Child<QAbstractButton>(form.get(), "Button3"), Qt::LeftButton);
    return form;
}
std::unique_ptr<QWidget> Designer() {
    return Shown(std::make_unique<designer::TForm1>());
}
std::unique_ptr<QWidget> Preview() {
    return Shown(std::make_unique<designer::TForm2>(designer::CycleTable{}), "Grayscale");
}

const char* const PaletteNames[] = {"default", "dark", "desktop"};

// The contrast across an edge: `inside` the part, `outside` next to it.
QString PoorEdge(const QImage& image, const char* edge, QPoint inside, QPoint outside) {
    const double ratio = testsupport::ContrastRatio(image.pixelColor(inside), image.pixelColor(outside));
    return ratio >= 3.0 ? QString() : QStringLiteral("%1 %2:1 ").arg(edge).arg(ratio, 0, 'f', 2);
}

} // namespace

class TestControlContrast : public QObject {
    Q_OBJECT
    QPalette desktop_ = QApplication::palette(); // the platform theme's, before any row changes it

private slots:
    void partsStandOut_data() {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<int>("palette");
        const std::pair<Window, const char*> controls[] = {
            {Calculator, "TrackBar1"},           {Calculator, "psTrackBar1"},
            {CalculatorWithList, "TLTrackBar1"}, {Designer, "ThinTrackBar1"},
            {Preview, "ThinTrackBarBright"},     {Preview, "ThinTrackBarContrast"},
            {CalculatorWithList, "ListBox1"}};
        for (const auto& [window, control] : controls)
            for (int palette = 0; palette < 3; ++palette)
                QTest::addRow("%s %s", control, PaletteNames[palette]) << window << control << palette;
    }

    // A slider's thumb against the window above it and beside it, its channel above and below, at the
    // maximum so the channel's start lies free; the scroll bar's handle against the groove.
    void partsStandOut() {
        QFETCH(Window, window);
        QFETCH(QString, control);
        QFETCH(int, palette);
        const QPalette palettes[] = {QApplication::style()->standardPalette(), testsupport::DarkPalette(),
                                     desktop_};
        const testsupport::ScopedAppPalette theme(palettes[palette]);
        const std::unique_ptr<QWidget> shown = window();
        QString poor;
        if (auto* list = shown->findChild<QListWidget*>(control)) {
            QScrollBar* bar = list->verticalScrollBar();
            QTRY_VERIFY(bar->isVisible());
            bar->setValue(bar->maximum() / 2);
            QStyleOptionSlider option;
            option.initFrom(bar);
            option.subControls = QStyle::SC_All;
            option.orientation = Qt::Vertical;
            option.maximum = bar->maximum();
            option.sliderPosition = option.sliderValue = bar->value();
            option.pageStep = bar->pageStep();
            const QRect handle =
                bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, bar);
            const QImage image = bar->grab().toImage();
            const int x = handle.center().x();
            poor = PoorEdge(image, "handle top", {x, handle.top()}, {x, handle.top() - 1}) +
                   PoorEdge(image, "handle bottom", {x, handle.bottom()}, {x, handle.bottom() + 1});
        } else {
            auto* bar = Child<controls::TThinTrackBar>(shown.get(), control);
            QVERIFY(bar->isEnabled());
            bar->setValue(bar->maximum());
            const QImage image = bar->grab().toImage();
            // Places along the bar and across it, the same for both orientations.
            const bool horizontal = bar->orientation() == Qt::Horizontal;
            const auto at = [horizontal](int along, int across) {
                return horizontal ? QPoint(along, across) : QPoint(across, along);
            };
            const auto along = [horizontal](QPoint p) {
                return horizontal ? p.x() : p.y();
            };
            const auto across = [horizontal](QPoint p) {
                return horizontal ? p.y() : p.x();
            };
            const QRect thumb = bar->ThumbRect();
            const QRect channel = bar->ChannelRect();
            const int middle = along(thumb.center()), start = along(thumb.topLeft()),
                      top = across(thumb.topLeft());
            const int free = along(channel.topLeft()) + 3;
            const int nearSide = across(channel.topLeft()), farSide = across(channel.bottomRight());
            poor = PoorEdge(image, "thumb", at(middle, top), at(middle, top - 1)) +
                   PoorEdge(image, "thumb's side", at(start, top + 2), at(start - 1, top + 2)) +
                   PoorEdge(image, "channel", at(free, nearSide), at(free, nearSide - 1)) +
                   PoorEdge(image, "channel's far side", at(free, farSide), at(free, farSide + 1));
        }
        QVERIFY2(poor.isEmpty(), qPrintable(poor));
    }

    // The message boxes of the light calculator and designer keep the light look on a dark palette.
    void boxesOfLightWindowsStayLight_data() {
        QTest::addColumn<Window>("window");
        QTest::addColumn<QString>("tool");
        QTest::newRow("date and time") << Window(Calculator) << "SpeedButtonDateTime";
        QTest::newRow("web address not opened") << Window(Designer) << "VisitWebsite1";
    }

    void boxesOfLightWindowsStayLight() {
        QFETCH(Window, window);
        QFETCH(QString, tool);
        const testsupport::ScopedAppPalette theme(testsupport::DarkPalette());
        const auto previous = controls::SetUrlOpener([](const QUrl&) { return false; });
        const std::unique_ptr<QWidget> shown = window();
        double luminance = 0;
        testsupport::WhenModalOpens([&](QWidget* box) {
            luminance = testsupport::RelativeLuminance(box->grab().toImage().pixelColor(2, 2));
            box->close();
        });
        if (auto* button = shown->findChild<QAbstractButton*>(tool))
            button->click();
        else
            Child<QAction>(shown.get(), tool)->trigger();
        testsupport::RunQueuedCalls();
        controls::SetUrlOpener(previous);
        QVERIFY2(luminance > 0.5, qPrintable(QString::number(luminance)));
    }
};

QTEST_MAIN(TestControlContrast)
#include "tst_control_contrast.moc"
