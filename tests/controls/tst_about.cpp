#include "controls/AboutTexts.h"
#include "controls/ClickLabel.h"
#include "controls/Credits.h"
#include "controls/Language.h"
#include "controls/UAbout.h"
#include "controls/UrlOpener.h"
#include "tests/support/TestSupport.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

#include <memory>

using controls::TAboutBox;
using controls::TScrollingCredits;
using testsupport::Child;
using Layout = TAboutBox::Layout;

Q_DECLARE_METATYPE(TAboutBox::Layout)

namespace {

// Records the addresses the dialog asks to open, in place of the desktop's opener.
class OpenedUrls {
public:
    explicit OpenedUrls(bool succeed = true)
        : previous_(controls::SetUrlOpener([this, succeed](const QUrl& url) {
            urls << url;
            return succeed;
        })) {}
    ~OpenedUrls() { controls::SetUrlOpener(previous_); }
    OpenedUrls(const OpenedUrls&) = delete;
    OpenedUrls& operator=(const OpenedUrls&) = delete;

    QList<QUrl> urls;

private:
    controls::UrlOpenerFunction previous_;
};

int CreditsLineHeight(const TScrollingCredits& credits) {
    return QFontMetrics(credits.CreditsFont(), &credits).height();
}

} // namespace

class TestAbout : public QObject {
    Q_OBJECT

private slots:
    void showsTheDesignedLayout_data();
    void showsTheDesignedLayout();
    void everyTextFitsItsPanel_data();
    void everyTextFitsItsPanel();
    void calculatorCreditLines();
    void linksOpenTheirAddressEveryTime_data();
    void linksOpenTheirAddressEveryTime();
    void anAddressThatCannotBeOpenedIsReported();
    void enterClosesWithOk_data();
    void enterClosesWithOk();
    void linksAreReachedWithTabAndOpenedWithSpace();
    void creditsScrollWhileOpenAndStartFromTheBottomWhenReopened();
    void opensCentredOverTheActiveWindow();
};

void TestAbout::showsTheDesignedLayout_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QString>("text");

    const Layout calc = Layout::Calculator;
    const Layout designer = Layout::Designer;
    QTest::newRow("calc credits") << calc << "ScrollingCredits1" << QRect(229, 8, 250, 129) << "";
    QTest::newRow("calc product") << calc << "ProductName" << QRect(8, 8, 0, 0)
                                  << "Varnok Handvise Calculator";
    QTest::newRow("calc version") << calc << "Version" << QRect(8, 28, 0, 0) << "Version 2.3.2";
    QTest::newRow("calc maker link") << calc << "Label2" << QRect(8, 67, 193, 0)
                                     << "Varnok Handvise Calculators";
    QTest::newRow("calc forum link") << calc << "Label1" << QRect(8, 94, 0, 0)
                                     << QString::fromUtf8(controls::about::ForumName);
    QTest::newRow("designer product")
        << designer << "ProductName" << QRect(8, 8, 0, 0) << "Varnok Handvise Routine Designer";
    QTest::newRow("designer version") << designer << "Version" << QRect(395, 8, 0, 0) << "Version 2.4.2";
    QTest::newRow("designer forum link")
        << designer << "Label1" << QRect(8, 71, 0, 0) << QString::fromUtf8(controls::about::ForumName);
    QTest::newRow("designer maker link")
        << designer << "Label2" << QRect(116, 9, 249, 23) << "Varnok Handvise Calculators";
}

// Positions are checked where the layout fixes them; a zero width or height is the text's own.
void TestAbout::showsTheDesignedLayout() {
    QFETCH(Layout, layout);
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    QFETCH(QString, text);
    TAboutBox box(layout);
    QCOMPARE(box.objectName(), QStringLiteral("AboutBox"));
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), layout == Layout::Calculator ? QSize(505, 192) : QSize(496, 214));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!(box.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    QWidget* widget = Child<QWidget>(&box, name);
    if (!rect.isNull()) {
        QCOMPARE(widget->pos(), rect.topLeft());
        if (rect.width() > 0)
            QCOMPARE(widget->width(), rect.width());
        if (rect.height() > 0)
            QCOMPARE(widget->height(), rect.height());
    }
    if (auto* label = qobject_cast<QLabel*>(widget))
        QCOMPARE(label->text(), text);
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QCOMPARE(button->text(), text);
    QCOMPARE(box.findChild<TScrollingCredits*>() != nullptr, layout == Layout::Calculator);
}

void TestAbout::everyTextFitsItsPanel_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("language");
    for (const char* language : {"en", "de"}) {
        QTest::addRow("calculator %s", language) << Layout::Calculator << language;
        QTest::addRow("designer %s", language) << Layout::Designer << language;
    }
}

