// The calculator's windows on light and dark themes, from the keyboard and for screen readers: every
// text readable, every control named, every side tool and the entry reachable by keys, F1 at the topic.
#include "calc/SideTools.h"
#include "calc/U_convert.h"
#include "calc/U_handvise.h"
#include "calc/U_percentages.h"
#include "controls/HelpWindow.h"
#include "controls/RadioGroup.h"
#include "controls/ThinTrackBar.h"
#include "controls/UAbout.h"
#include "tests/support/Readability.h"
#include "tests/support/TestSupport.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTextBlock>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <map>
#include <memory>

using testsupport::Child;
using testsupport::ShowActive;

namespace {

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

std::unique_ptr<QWidget> MainWindow() {
    auto form = std::make_unique<calc::TForm1>();
    ShowActive(form.get());
    return form;
}

// The entry view with the tension list: the most controls at once.
std::unique_ptr<QWidget> EntryWithList() {
    auto form = MainWindow();
    QTest::mouseClick(Child<QLabel>(form.get(), "TensionResult"), Qt::LeftButton);
    QTest::mouseClick(Child<QAbstractButton>(form.get(), "Button3"), Qt::LeftButton);
    return form;
}

template <class Dialog, class Values> WindowFactory DialogOn(Values values) {
    return [values] {
        auto dialog = std::make_unique<Dialog>(values, nullptr);
        ShowActive(dialog.get());
        return std::unique_ptr<QWidget>(std::move(dialog));
    };
}

std::unique_ptr<QWidget> AboutBox() {
    auto box = std::make_unique<controls::TAboutBox>(controls::TAboutBox::Layout::Calculator);
    ShowActive(box.get());
    return box;
}

const std::map<QString, WindowFactory>& Windows() {
    static const std::map<QString, WindowFactory> windows{
        {"result view", MainWindow},
        {"entry view with list", EntryWithList},
        {"percentages", DialogOn<calc::TFormPercentage>(calc::PercentageLines(170))},
        {"conversion", DialogOn<calc::TFormConvert>(calc::Convert(170.0f))},
        {"about", AboutBox},
    };
    return windows;
}

} // namespace

class TestCalcAccess : public testsupport::LauncherSettingsTest {
    Q_OBJECT

private:
    std::unique_ptr<calc::TForm1> form;

    void CloseWindow() override { form.reset(); }

    calc::TForm1* Open() {
        form = std::make_unique<calc::TForm1>();
        ShowActive(form.get());
        return form.get();
    }
    template <class T> T* Get(const char* name) { return Child<T>(form.get(), QLatin1String(name)); }
    controls::TThinTrackBar* Track() { return Get<controls::TThinTrackBar>("TrackBar1"); }

    static QString AccessibleValue(QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Value);
    }

