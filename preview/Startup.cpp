#include "preview/Startup.h"

#include "preview/Cursors.h"
#include "preview/PdfLibrary.h"

namespace preview {

void Initialize() {
    RegisterPreviewCursors();
    TPdfLibrary::Instance().Load();
}

} // namespace preview
