#include "controls/ThinTrackBar.h"
#include "tests/support/TestSupport.h"

#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include <memory>

using controls::TThinTrackBar;
using controls::TTickMarks;
using controls::TTickStyle;

namespace {

std::unique_ptr<TThinTrackBar> ShownBar(Qt::Orientation orientation, int min, int max, int value,
                                        QSize size = {254, 41}) {
    auto bar = std::make_unique<TThinTrackBar>(orientation);
    bar->setRange(min, max);
    bar->setValue(value);
    bar->setFixedSize(orientation == Qt::Vertical ? size.transposed() : size);
    bar->show();
    if (!QTest::qWaitForWindowExposed(bar.get()))
        qFatal("track bar never shown");
    return bar;
}

void Wheel(QWidget* target, int delta) {
    const QPointF at = QRectF(target->rect()).center();
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(target, &event);
}

// Positions along the bar (x, or y on a vertical bar) where some pixel of the band differs from the
// background; the band runs across the bar from `from` up to `to`.
QList<int> MarkedPositions(const QImage& image, Qt::Orientation orientation, int from, int to) {
    const QRgb background = image.pixel(1, 1);
    const int length = orientation == Qt::Horizontal ? image.width() : image.height();
    QList<int> marked;
    for (int along = 1; along < length - 1; ++along)
        for (int across = from; across < to; ++across) {
            const QPoint p = orientation == Qt::Horizontal ? QPoint(along, across) : QPoint(across, along);
            if (image.pixel(p) != background) {
                marked << along;
                break;
            }
        }
    return marked;
}

class FocusInReasons : public QObject {
public:
    QList<Qt::FocusReason> reasons;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusIn)
            reasons << static_cast<QFocusEvent*>(event)->reason();
        return false;
    }
};

} // namespace

class TestThinTrackBar : public QObject {
    Q_OBJECT
private slots:
    void keysMoveAsOnAClassicTrackBar_data();
    void keysMoveAsOnAClassicTrackBar();
    void verticalBarHasItsMinimumOnTop();
    void clickBesideThumbPagesTowardsIt();
    void holdingTheButtonPagesUpToThePointer();
    void draggingPutsTheThumbUnderThePointer();
    void wheelUpMovesTowardsTheMinimum();
    void everyPositionChangeIsReported();
    void enteredByClickTabAndCode();
    void enteredOnlyAtTheWindowsFirstActivation();
    void selectionRangeLeavesTheChannelThin();
    void ticksAndThumbPointOnTheChosenSides_data();
    void ticksAndThumbPointOnTheChosenSides();
    void focusedBarShowsAFocusFrame();
};

void TestThinTrackBar::keysMoveAsOnAClassicTrackBar_data() {
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    for (const Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        const char* name = o == Qt::Horizontal ? "horizontal" : "vertical";
        QTest::addRow("%s Right", name) << o << 1 << 55 << 10 << int(Qt::Key_Right) << 11;
        QTest::addRow("%s Down", name) << o << 1 << 55 << 10 << int(Qt::Key_Down) << 11;
        QTest::addRow("%s Left", name) << o << 1 << 55 << 10 << int(Qt::Key_Left) << 9;
        QTest::addRow("%s Up", name) << o << 1 << 55 << 10 << int(Qt::Key_Up) << 9;
        QTest::addRow("%s Page Down", name) << o << 1 << 55 << 10 << int(Qt::Key_PageDown) << 23;
        QTest::addRow("%s Page Up", name) << o << 1 << 55 << 10 << int(Qt::Key_PageUp) << 1;
        QTest::addRow("%s Page Down stops at the maximum", name)
            << o << 1 << 55 << 50 << int(Qt::Key_PageDown) << 55;
        QTest::addRow("%s Home", name) << o << 1 << 55 << 10 << int(Qt::Key_Home) << 1;
        QTest::addRow("%s End", name) << o << 1 << 55 << 10 << int(Qt::Key_End) << 55;
        QTest::addRow("%s Up below zero", name) << o << -100 << 100 << 0 << int(Qt::Key_Up) << -1;
        QTest::addRow("%s Home below zero", name) << o << -100 << 100 << 0 << int(Qt::Key_Home) << -100;
        QTest::addRow("%s Page Up below zero", name)
            << o << -100 << 100 << -95 << int(Qt::Key_PageUp) << -100;
    }
}

