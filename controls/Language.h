// The language the programs speak: chosen once at start from the user's preferred languages among those
// the suite has a catalogue for, with Qt's own catalogue for the standard dialogs beside it. English, the
// language of the source texts, needs no catalogue and is what remains when no other is chosen.
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace controls {

// The language of the source texts, and the one the programs fall back to.
inline constexpr char SourceLanguage[] = "en";

// The first of `uiLanguages` (BCP 47 names such as "de-DE", most preferred first) that the suite speaks:
// its language code when `hasCatalogue` says a catalogue ships for it, English when English comes first,
// English when none does.
QString ChooseLanguage(const QStringList& uiLanguages,
                       const std::function<bool(const QString&)>& hasCatalogue);

// Whether the programs carry a catalogue for the language code.
bool HasCatalogue(const QString& language);

// Makes the running application speak `language` (a code ChooseLanguage gives): installs its catalogue
// and, where Qt's own is installed on the system, Qt's, replacing those of an earlier call. English
// removes them. A code without a catalogue counts as English.
void UseLanguage(const QString& language);

// For main(), right after the application object: the language of the user's desktop
// (QLocale::system().uiLanguages(), which LANGUAGE and LC_MESSAGES decide).
void UseDesktopLanguage();

// The language in force: "en" until UseLanguage chose another.
QString CurrentLanguage();

// The name of a shipped file's version in `language`: "ktxcalc.html" in German is "ktxcalc.de.html".
// English keeps the name.
QString LocalizedFileName(const QString& fileName, const QString& language);

} // namespace controls
