// Failures the print preview component raises; what() carries the message shown to the user.
#pragma once

#include "preview/PreviewExport.h"

#include <stdexcept>
#include <string>

namespace preview {

/// A byte stream could not be read, written or positioned: the page file, or a page's recorded bytes.
class HANDVISE_PREVIEW_EXPORT EStreamError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// "Stream read error", with the reason when one is known: a page could not be read back from the page
/// file, or bytes given as a page are not one.
class HANDVISE_PREVIEW_EXPORT EReadError : public EStreamError {
public:
    /// The message, with `reason` in parentheses when it is not empty.
    explicit EReadError(const std::string& reason = {});
};

/// "Stream write error", with the reason when one is known: a page could not be written to the page
/// file (a full or missing temporary folder), or a drawing was refused as a page.
class HANDVISE_PREVIEW_EXPORT EWriteError : public EStreamError {
public:
    /// The message, with `reason` in parentheses when it is not empty.
    explicit EWriteError(const std::string& reason = {});
};

/// A page index outside the document: "List index out of bounds (%d)".
class HANDVISE_PREVIEW_EXPORT EListError : public std::runtime_error {
public:
    /// The message with the index asked for.
    explicit EListError(int index);
};

/// An assignment between classes that cannot take each other's values: "Cannot assign a %s to a %s".
class HANDVISE_PREVIEW_EXPORT EConvertError : public std::runtime_error {
public:
    /// The message with both class names.
    EConvertError(const std::string& sourceClass, const std::string& targetClass);
};

/// Memory for a new page or picture could not be had, e.g. "There is not enough memory to create a new
/// page".
class HANDVISE_PREVIEW_EXPORT EOutOfMemory : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Saving as PDF without the PDF library: "Cannot locate libdspdf.so".
class HANDVISE_PREVIEW_EXPORT EMissingPDFLibrary : public std::runtime_error {
public:
    EMissingPDFLibrary();
};

/// The PDF library reported a failure; what() carries its message.
class HANDVISE_PREVIEW_EXPORT EPdfError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace preview