void TestThinTrackBar::keysMoveAsOnAClassicTrackBar() {
    QFETCH(Qt::Orientation, orientation);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, expected);
    auto bar = ShownBar(orientation, min, max, start);
    bar->setPageStep(13); // Page Up from 10 lands below the minimum 1 and stops there
    QTest::keyClick(bar.get(), Qt::Key(key));
    QCOMPARE(bar->value(), expected);
}

void TestThinTrackBar::verticalBarHasItsMinimumOnTop() {
    auto bar = ShownBar(Qt::Vertical, 2, 13, 2, {205, 19});
    bar->SetThumbLength(15);
    const int top = bar->ThumbRect().top();
    QTest::keyClick(bar.get(), Qt::Key_Down);
    QVERIFY(bar->ThumbRect().top() > top);
    bar->setValue(13);
    const QImage image = bar->grab().toImage();
    const QColor face = bar->palette().color(QPalette::Active, QPalette::Button);
    QCOMPARE(image.pixelColor(bar->ThumbRect().center()), face);
    QVERIFY(bar->ThumbRect().bottom() > 190);
}

void TestThinTrackBar::clickBesideThumbPagesTowardsIt() {
    auto bar = ShownBar(Qt::Horizontal, 1, 55, 20);
    bar->setPageStep(13);
    const int y = bar->ThumbRect().center().y();
    QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(bar->width() - 5, y));
    QCOMPARE(bar->value(), 33);
    QTest::mouseClick(bar.get(), Qt::LeftButton, {}, QPoint(5, y));
    QCOMPARE(bar->value(), 20);
    QTest::mouseClick(bar.get(), Qt::LeftButton, {}, bar->ThumbRect().center());
    QCOMPARE(bar->value(), 20);

    auto vertical = ShownBar(Qt::Vertical, -100, 100, 0, {449, 21});
    vertical->setPageStep(7);
    QTest::mouseClick(vertical.get(), Qt::LeftButton, {}, QPoint(10, vertical->height() - 5));
    QCOMPARE(vertical->value(), 7);
}

void TestThinTrackBar::holdingTheButtonPagesUpToThePointer() {
    auto bar = ShownBar(Qt::Horizontal, 0, 50, 0);
    bar->setPageStep(5);
    auto reference = ShownBar(Qt::Horizontal, 0, 50, 38);
    const QPoint pointer = reference->ThumbRect().center();
    QTest::mousePress(bar.get(), Qt::LeftButton, {}, pointer);
    QCOMPARE(bar->value(), 5);
    // Pages until the thumb reaches the pointer: at 35 it is still short of 38, at 40 it is there.
    QTRY_COMPARE_WITH_TIMEOUT(bar->value(), 40, 5000);
    QTest::qWait(300);
    QCOMPARE(bar->value(), 40);
    QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, pointer);
}

void TestThinTrackBar::draggingPutsTheThumbUnderThePointer() {
    for (const Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        auto bar = ShownBar(o, -100, 100, 0, {449, 21});
        auto reference = ShownBar(o, -100, 100, 0, {449, 21});
        QSignalSpy released(bar.get(), &QAbstractSlider::sliderReleased);
        for (const int target : {-100, -37, 1, 99, 100}) {
            reference->setValue(target);
            // Grab the thumb off its centre; it keeps that grip while moving.
            const QPoint grip = bar->ThumbRect().center() + QPoint(1, 1);
            const QPoint drop = reference->ThumbRect().center() + QPoint(1, 1);
            QTest::mousePress(bar.get(), Qt::LeftButton, {}, grip);
            QVERIFY(bar->isSliderDown());
            QTest::mouseMove(bar.get(), drop);
            QCOMPARE(bar->value(), target);
            QCOMPARE(bar->ThumbRect(), reference->ThumbRect());
            QTest::mouseRelease(bar.get(), Qt::LeftButton, {}, drop);
            QVERIFY(!bar->isSliderDown());
        }
        QCOMPARE(released.count(), 5);
    }
}

void TestThinTrackBar::wheelUpMovesTowardsTheMinimum() {
    auto bar = ShownBar(Qt::Horizontal, -100, 100, 0);
    Wheel(bar.get(), 120);
    QCOMPARE(bar->value(), -1);
    Wheel(bar.get(), -240);
    QCOMPARE(bar->value(), 1);
    Wheel(bar.get(), 60);
    QCOMPARE(bar->value(), 1);
    Wheel(bar.get(), 60);
    QCOMPARE(bar->value(), 0);

    auto vertical = ShownBar(Qt::Vertical, 2, 13, 5);
    Wheel(vertical.get(), 120);
    QCOMPARE(vertical->value(), 4);
}

