#include "preview/Startup.h"

#include "preview/Cursors.h"
#include "preview/PdfLibrary.h"

#include <QGuiApplication>

namespace preview {

void Initialize() {
    // Cursors are pixmaps, which only a GUI application can make.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        RegisterPreviewCursors();
    TPdfLibrary::Instance().Load();
}

} // namespace preview
