// The entry point of the preview module (designer/RoutinePreview.h): the one symbol it exports.
#include "designer/RoutinePreview.h"
#include "designer/U_printpreview.h"

#include <type_traits>

extern "C" Q_DECL_EXPORT void cadencer_show_routine_preview(const designer::CycleTable* cycle) {
    designer::TForm2 preview(*cycle);
    preview.exec();
}

// The program calls it through the loader's pointer type.
static_assert(std::is_same_v<decltype(&cadencer_show_routine_preview), designer::TShowRoutinePreviewEntry>);