void TestThinTrackBar::everyPositionChangeIsReported() {
    TThinTrackBar bar;
    QCOMPARE(bar.minimum(), 0);
    QCOMPARE(bar.maximum(), 10);
    QCOMPARE(bar.pageStep(), 2);
    bar.setRange(1, 55);
    int seen = 0;
    // The handler runs inside setValue, before it returns.
    connect(&bar, &QAbstractSlider::valueChanged, &bar, [&seen](int v) { seen = v; });
    bar.setValue(40);
    QCOMPARE(seen, 40);
    bar.setMaximum(12);
    QCOMPARE(seen, 12);
    QSignalSpy changes(&bar, &QAbstractSlider::valueChanged);
    bar.setValue(12);
    QCOMPARE(changes.count(), 0);
}

void TestThinTrackBar::enteredByClickTabAndCode() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* edit = new QLineEdit;
    auto* bar = new TThinTrackBar(Qt::Horizontal);
    layout->addWidget(edit);
    layout->addWidget(bar);
    edit->setFocus();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QSignalSpy entered(bar, &TThinTrackBar::entered);

    QTest::keyClick(edit, Qt::Key_Tab);
    QVERIFY(bar->hasFocus());
    QCOMPARE(entered.count(), 1);
    QTest::keyClick(bar, Qt::Key_Backtab);
    QVERIFY(edit->hasFocus());
    QTest::keyClick(edit, Qt::Key_Backtab); // wraps round to the bar
    QCOMPARE(entered.count(), 2);
    QTest::mouseClick(edit, Qt::LeftButton);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->ThumbRect().center());
    QCOMPARE(entered.count(), 3);
    bar->setFocus();
    QCOMPARE(entered.count(), 3); // it already had the focus
    edit->setFocus();
    bar->setFocus();
    QCOMPARE(entered.count(), 4);
}

void TestThinTrackBar::enteredOnlyAtTheWindowsFirstActivation() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* bar = new TThinTrackBar(Qt::Horizontal);
    layout->addWidget(bar);
    layout->addWidget(new QLineEdit);
    QSignalSpy entered(bar, &TThinTrackBar::entered);
    FocusInReasons focusIns;
    bar->installEventFilter(&focusIns);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(bar->hasFocus());
    QCOMPARE(entered.count(), 1);

    // A popup gives the focus back while the window stays active, still in its first activation.
    QMenu menu;
    menu.addAction(QStringLiteral("Item"));
    menu.popup(window.mapToGlobal(QPoint(5, 5)));
    QVERIFY(QTest::qWaitForWindowExposed(&menu));
    menu.close();
    QTRY_COMPARE(focusIns.reasons.last(), Qt::PopupFocusReason);
    QCOMPARE(entered.count(), 1);

    testsupport::WhenModalOpens([](QWidget* modal) { modal->close(); });
    QDialog dialog;
    dialog.exec();
    window.activateWindow(); // what the window manager does when the dialog goes
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTRY_COMPARE(focusIns.reasons.last(), Qt::ActiveWindowFocusReason);
    QCOMPARE(entered.count(), 1);

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!bar->hasFocus());
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QVERIFY(bar->hasFocus());
    QCOMPARE(focusIns.reasons.size(), 4);
    QCOMPARE(entered.count(), 1);
}

void TestThinTrackBar::selectionRangeLeavesTheChannelThin() {
    auto plain = ShownBar(Qt::Horizontal, -100, 100, 40, {449, 41});
    auto selecting = ShownBar(Qt::Horizontal, -100, 100, 40, {449, 41});
    for (TThinTrackBar* bar : {plain.get(), selecting.get()}) {
        bar->SetThumbLength(25);
        bar->SetTickMarks(TTickMarks::tmBoth);
        bar->SetTickStyle(TTickStyle::tsNone);
    }
    selecting->SetShowSelRange(true);
    selecting->SetSelStart(-50);
    selecting->SetSelEnd(60);
    const QImage image = selecting->grab().toImage();
    QCOMPARE(image, plain->grab().toImage());
    // Across the channel, away from the thumb, only a few pixels are painted.
    const QRgb background = image.pixel(1, 1);
    for (const int x : {10, 150, 300, 440}) {
        int painted = 0;
        for (int y = 1; y < image.height() - 1; ++y)
            painted += image.pixel(x, y) != background;
        QVERIFY2(painted > 0 && painted <= 4, qPrintable(QString("%1 pixels at x %2").arg(painted).arg(x)));
    }
}

