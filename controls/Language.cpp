#include "controls/Language.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace controls {

namespace {

// The catalogues in force, owned here so that a later choice replaces them.
struct TInstalledLanguage {
    QString Language = QLatin1String(SourceLanguage);
    std::unique_ptr<QTranslator> Suite;
    std::unique_ptr<QTranslator> Qt;
};

TInstalledLanguage& Installed() {
    static TInstalledLanguage installed;
    return installed;
}

// The suite's catalogue of a language, built into the programs (no file to look for at start).
QString CataloguePath(const QString& language) {
    return QStringLiteral(":/i18n/handvise_%1.qm").arg(language);
}

std::unique_ptr<QTranslator> LoadedTranslator(const QString& path) {
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path))
        return nullptr;
    QCoreApplication::installTranslator(translator.get());
    return translator;
}

void RemoveTranslator(std::unique_ptr<QTranslator>& translator) {
    if (translator)
        QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

} // namespace

QString ChooseLanguage(const QStringList& uiLanguages,
                       const std::function<bool(const QString&)>& hasCatalogue) {
    for (const QString& name : uiLanguages) {
        const QLocale::Language language = QLocale(name).language();
        if (language == QLocale::English)
            break;
        if (language == QLocale::C || language == QLocale::AnyLanguage)
            continue;
        const QString code = QLocale::languageToCode(language, QLocale::ISO639Part1);
        if (!code.isEmpty() && hasCatalogue(code))
            return code;
    }
    return QLatin1String(SourceLanguage);
}

bool HasCatalogue(const QString& language) {
    return QFile::exists(CataloguePath(language));
}

void UseLanguage(const QString& language) {
    TInstalledLanguage& installed = Installed();
    RemoveTranslator(installed.Suite);
    RemoveTranslator(installed.Qt);
    installed.Language = QLatin1String(SourceLanguage);
    if (language == QLatin1String(SourceLanguage) || !HasCatalogue(language))
        return;
    installed.Suite = LoadedTranslator(CataloguePath(language));
    if (!installed.Suite)
        return;
    installed.Language = language;
    // Qt's texts of the standard dialogs (file, print, message boxes); one file, by its full path.
    installed.Qt = LoadedTranslator(QLibraryInfo::path(QLibraryInfo::TranslationsPath) +
                                    QStringLiteral("/qtbase_%1.qm").arg(language));
}

void UseDesktopLanguage() {
    UseLanguage(ChooseLanguage(QLocale::system().uiLanguages(), HasCatalogue));
}

QString CurrentLanguage() {
    return Installed().Language;
}

QString LocalizedFileName(const QString& fileName, const QString& language) {
    if (language == QLatin1String(SourceLanguage))
        return fileName;
    const QFileInfo file(fileName);
    const QString suffix = file.suffix();
    const QString stem = suffix.isEmpty() ? fileName : fileName.chopped(suffix.size() + 1);
    return suffix.isEmpty() ? stem + QLatin1Char('.') + language
                            : stem + QLatin1Char('.') + language + QLatin1Char('.') + suffix;
}

} // namespace controls
