#include "designer/RoutinePreview.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <dlfcn.h>

namespace designer {

namespace {

const char* const ModuleFile = "cadencer-preview.so";

// The loaded entry point; null until a load succeeds.
TShowRoutinePreviewEntry& Entry() {
    static TShowRoutinePreviewEntry entry = nullptr;
    return entry;
}

} // namespace

ERoutinePreviewMissing::ERoutinePreviewMissing(const QString& reason)
    : std::runtime_error(
          QCoreApplication::translate("designer::RoutinePreview", "The routine preview cannot be shown: %1")
              .arg(reason)
              .toStdString()) {}

QStringList RoutinePreviewModuleCandidates() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    return {programFolder + QLatin1Char('/') + QLatin1String(ModuleFile),
            QDir::cleanPath(programFolder + QStringLiteral("/" HANDVISE_PRIVATE_LIB_FROM_BIN "/") +
                            QLatin1String(ModuleFile))};
}

TShowRoutinePreviewEntry OpenRoutinePreviewModule(const QStringList& candidates) {
    QStringList failures;
    for (const QString& candidate : candidates) {
        if (!QDir::isAbsolutePath(candidate))
            continue;
        if (!QFileInfo::exists(candidate)) {
            failures
                << QCoreApplication::translate("designer::RoutinePreview", "%1 was not found").arg(candidate);
            continue;
        }
        // dlopen rather than QLibrary: it tries the file named and nothing else, and its error says
        // what is wrong with that file. A module loaded stays loaded.
        void* module = dlopen(QFile::encodeName(candidate).constData(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            failures << QString::fromLocal8Bit(dlerror());
            continue;
        }
        if (auto entry =
                reinterpret_cast<TShowRoutinePreviewEntry>(dlsym(module, ShowRoutinePreviewEntryName)))
            return entry;
        failures << QCoreApplication::translate("designer::RoutinePreview", "%1 is not the routine preview")
                        .arg(candidate);
        dlclose(module);
    }
    if (failures.isEmpty())
        failures << QCoreApplication::translate("designer::RoutinePreview", "%1 was not found")
                        .arg(QLatin1String(ModuleFile));
    throw ERoutinePreviewMissing(failures.join(QStringLiteral("; ")));
}

void LoadRoutinePreview() {
    if (Entry() == nullptr)
        Entry() = OpenRoutinePreviewModule(RoutinePreviewModuleCandidates());
}

void PrepareRoutinePreview() {
    try {
        LoadRoutinePreview();
    } catch (const ERoutinePreviewMissing&) {
        // Said when the user asks for the preview, in a message box over the main window.
    }
}

void ShowRoutinePreview(const CycleTable& cycle) {
    LoadRoutinePreview();
    Entry()(&cycle);
}

} // namespace designer