// The fonts of the design fall back to wider ones on Linux, and translations are longer; no text may be
// cut off or leave its panel.
void TestAbout::everyTextFitsItsPanel() {
    QFETCH(Layout, layout);
    QFETCH(QString, language);
    controls::UseLanguage(language);
    const auto english = qScopeGuard([] { controls::UseLanguage(QStringLiteral("en")); });
    TAboutBox box(layout);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    const QList<QLabel*> labels = box.findChildren<QLabel*>();
    QVERIFY(labels.size() >= 4);
    for (const QLabel* label : labels) {
        const QRect inParent = label->parentWidget()->contentsRect();
        QVERIFY2(inParent.contains(label->geometry()), qPrintable(label->objectName()));
        if (!label->wordWrap())
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->objectName()));
        else
            QVERIFY2(label->heightForWidth(label->width()) <= label->height(),
                     qPrintable(label->objectName()));
    }
    // A link must be clickable over its whole text, so nothing may lie over it.
    for (const QString& name : {QStringLiteral("Label1"), QStringLiteral("Label2")}) {
        const QWidget* link = Child<QWidget>(&box, name);
        for (const QWidget* other : link->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            QVERIFY2(other == link || !link->geometry().intersects(other->geometry()),
                     qPrintable(name + " overlaps " + other->objectName()));
    }
}

void TestAbout::calculatorCreditLines() {
    TAboutBox box(Layout::Calculator);
    const auto* credits = Child<TScrollingCredits>(&box, QStringLiteral("ScrollingCredits1"));
    QCOMPARE(credits->CreditsFont().pixelSize(), 11);
    QCOMPARE(credits->CreditsColor(), QColor(Qt::white));
    QCOMPARE(credits->BackgroundColor(), QColor(0, 0, 128));
    QCOMPARE(credits->BorderColor(), QColor(0, 0, 128));
    QVERIFY(credits->ShowBorder());
    QCOMPARE(credits->Interval(), 35u);
    QVERIFY(credits->Animate());

    const QStringList lines = credits->Credits();
    QCOMPARE(lines.size(), 21);
    const QMap<int, QString> fixed = {
        {1, QStringLiteral("&b&uVarnok Handvise Calculator")},
        {2, QStringLiteral("&c255,255,51;Version 2.3.2")},
        {6, QStringLiteral("&b&c255,255,154;Greetings fly out to:")},
        {17, QStringLiteral("&b&c198,225,198;Please consider sending a donation")},
        {18, QStringLiteral("&b&c198,225,198;if this program helps you.")},
        {21, QStringLiteral("&b&c225,225,225;Thank you.")},
    };
    const QMap<int, QString> prefixes = {
        {4, QStringLiteral("&i")},
        {8, QStringLiteral("&b&c204,255,204;")},
        {9, QStringLiteral("&c255,255,51;")},
        {11, QStringLiteral("&b&c51,255,153;")},
        {12, QStringLiteral("&b&c198,204,198;")},
        {13, QStringLiteral("&c198,204,198;")},
    };
    const QList<int> empty = {5, 7, 10, 14, 15, 16, 19, 20};
    for (int number = 1; number <= 21; ++number) {
        const QString& line = lines.at(number - 1);
        const controls::TCreditLine parsed = controls::ParseCreditLine(line, Qt::white);
        if (fixed.contains(number))
            QCOMPARE(line, fixed.value(number));
        else if (empty.contains(number))
            QVERIFY(line.isEmpty());
        else
            QVERIFY2(line.startsWith(prefixes.value(number)) && !parsed.Text.trimmed().isEmpty(),
                     qPrintable(line));
        // Every colour code of the credits can be read, and every line fits across the control.
        QVERIFY2(!line.contains(QStringLiteral("&c")) || parsed.Color != QColor(Qt::white), qPrintable(line));
        QFont font = credits->CreditsFont();
        font.setBold(parsed.Bold);
        font.setItalic(parsed.Italic);
        QVERIFY2(QFontMetrics(font).horizontalAdvance(parsed.Text) < credits->width() - 4, qPrintable(line));
    }
    QCOMPARE(controls::ParseCreditLine(lines.at(2), Qt::white).Text,
             QString::fromUtf8(controls::about::MakerNotice));
    QCOMPARE(controls::ParseCreditLine(lines.at(11), Qt::white).Text,
             QString::fromUtf8(controls::about::IconSet));
}

