// The programs in another language: which language the desktop's preferences choose, every window in
// German (no English text left where the catalogue translates it, and every caption fitting its control,
// as the English ones do), the German help pages and the command-line answer.
#include "calc/SideTools.h"
#include "calc/U_convert.h"
#include "calc/U_handvise.h"
#include "calc/U_percentages.h"
#include "controls/ContextHelp.h"
#include "controls/HelpWindow.h"
#include "controls/Language.h"
#include "controls/ProgramIdentity.h"
#include "controls/UAbout.h"
#include "designer/U_printpreview.h"
#include "designer/U_routine.h"
#include "tests/support/TestSupport.h"
#include "tests/support/TextFit.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

using WindowMaker = std::function<std::unique_ptr<QWidget>()>;

// The calculator's main window, driven by the user into its entry view and, further, its list view.
std::unique_ptr<QWidget> CalculatorIn(int clicks) {
    auto form = std::make_unique<calc::TForm1>();
    testsupport::ShowActive(form.get());
    if (clicks >= 1)
        QTest::mouseClick(testsupport::Child<QLabel>(form.get(), QStringLiteral("TensionResult")),
                          Qt::LeftButton);
    if (clicks >= 2)
        QTest::mouseClick(testsupport::Child<QWidget>(form.get(), QStringLiteral("Button3")), Qt::LeftButton);
    return form;
}

std::unique_ptr<QWidget> HelpWindow() {
    auto window = std::make_unique<controls::THelpWindow>(nullptr);
    window->ShowTopic(QUrl::fromLocalFile(QStringLiteral("/nonexistent/ktxcalc.html")));
    return window;
}

const QMap<QString, WindowMaker>& Windows() {
    static const QMap<QString, WindowMaker> windows = {
        {"calculator",
         [] {
             return CalculatorIn(0);
         }},
        {"calculator entry",
         [] {
             return CalculatorIn(1);
         }},
        {"calculator list",
         [] {
             return CalculatorIn(2);
         }},
        {"percentages",
         [] {
             return std::make_unique<calc::TFormPercentage>(calc::PercentageLines(170), nullptr);
         }},
        {"conversion",
         [] {
             return std::make_unique<calc::TFormConvert>(calc::Convert(170), nullptr);
         }},
        {"calculator about",
         [] {
             return std::make_unique<controls::TAboutBox>(controls::TAboutBox::Layout::Calculator);
         }},
        {"designer",
         [] {
             return std::make_unique<designer::TForm1>();
         }},
        {"designer about",
         [] {
             return std::make_unique<controls::TAboutBox>(controls::TAboutBox::Layout::Designer);
         }},
        {"preview",
         [] {
             return std::make_unique<designer::TForm2>(designer::CycleTable{});
         }},
        {"help",
         [] {
             return HelpWindow();
         }},
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

    void theGermanCatalogueIsBuiltInAndAnUnknownLanguageStaysEnglish() {
        QVERIFY(controls::HasCatalogue(QStringLiteral("de")));
        controls::UseLanguage(QStringLiteral("de"));
        QCOMPARE(controls::CurrentLanguage(), QStringLiteral("de"));
        controls::UseLanguage(QStringLiteral("xx"));
        QCOMPARE(controls::CurrentLanguage(), QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("designer::TForm2", "Cancel"), QStringLiteral("Cancel"));
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
        shown->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.get()));
        QCoreApplication::processEvents();

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
    void theGermanHelpPagesHaveEveryTopic_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("calculator") << "ktxcalc";
        QTest::newRow("designer") << "ktxsuite";
    }

    void theGermanHelpPagesHaveEveryTopic() {
        QFETCH(QString, page);
        const QString folder = QStringLiteral(HANDVISE_SOURCE_DIR "/help/");
        QCOMPARE(Anchors(folder + page + ".de.html"), Anchors(folder + page + ".html"));
    }

    void theCommandLineAnswersInTheLanguageInForce() {
        const QStringList help{QStringLiteral("handvise2"), QStringLiteral("--help")};
        const auto english = controls::CommandLineAnswer(help, controls::CalculatorIdentity());
        controls::UseLanguage(QStringLiteral("de"));
        const auto german = controls::CommandLineAnswer(help, controls::CalculatorIdentity());
        QVERIFY(english && german);
        QVERIFY2(english->startsWith(QStringLiteral("Usage: handvise2")), qPrintable(*english));
        QVERIFY2(german->startsWith(QStringLiteral("Aufruf: handvise2")), qPrintable(*german));
    }
};

QTEST_MAIN(TestLanguages)
#include "tst_languages.moc"
