// The print preview component: everything its users need, from one header.
#pragma once

#include "preview/Cursors.h"
#include "preview/Errors.h"
#include "preview/Metafile.h"
#include "preview/MetafileList.h"
#include "preview/PaperPreview.h"
#include "preview/TemporaryFileStream.h"
#include "preview/Grayscale.h"
