// Start-up of the print preview component: what a program runs once, before it creates its windows.
#pragma once

namespace preview {

// Registers the hand cursors and loads the PDF library if it is there; needs the application object.
// Without the library the preview works and CanSaveAsPDF() is false.
void Initialize();

} // namespace preview
