#include "controls/ProgramIdentity.h"

#include "controls/AfterFirstPaint.h"
#include "controls/ImageFiles.h"
#include "controls/Language.h"
#include "controls/Versions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QWidget>

#include <cstdio>

namespace controls {

const TProgramIdentity& CalculatorIdentity() {
    static const TProgramIdentity identity{
        QStringLiteral("handvise2"), QLatin1String(version::Calculator),
        QString::fromUtf8(QT_TRANSLATE_NOOP("controls::TProgramIdentity",
                                            "Varnok Handvise Calculator: the spring setting of an adjustable "
                                            "hand gripper for any tension.")),
        QStringLiteral("org.varnok.handvise.Calculator")};
    return identity;
}

const TProgramIdentity& DesignerIdentity() {
    static const TProgramIdentity identity{
        QStringLiteral("cadencer"), QLatin1String(version::Designer),
        QString::fromUtf8(
            QT_TRANSLATE_NOOP("controls::TProgramIdentity",
                              "KTX Routine Designer: an eight-week gripper training cycle from an "
                              "estimated maximum, printed or saved as PDF.")),
        QStringLiteral("org.varnok.handvise.Designer")};
    return identity;
}

namespace {
QString Translated(const char* text) {
    return QCoreApplication::translate("controls::TProgramIdentity", text);
}
} // namespace

std::optional<QString> CommandLineAnswer(const QStringList& arguments, const TProgramIdentity& identity) {
    QCommandLineParser parser;
    // "-reverse" and the like are Qt's own options, not a bundle of one-letter ones with a "v" in it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(Translated(identity.Summary.toUtf8().constData()));
    // Not addHelpOption(): its --help-all lists Qt's own options, which these programs do not document.
    const QCommandLineOption help(
        {QStringLiteral("h"), QStringLiteral("help")},
        Translated(QT_TRANSLATE_NOOP("controls::TProgramIdentity", "Displays help on commandline options.")));
    parser.addOption(help);
    const QCommandLineOption version = parser.addVersionOption();
    parser.parse(arguments); // anything else is ignored: the window starts as before
    if (parser.isSet(help)) {
        // The usage line names the program as users call it, not the path it was started by.
        QString text = parser.helpText();
        text.replace(0, text.indexOf(QLatin1Char('\n')),
                     Translated(QT_TRANSLATE_NOOP("controls::TProgramIdentity", "Usage: %1 [options]"))
                         .arg(identity.Name));
        return text;
    }
    if (parser.isSet(version))
        return identity.Name + QLatin1Char(' ') + identity.Version + QLatin1Char('\n');
    return std::nullopt;
}

std::optional<int> AnswerCommandLine(int argc, char** argv, const TProgramIdentity& identity) {
    // No application object yet: answering needs no display, and starts none of the program's parts.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (!CommandLineAnswer(arguments, identity))
        return std::nullopt;
    // There is an answer: given in the user's language, for which the catalogues need an application
    // object (one without a display).
    const QCoreApplication application(argc, argv);
    UseDesktopLanguage();
    const auto answer = CommandLineAnswer(arguments, identity);
    std::fputs(answer.value_or(QString()).toLocal8Bit().constData(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

void ApplyIdentity(const TProgramIdentity& identity) {
    QCoreApplication::setApplicationName(identity.Name);
    QCoreApplication::setApplicationVersion(identity.Version);
    QGuiApplication::setDesktopFileName(identity.DesktopId);
}

QIcon WindowIcon(const TProgramIdentity& identity) {
    // Read as PNG by name: QIcon::addFile would load every image plugin first to find the format.
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        builtIn.addPixmap(QPixmap::fromImage(
            ReadImageAs(QStringLiteral(":/icons/%1/%2.png").arg(identity.DesktopId).arg(size), "png")));
    return QIcon::fromTheme(identity.DesktopId, builtIn);
}

void ApplyWindowIconAfterFirstPaint(QWidget* window, const TProgramIdentity& identity) {
    RunAfterFirstPaint(window, [identity] { QGuiApplication::setWindowIcon(WindowIcon(identity)); });
}

} // namespace controls
