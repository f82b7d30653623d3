// Start-up of the print preview component: what runs once the application object exists.
#pragma once

#include "preview/PreviewExport.h"

namespace preview {

/// Registers the hand cursors (in a GUI application) and loads the PDF library if it is there. Runs by
/// itself whenever an application object is made in a program that uses the preview control; calling it
/// again does no harm. Without the library the preview works and CanSaveAsPDF() is false.
HANDVISE_PREVIEW_EXPORT void Initialize();

} // namespace preview
