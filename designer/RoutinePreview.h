// The designer's preview window, loaded when it is first wanted. The window, the preview component and
// the printing libraries under it lie in a module of their own (cadencer-preview.so), which the program
// does not link: starting the designer loads none of them, and the module is loaded once the main window
// has painted, or at the first "Training Cycle" if that comes sooner.
#pragma once

#include "designer/CycleGenerator.h"

#include <QString>
#include <QStringList>

#include <stdexcept>

namespace designer {

// The entry point the module exports, called with the cycle to show.
using TShowRoutinePreviewEntry = void (*)(const CycleTable* cycle);
inline constexpr char ShowRoutinePreviewEntryName[] = "cadencer_show_routine_preview";

// The module could not be loaded: missing, damaged, or without its entry point.
class ERoutinePreviewMissing : public std::runtime_error {
public:
    explicit ERoutinePreviewMissing(const QString& reason);
};

// Where the module is looked for, in order: beside the program, then in the suite's private library
// folder relative to the program (in the build tree as when installed). Absolute paths only: the system's
// library search is never asked, so no folder of the user's can supply it.
QStringList RoutinePreviewModuleCandidates();

// The entry point of the first of `candidates` that loads and has it; throws ERoutinePreviewMissing, which
// names each candidate's fault, when none does. Relative paths are passed over. A module loaded stays.
TShowRoutinePreviewEntry OpenRoutinePreviewModule(const QStringList& candidates);

// Loads the module from RoutinePreviewModuleCandidates() unless it is loaded; throws as above.
void LoadRoutinePreview();

// Loads the module now if it can, so that the first preview opens at once; a module that cannot be
// loaded is reported when the preview is asked for.
void PrepareRoutinePreview();

// Opens the preview window on `cycle` modally, loading the module first if need be; throws
// ERoutinePreviewMissing when it cannot be loaded.
void ShowRoutinePreview(const CycleTable& cycle);

} // namespace designer
