// The print preview component: everything its users need, from one header.
#pragma once

#include "preview/Canvas.h"
#include "preview/Cursors.h"
#include "preview/Errors.h"
#include "preview/Grayscale.h"
#include "preview/Metafile.h"
#include "preview/PageView.h"
#include "preview/PaperPreview.h"
#include "preview/PreviewExport.h"
#include "preview/PreviewTypes.h"
#include "preview/PrintPreview.h"
#include "preview/Printer.h"
#include "preview/Startup.h"