private slots:
    // Every text reads on the light and on a dark palette; every focusable control has a name.
    void readableAndNamedOnBothThemes_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("dark");
        for (const auto& [name, factory] : Windows())
            for (const bool dark : {false, true})
                QTest::newRow(qPrintable(name + (dark ? " dark" : " light"))) << name << dark;
    }

    void readableAndNamedOnBothThemes() {
        QFETCH(QString, window);
        QFETCH(bool, dark);
        const testsupport::ScopedAppPalette theme(dark ? testsupport::DarkPalette()
                                                       : QApplication::style()->standardPalette());
        const std::unique_ptr<QWidget> shown = Windows().at(window)();
        const testsupport::ContrastReport report = testsupport::MeasureContrast(shown.get());
        QVERIFY(report.checked >= 2);
        QVERIFY2(report.poor.isEmpty(), qPrintable(report.poor.join("; ")));
        const QStringList unnamed = testsupport::UnnamedFocusableControls(shown.get());
        QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    }

    // The bars tell what their position means; the side tools are named by their hints.
    void screenReadersHearWhatTheBarsMean() {
        Open();
        auto* track = QAccessible::queryAccessibleInterface(Track());
        QCOMPARE(track->role(), QAccessible::Slider);
        QCOMPARE(track->text(QAccessible::Name), QString("Setting"));
        QCOMPARE(track->text(QAccessible::Value), QString("45 pounds, springs 1, 3"));
        QVERIFY(track->valueInterface() != nullptr);
        QCOMPARE(track->valueInterface()->currentValue().toInt(), 1);
        QTest::keyClick(Track(), Qt::Key_End);
        QCOMPARE(AccessibleValue(Track()), QString("345.12 pounds, springs 10, 12"));
        QCOMPARE(AccessibleValue(Get<QWidget>("TLTrackBar1")), QString("2 to 452 pounds"));
        QCOMPARE(AccessibleValue(Get<QWidget>("psTrackBar1")), QString("2"));
        QCOMPARE(
            QAccessible::queryAccessibleInterface(Get<QWidget>("SpeedButtonP1"))->text(QAccessible::Name),
            QString("Percentages"));
    }

    // Ctrl+1 to Ctrl+4 press the side tools left to right, their hints name the key, and the focus stays
    // where it was; Escape closes what they open.
    void sideToolsAnswerTheirKeys_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("hint");
        QTest::addColumn<QString>("opens");
        QTest::newRow("center") << "SpeedButtonCenter" << int(Qt::Key_1) << "Center Calculator (Ctrl+1)"
                                << "";
        QTest::newRow("date") << "SpeedButtonDateTime" << int(Qt::Key_2) << "Date and Time (Ctrl+2)"
                              << "QMessageBox";
        QTest::newRow("percent") << "SpeedButtonP1" << int(Qt::Key_3) << "Percentages (Ctrl+3)"
                                 << "calc::TFormPercentage";
        QTest::newRow("convert") << "SpeedButtonConv" << int(Qt::Key_4) << "Conversion (Ctrl+4)"
                                 << "calc::TFormConvert";
    }

    void sideToolsAnswerTheirKeys() {
        QFETCH(QString, button);
        QFETCH(int, key);
        QFETCH(QString, hint);
        QFETCH(QString, opens);
        Open();
        auto* tool = Get<QToolButton>(qPrintable(button));
        QCOMPARE(tool->toolTip(), hint);
        QCOMPARE(tool->focusPolicy(), Qt::NoFocus);
        form->move(0, 0);
        QString opened;
        bool closedByEscape = false;
        if (!opens.isEmpty())
            testsupport::WhenModalOpens([&](QWidget* modal) {
                opened = QString::fromLatin1(modal->metaObject()->className());
                QTest::keyClick(modal, Qt::Key_Escape);
                closedByEscape = !modal->isVisible();
                if (!closedByEscape)
                    modal->close();
            });
        QTest::keyClick(Track(), Qt::Key(key), Qt::ControlModifier);
        testsupport::RunQueuedCalls();
        if (opens.isEmpty()) {
            const QRect screen = form->screen()->geometry();
            const QSize outer = form->frameGeometry().size();
            QCOMPARE(form->frameGeometry().topLeft(),
                     QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2));
        }
        QCOMPARE(opened, opens);
        QCOMPARE(closedByEscape, !opens.isEmpty());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(QApplication::focusWidget(), Track());
    }

    // Enter on the track bar types a tension, as a click on the tension does; Ctrl+Q ends the program.
    void enterTypesATensionAndQuitCloses() {
        Open();
        QTest::keyClick(Track(), Qt::Key_Return);
        QCOMPARE(form->View(), calc::TForm1::TView::Entry);
        QCOMPARE(QApplication::focusWidget(), Get<QLineEdit>("Edit1"));
        QCOMPARE(Get<QLineEdit>("Edit1")->text(), QString("45"));
        QTest::keyClick(Get<QLineEdit>("Edit1"), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!form->isVisible());
    }

    // Return presses the focused button; Tab enters a radio group at its chosen item and leaves it with the
    // next Tab; a command that hides the focused control moves the focus once, straight where it belongs.
    void keyboardAsOnTheDesktop() {
        Open();
        QTest::keyClick(Track(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), Get<controls::TRadioGroup>("SpringGroup1")->Item(1));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(qobject_cast<QRadioButton*>(QApplication::focusWidget())->text(), QString("Inner"));

        QTest::mouseClick(Get<QLabel>("TensionResult"), Qt::LeftButton);
        Get<QPushButton>("Button1")->setFocus();
        QList<QWidget*> focused;
        const auto connection =
            connect(qApp, &QApplication::focusChanged, this, [&](QWidget*, QWidget* now) { focused << now; });
        QTest::keyClick(Get<QPushButton>("Button1"), Qt::Key_Return);
        disconnect(connection);
        QCOMPARE(form->View(), calc::TForm1::TView::Result);
        QCOMPARE(focused, QList<QWidget*>{Track()});
        QCOMPARE(AccessibleValue(Track()), QString("45 pounds, springs 1, 3"));
        QCOMPARE(QAccessible::queryAccessibleInterface(form.get())->role(), QAccessible::Window);

        // Hide List from its own panel's slider: straight back to the bar.
        QTest::mouseClick(Get<QLabel>("TensionResult"), Qt::LeftButton);
        QTest::mouseClick(Get<QPushButton>("Button3"), Qt::LeftButton);
        QTest::mouseClick(Get<QPushButton>("Button1"), Qt::LeftButton);
        Get<QWidget>("TLTrackBar1")->setFocus();
        focused.clear();
        const auto again =
            connect(qApp, &QApplication::focusChanged, this, [&](QWidget*, QWidget* now) { focused << now; });
        Get<QPushButton>("Button2")->click(); // a mouse click would focus the button first
        disconnect(again);
        QCOMPARE(focused, (QList<QWidget*>{nullptr, Track()}));
    }

    // F1 shows the focused control's topic in the program's help window, one window reused.
    void f1ShowsTheTopicInTheHelpWindow() {
        Open();
        QTest::keyClick(Track(), Qt::Key_F1);
        auto* help = form->findChild<controls::THelpWindow*>();
        QVERIFY(help != nullptr);
        QCOMPARE(help->Topic().fragment(), QString("context-3"));
        QVERIFY(help->Topic().path().endsWith("/ktxcalc.html"));
        QVERIFY(help->isVisible());
        // Reading starts at the topic: the page has the focus and its caret stands at the topic's anchor.
        auto* page = help->findChild<QTextBrowser*>();
        QCOMPARE(help->focusWidget(), page);
        QCOMPARE(page->textCursor().block().text(), QString("Setting track bar"));
        QCOMPARE(QAccessible::queryAccessibleInterface(help)->role(), QAccessible::Window);
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::mouseClick(Get<QLabel>("TensionResult"), Qt::LeftButton);
        QTest::keyClick(Get<QLineEdit>("Edit1"), Qt::Key_F1);
        QCOMPARE(form->findChildren<controls::THelpWindow*>().size(), 1);
        QCOMPARE(help->Topic().fragment(), QString("context-4"));
    }
};

QTEST_MAIN(TestCalcAccess)
#include "tst_calc_access.moc"
