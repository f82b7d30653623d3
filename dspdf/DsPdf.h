// The PDF library's C interface: a document of pages, each given as the recorded bytes of a preview page
// and written as vector PDF. Every function returns 0 on success; LastError() tells why one failed.
#pragma once

#if defined(DSPDF_BUILDING)
#define DSPDF_EXPORT __attribute__((visibility("default")))
#else
#define DSPDF_EXPORT
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Starts a document that EndDoc writes to `fileName` (UTF-8). Until then the output goes to a temporary
// file beside it, so a failed document never replaces or damages an existing file.
DSPDF_EXPORT int BeginDoc(const char* fileName);
// Finishes the document and moves it over the target. Fails when any call since BeginDoc failed; the
// temporary file is removed then and the target stays as it was.
DSPDF_EXPORT int EndDoc(void);
// Starts the next page; it takes the previous page's size unless SetPage follows.
DSPDF_EXPORT int NewPage(void);
// The current page's paper: a paper code (0 when width and height alone describe it), orientation
// 0 portrait or 1 landscape, and width and height as the page lies, in hundredths of a millimetre.
// Must come before the page is drawn on.
DSPDF_EXPORT int SetPage(int paperCode, int orientation, int width, int height);
// Draws one page's recorded bytes stretched over the whole current page.
DSPDF_EXPORT int PrintPageM(const void* bytes, int count);
// As PrintPageM, with the bytes read from a file (UTF-8 name).
DSPDF_EXPORT int PrintPageF(const char* fileName);
// The document's title and language (a BCP 47 tag such as "en"), UTF-8, either may be empty or null; any
// time between BeginDoc and EndDoc. Optional for the loader: an older library without it still works.
DSPDF_EXPORT int SetDocInfo(const char* title, const char* language);
// The message of the last failure, empty when none since BeginDoc; valid until the next call.
DSPDF_EXPORT const char* LastError(void);

#ifdef __cplusplus
}
#endif
