// The CUPS client library, bound when the first job goes to the print server: the designer starts
// without it and the twenty libraries it brings along (TLS, Kerberos, Avahi), which only printing needs.
#pragma once

#include <cups/cups.h>

namespace preview {

// The functions the print hand-over calls, by their names in <cups/cups.h>.
#define HANDVISE_CUPS_FUNCTIONS(FUNCTION)                                                                    \
    FUNCTION(cupsAddOption)                                                                                  \
    FUNCTION(cupsCancelJob2)                                                                                 \
    FUNCTION(cupsCreateJob)                                                                                  \
    FUNCTION(cupsDoRequest)                                                                                  \
    FUNCTION(cupsEncryption)                                                                                 \
    FUNCTION(cupsFinishDocument)                                                                             \
    FUNCTION(cupsFreeDests)                                                                                  \
    FUNCTION(cupsFreeOptions)                                                                                \
    FUNCTION(cupsGetNamedDest)                                                                               \
    FUNCTION(cupsGetOption)                                                                                  \
    FUNCTION(cupsLastErrorString)                                                                            \
    FUNCTION(cupsServer)                                                                                     \
    FUNCTION(cupsStartDocument)                                                                              \
    FUNCTION(cupsWriteRequestData)                                                                           \
    FUNCTION(httpClose)                                                                                      \
    FUNCTION(httpConnect2)                                                                                   \
    FUNCTION(ippAddString)                                                                                   \
    FUNCTION(ippDelete)                                                                                      \
    FUNCTION(ippFindAttribute)                                                                               \
    FUNCTION(ippGetString)                                                                                   \
    FUNCTION(ippNewRequest)                                                                                  \
    FUNCTION(ippPort)

// Each function of the list, as a pointer of its declared type, under its own name.
struct TCupsLibrary {
// NOLINTNEXTLINE(bugprone-macro-parentheses): the argument is a name, declared under that name
#define HANDVISE_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    HANDVISE_CUPS_FUNCTIONS(HANDVISE_CUPS_POINTER)
#undef HANDVISE_CUPS_POINTER
};

// The library, loaded by the first call and kept to the end of the program. Raises EPrintError when
// libcups.so.2 cannot be loaded or lacks a function; the next call tries again.
const TCupsLibrary& Cups();

} // namespace preview