void TestAbout::linksOpenTheirAddressEveryTime_data() {
    QTest::addColumn<Layout>("layout");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("address");
    const QString forum = QString::fromUtf8(controls::about::ForumUrl);
    const QString maker = QString::fromUtf8(controls::about::MakerPageUrl);
    QTest::newRow("calculator forum") << Layout::Calculator << "Label1" << forum;
    QTest::newRow("calculator maker") << Layout::Calculator << "Label2" << maker;
    QTest::newRow("designer forum") << Layout::Designer << "Label1" << forum;
    QTest::newRow("designer maker") << Layout::Designer << "Label2" << maker;
}

void TestAbout::linksOpenTheirAddressEveryTime() {
    QFETCH(Layout, layout);
    QFETCH(QString, label);
    QFETCH(QString, address);
    OpenedUrls opened;
    TAboutBox box(layout);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* link = Child<controls::TClickLabel>(&box, label);
    QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);

    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(opened.urls, (QList<QUrl>{QUrl(address), QUrl(address)}));
    QVERIFY(QUrl(address).isValid());
    QVERIFY(box.isVisible());
}

// No browser on the desktop: a message names the address, and the dialog stays open under it.
void TestAbout::anAddressThatCannotBeOpenedIsReported() {
    OpenedUrls opened(false);
    TAboutBox box(Layout::Calculator);
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    auto* link = Child<controls::TClickLabel>(&box, QStringLiteral("Label1"));
    QString message;
    testsupport::WhenModalOpens([&](QWidget* modal) {
        message = modal->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->text();
        modal->close();
    });
    QTest::mouseClick(link, Qt::LeftButton, {}, link->rect().center());
    QCOMPARE(opened.urls.size(), 1);
    QVERIFY2(message.contains(QString::fromUtf8(controls::about::ForumUrl)), qPrintable(message));
    QVERIFY(box.isVisible());
}

void TestAbout::enterClosesWithOk_data() {
    QTest::addColumn<Layout>("layout");
    QTest::newRow("calculator") << Layout::Calculator;
    QTest::newRow("designer") << Layout::Designer;
}

void TestAbout::enterClosesWithOk() {
    QFETCH(Layout, layout);
    QString shown;
    testsupport::WhenModalOpens([&shown](QWidget* modal) {
        shown = modal->objectName();
        QTest::keyClick(Child<QWidget>(modal, QStringLiteral("Panel1")), Qt::Key_Return);
    });
    QCOMPARE(controls::ShowAboutBox(layout), int(QDialog::Accepted));
    QCOMPARE(shown, QStringLiteral("AboutBox"));
    // The dialog is freed when it closes.
    for (const QWidget* window : QApplication::topLevelWidgets())
        QVERIFY(qobject_cast<const TAboutBox*>(window) == nullptr);
}

void TestAbout::linksAreReachedWithTabAndOpenedWithSpace() {
    TAboutBox box(Layout::Designer);
    box.show();
    QVERIFY(QTest::qWaitForWindowActive(&box));
    OpenedUrls opened;
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("OKButton"));
    for (const char* link : {"Label1", "Label2"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QLatin1String(link));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
    }
    QCOMPARE(opened.urls, (QList<QUrl>{QUrl(QString::fromUtf8(controls::about::ForumUrl)),
                                       QUrl(QString::fromUtf8(controls::about::MakerPageUrl))}));
    QVERIFY(box.isVisible());
}

void TestAbout::creditsScrollWhileOpenAndStartFromTheBottomWhenReopened() {
    for (int opening = 0; opening < 2; ++opening) {
        auto box = std::make_unique<TAboutBox>(Layout::Calculator);
        QPointer<TScrollingCredits> credits =
            Child<TScrollingCredits>(box.get(), QStringLiteral("ScrollingCredits1"));
        const int start = credits->height() + CreditsLineHeight(*credits);
        QCOMPARE(credits->ScrollPosition(), start);
        QVERIFY(credits->Ticking());

        bool moved = false;
        testsupport::WhenModalOpens([&](QWidget* modal) {
            // The timer moves the text one pixel per 35 ms while the dialog is open.
            moved = QTest::qWaitFor([&] { return credits->ScrollPosition() <= start - 3; }, 2000);
            QTest::mouseClick(Child<QPushButton>(modal, QStringLiteral("OKButton")), Qt::LeftButton);
        });
        QCOMPARE(box->exec(), int(QDialog::Accepted));
        QVERIFY(moved);
        box.reset();
        QVERIFY(credits.isNull());
    }
}

void TestAbout::opensCentredOverTheActiveWindow() {
    QWidget main;
    main.setGeometry(40, 60, 700, 500);
    main.show();
    main.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QPoint centre;
    testsupport::WhenModalOpens([&centre](QWidget* modal) {
        centre = modal->frameGeometry().center();
        modal->close();
    });
    controls::ShowAboutBox(Layout::Designer);
    QVERIFY((centre - main.frameGeometry().center()).manhattanLength() <= 2);
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
