// The programs in another language: which language the desktop's preferences choose, every window in
// German (no English text left where the catalogue translates it, and every caption fitting its control,
// as the English ones do), and the German help pages.
#include "calc/SideTools.h"
#include "calc/U_convert.h"
#include "calc/U_handvise.h"
#include "calc/U_percentages.h"
#include "controls/ContextHelp.h"
#include "controls/Language.h"
#include "controls/UAbout.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TextFit.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

// A maker of a `Window` (constructed from `args`) on which the user has clicked the named controls, in
// order: the calculator's tension opens its entry view, "Show List" the list, the gray view's check box
// shows the preview's "reset".
template <class Window, class... Args> WindowMaker Clicked(const QStringList& controls, Args... args) {
    return [controls, args...] {
        auto window = std::make_unique<Window>(args...);
        testsupport::ShowActive(window.get());
        for (const QString& name : controls)
            QTest::mouseClick(testsupport::Child<QWidget>(window.get(), name), Qt::LeftButton);
        return std::unique_ptr<QWidget>(std::move(window));
    };
}

const QMap<QString, WindowMaker>& Windows() {
    using controls::TAboutBox;
    static const QMap<QString, WindowMaker> windows = {
        {"calculator", Clicked<calc::TForm1>({})},
        {"calculator entry", Clicked<calc::TForm1>({"TensionResult"})},
        {"calculator list", Clicked<calc::TForm1>({"TensionResult", "Button3"})},
        {"percentages", Clicked<calc::TFormPercentage>({}, calc::PercentageLines(170), nullptr)},
        {"conversion", Clicked<calc::TFormConvert>({}, calc::Convert(170), nullptr)},
        {"calculator about", Clicked<TAboutBox>({}, TAboutBox::Layout::Calculator)},
        {"designer", Clicked<designer::TForm1>({})},
        {"designer about", Clicked<TAboutBox>({}, TAboutBox::Layout::Designer)},
        {"preview", Clicked<designer::TForm2>({}, designer::CycleTable{})},
        {"preview in gray", Clicked<designer::TForm2>({"Grayscale"}, designer::CycleTable{})},
    };
    return windows;
}

QString Catalogue(const QString& language) {
    return QStringLiteral(HANDVISE_SOURCE_DIR "/translations/handvise_%1.ts").arg(language);
}

// The anchors a help page's topics are opened at.
QStringList Anchors(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QStringList anchors;
    const QRegularExpression id(QStringLiteral("id=\"([^\"]+)\""));
    for (const QRegularExpressionMatch& match : id.globalMatch(QString::fromUtf8(file.readAll())))
        anchors << match.captured(1);
    return anchors;
}

} // namespace

class TestLanguages : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { controls::UseLanguage(QStringLiteral("en")); }

    void theFirstPreferredLanguageWithACatalogueIsChosen_data() {
        QTest::addColumn<QStringList>("uiLanguages");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("German") << QStringList{"de-DE", "de"} << "de";
        QTest::newRow("Swiss German") << QStringList{"de-CH"} << "de";
        QTest::newRow("German after one without catalogue") << QStringList{"fr-FR", "fr", "de-AT"} << "de";
        QTest::newRow("English before German") << QStringList{"en-GB", "de-DE"} << "en";
        QTest::newRow("none with a catalogue") << QStringList{"fr-FR", "it"} << "en";
        QTest::newRow("C locale") << QStringList{"C"} << "en";
        QTest::newRow("nothing") << QStringList{} << "en";
    }

    void theFirstPreferredLanguageWithACatalogueIsChosen() {
        QFETCH(QStringList, uiLanguages);
        QFETCH(QString, chosen);
        QCOMPARE(controls::ChooseLanguage(uiLanguages, [](const QString& code) { return code == "de"; }),
                 chosen);
    }

    void everyWindowSpeaksTheLanguageAndEveryTextFits_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("de")})
            for (const QString& window : Windows().keys())
                QTest::addRow("%s %s", qPrintable(language), qPrintable(window)) << language << window;
    }

    void everyWindowSpeaksTheLanguageAndEveryTextFits() {
        QFETCH(QString, language);
        QFETCH(QString, window);
        controls::UseLanguage(language);
        const std::unique_ptr<QWidget> shown = Windows().value(window)();

        const QStringList unfitted = testsupport::UnfittedTexts(shown.get());
        QVERIFY2(unfitted.isEmpty(), qPrintable(unfitted.join(QStringLiteral("; "))));
        if (language == QLatin1String("en"))
            return;
        const QSet<QString> translated = testsupport::TranslatedSources(Catalogue(language));
        QStringList english;
        for (const QString& text : testsupport::ShownTexts(shown.get()))
            if (translated.contains(text))
                english << text;
        QVERIFY2(english.isEmpty(),
                 qPrintable(QStringLiteral("still English: ") + english.join(QStringLiteral(" | "))));
    }

    void theHelpPageIsTheGermanOneWhereItShips_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("germanPageShips");
        QTest::addColumn<QString>("page");
        QTest::newRow("German") << "de" << true << "ktxcalc.de.html";
        QTest::newRow("German, page missing") << "de" << false << "ktxcalc.html";
        QTest::newRow("English") << "en" << true << "ktxcalc.html";
    }

    void theHelpPageIsTheGermanOneWhereItShips() {
        QFETCH(QString, language);
        QFETCH(bool, germanPageShips);
        QFETCH(QString, page);
        const QDir beside(QCoreApplication::applicationDirPath());
        for (const QString& name : {QStringLiteral("ktxcalc.html"), QStringLiteral("ktxcalc.de.html")}) {
            QFile::remove(beside.filePath(name));
            if (name == QLatin1String("ktxcalc.html") || germanPageShips)
                QVERIFY(
                    QFile::copy(QStringLiteral(HANDVISE_SOURCE_DIR "/help/") + name, beside.filePath(name)));
        }
        controls::UseLanguage(language);
        const QUrl topic = controls::HelpTopicUrl(QStringLiteral("ktxcalc.html"), 3);
        QCOMPARE(topic.toLocalFile(), beside.filePath(page));
        QCOMPARE(topic.fragment(), QStringLiteral("context-3"));
    }

    // Every topic a control or the designer opens lies on the German page too.
    void theGermanHelpPagesHaveEveryTopic() {
        for (const char* page : {"/help/ktxcalc", "/help/ktxsuite"}) {
            const QString base = QStringLiteral(HANDVISE_SOURCE_DIR) + QLatin1String(page);
            QCOMPARE(Anchors(base + ".de.html"), Anchors(base + ".html"));
        }
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
