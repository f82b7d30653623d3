// Paper and page units of the preview: the table of paper types with their printer paper codes, the
// conversion of lengths between units, and the paper's names for printers and the PDF library. Usable
// without any window.
#pragma once

#include "preview/PreviewTypes.h"

#include <QList>
#include <QPageSize>
#include <QSize>
#include <QString>

#include <cstdint>

namespace preview {

// One row of the paper table: the printer paper code (a Windows paper number) and the portrait size in
// the unit the size is defined in. pCustom has code 256 and no size.
struct TPaperInfo {
    const char* Name;
    int Code;
    int Width;
    int Height;
    TUnits Units;
};

const TPaperInfo& PaperInfo(TPaperType type);

// Screen resolution the mmPixel unit refers to when nothing else is known.
inline constexpr int kDefaultScreenDpi = 96;

// Units per inch of `units`; mmPixel has the device's `deviceDpi`. Units outside the enumeration give 0.
int UnitsPerInch(TUnits units, int deviceDpi);

// `value` in `from` expressed in `to`, on a device of `deviceDpi` pixels per inch whose screen has
// `screenDpi`. The general rule is value x (units per inch of `to`) / (units per inch of `from`),
// rounded to nearest with halves to even. The exact decimal steps (0.1 mm to 0.01 mm, 0.01 inch to
// 0.001 inch, points to twips) multiply, their reverses truncate towards zero; pixel to pixel goes
// from screen to device pixels; unknown units leave the value as it is. The product is formed in
// 64 bits, and a result outside the int range saturates.
int ConvertUnits(int value, TUnits from, TUnits to, int deviceDpi, int screenDpi = kDefaultScreenDpi);

// numerator / denominator rounded to nearest, halves to even; denominator > 0.
std::int64_t DivRoundHalfEven(std::int64_t numerator, std::int64_t denominator);
// a x b / c with a 64-bit product, rounded to nearest, halves away from zero (the classic MulDiv);
// c == 0 gives -1, as MulDiv does.
int MulDiv(int a, int b, int c);

// The first table type whose size, in whole millimetres, equals width x height (given portrait, in
// `units` at `dpiX` x `dpiY` for mmPixel); pCustom when none does.
TPaperType PaperTypeOfSize(int width, int height, TUnits units, int dpiX = kDefaultScreenDpi,
                           int dpiY = kDefaultScreenDpi);
// The first table type with that printer paper code; pCustom when none has it.
TPaperType PaperTypeOfCode(int code);
// The type's portrait size in `units`; false, and nothing written, for pCustom.
bool PaperTypeSize(TPaperType type, TUnits units, int& width, int& height, int dpiX = kDefaultScreenDpi,
                   int dpiY = kDefaultScreenDpi);

// The paper code the PDF library takes for a paper type; 0 when the size describes the paper.
int PdfPaperCode(TPaperType type);

// What a printer calls a paper: one of its forms, or a description of the size made up when none fits.
struct TPaperFormName {
    QString Name;
    bool Generated = false;
};

// The printer form for a paper `hiMetric` (0.01 mm) or `hiEnglish` (0.001 inch) in size, both portrait,
// lying `landscape`: the first of `forms` of the same size in whole millimetres; else a description,
// "100mm x 150mm" as it lies, or "8.5\" x 11\"" portrait, taken from a form of the turned size if one
// exists; " Rotated" is added when the paper lies across the form or description. A metric or English
// `units` decides millimetres or inches, any other unit the system's measurement system.
TPaperFormName MatchPaperForm(const QList<QPageSize>& forms, QSize hiMetric, QSize hiEnglish, bool landscape,
                              TUnits units);

} // namespace preview