void TestThinTrackBar::ticksAndThumbPointOnTheChosenSides_data() {
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<TTickMarks>("marks");
    QTest::addColumn<TTickStyle>("style");
    QTest::addColumn<int>("nearTicks"); // above or left of the thumb
    QTest::addColumn<int>("farTicks");  // below or right of it
    const auto h = Qt::Horizontal;
    const auto v = Qt::Vertical;
    QTest::newRow("bottom auto") << h << TTickMarks::tmBottomRight << TTickStyle::tsAuto << 0 << 11;
    QTest::newRow("top auto") << h << TTickMarks::tmTopLeft << TTickStyle::tsAuto << 11 << 0;
    QTest::newRow("both auto") << h << TTickMarks::tmBoth << TTickStyle::tsAuto << 11 << 11;
    QTest::newRow("both none") << h << TTickMarks::tmBoth << TTickStyle::tsNone << 0 << 0;
    QTest::newRow("bottom none") << h << TTickMarks::tmBottomRight << TTickStyle::tsNone << 0 << 0;
    QTest::newRow("bottom manual") << h << TTickMarks::tmBottomRight << TTickStyle::tsManual << 0 << 2;
    QTest::newRow("right auto") << v << TTickMarks::tmBottomRight << TTickStyle::tsAuto << 0 << 11;
    QTest::newRow("left auto") << v << TTickMarks::tmTopLeft << TTickStyle::tsAuto << 11 << 0;
    QTest::newRow("vertical both auto") << v << TTickMarks::tmBoth << TTickStyle::tsAuto << 11 << 11;
}

void TestThinTrackBar::ticksAndThumbPointOnTheChosenSides() {
    QFETCH(Qt::Orientation, orientation);
    QFETCH(TTickMarks, marks);
    QFETCH(TTickStyle, style);
    QFETCH(int, nearTicks);
    QFETCH(int, farTicks);
    for (const int thumbLength : {15, 20, 25}) {
        auto bar = ShownBar(orientation, 0, 10, 5, {225, 41});
        bar->SetThumbLength(thumbLength);
        bar->SetTickMarks(marks);
        bar->SetTickStyle(style);
        const QImage image = bar->grab().toImage();
        const QRect thumb = bar->ThumbRect();
        const bool horizontal = orientation == Qt::Horizontal;
        const int nearEdge = horizontal ? thumb.top() : thumb.left();
        const int farEdge = horizontal ? thumb.bottom() : thumb.right();
        const int across = horizontal ? image.height() : image.width();
        QCOMPARE(MarkedPositions(image, orientation, 1, nearEdge).size(), nearTicks);
        QCOMPARE(MarkedPositions(image, orientation, farEdge + 1, across - 1).size(), farTicks);
        QCOMPARE(horizontal ? thumb.height() : thumb.width(), thumbLength);

        // A thumb with ticks on one side only points at them: its corners there are left unpainted.
        const QRgb background = image.pixel(1, 1);
        const bool nearCornerOpen = image.pixel(thumb.topLeft()) == background;
        const bool farCornerOpen =
            image.pixel(horizontal ? thumb.bottomLeft() : thumb.topRight()) == background;
        QCOMPARE(nearCornerOpen, nearTicks > 0 && farTicks == 0);
        QCOMPARE(farCornerOpen, farTicks > 0 && nearTicks == 0);
    }
}

void TestThinTrackBar::focusedBarShowsAFocusFrame() {
    auto bar = ShownBar(Qt::Horizontal, 0, 10, 5);
    bar->SetTickStyle(TTickStyle::tsNone);
    const auto frameDots = [&bar] {
        const QImage image = bar->grab().toImage();
        const QRgb background = image.pixel(1, 1);
        int dots = 0;
        for (int x = 0; x < image.width(); ++x)
            dots += (image.pixel(x, 0) != background) + (image.pixel(x, image.height() - 1) != background);
        return dots;
    };
    QVERIFY(QTest::qWaitForWindowActive(bar.get()));
    bar->setFocus();
    // Dotted: every other pixel of the top and bottom rows.
    QVERIFY(qAbs(frameDots() - bar->width()) <= 2);
    bar->clearFocus();
    QCOMPARE(frameDots(), 0);
}

QTEST_MAIN(TestThinTrackBar)
#include "tst_thintrackbar.moc"
