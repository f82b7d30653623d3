#include "preview/PaperTypes.h"

#include <QLocale>

#include <array>
#include <limits>
#include <utility>

namespace preview {

namespace {

constexpr std::array<TPaperInfo, kPaperTypeCount> kPapers{{
    {"Letter", 1, 8500, 11000, mmHiEnglish},
    {"LetterSmall", 2, 8500, 11000, mmHiEnglish},
    {"Tabloid", 3, 11000, 17000, mmHiEnglish},
    {"Ledger", 4, 17000, 11000, mmHiEnglish},
    {"Legal", 5, 8500, 14000, mmHiEnglish},
    {"Statement", 6, 5500, 8500, mmHiEnglish},
    {"Executive", 7, 7250, 10500, mmHiEnglish},
    {"A3", 8, 2970, 4200, mmLoMetric},
    {"A4", 9, 2100, 2970, mmLoMetric},
    {"A4Small", 10, 2100, 2970, mmLoMetric},
    {"A5", 11, 1480, 2100, mmLoMetric},
    {"B4", 12, 2500, 3540, mmLoMetric},
    {"B5", 13, 1820, 2570, mmLoMetric},
    {"Folio", 14, 8500, 13000, mmHiEnglish},
    {"Quatro", 15, 2150, 2750, mmLoMetric},
    {"10x14", 16, 10000, 14000, mmHiEnglish},
    {"11x17", 17, 11000, 17000, mmHiEnglish},
    {"Note", 18, 8500, 11000, mmHiEnglish},
    {"Env9", 19, 3875, 8875, mmHiEnglish},
    {"Env10", 20, 4125, 9500, mmHiEnglish},
    {"Env11", 21, 4500, 10375, mmHiEnglish},
    {"Env12", 22, 4750, 11000, mmHiEnglish},
    {"Env14", 23, 5000, 11500, mmHiEnglish},
    {"CSheet", 24, 17000, 22000, mmHiEnglish},
    {"DSheet", 25, 22000, 34000, mmHiEnglish},
    {"ESheet", 26, 34000, 44000, mmHiEnglish},
    {"EnvDL", 27, 1100, 2200, mmLoMetric},
    {"EnvC5", 28, 1620, 2290, mmLoMetric},
    {"EnvC3", 29, 3240, 4580, mmLoMetric},
    {"EnvC4", 30, 2290, 3240, mmLoMetric},
    {"EnvC6", 31, 1140, 1620, mmLoMetric},
    {"EnvC65", 32, 1140, 2290, mmLoMetric},
    {"EnvB4", 33, 2500, 3530, mmLoMetric},
    {"EnvB5", 34, 1760, 2500, mmLoMetric},
    {"EnvB6", 35, 1760, 1250, mmLoMetric},
    {"EnvItaly", 36, 1100, 2300, mmLoMetric},
    {"EnvMonarch", 37, 3875, 7500, mmHiEnglish},
    {"EnvPersonal", 38, 3625, 6500, mmHiEnglish},
    {"FanfoldUSStd", 39, 14875, 11000, mmHiEnglish},
    {"FanfoldGermanStd", 40, 8500, 12000, mmHiEnglish},
    {"FanfoldGermanLegal", 41, 8500, 13000, mmHiEnglish},
    {"B4ISO", 42, 2500, 3530, mmLoMetric},
    {"JapanesePostcard", 43, 1000, 1480, mmLoMetric},
    {"9x11", 44, 9000, 11000, mmHiEnglish},
    {"10x11", 45, 10000, 11000, mmHiEnglish},
    {"15x11", 46, 15000, 11000, mmHiEnglish},
    {"EnvInvite", 47, 2200, 2200, mmLoMetric},
    {"LetterExtra", 50, 9500, 12000, mmHiEnglish},
    {"LegalExtra", 51, 9500, 15000, mmHiEnglish},
    {"TabloidExtra", 52, 11690, 18000, mmHiEnglish},
    {"A4Extra", 53, 9270, 12690, mmHiEnglish},
    {"LetterTransverse", 54, 8500, 11000, mmHiEnglish},
    {"A4Transverse", 55, 2100, 2970, mmLoMetric},
    {"LetterExtraTransverse", 56, 9500, 12000, mmHiEnglish},
    {"APlus", 57, 2270, 3560, mmLoMetric},
    {"BPlus", 58, 3050, 4870, mmLoMetric},
    {"LetterPlus", 59, 8500, 12690, mmHiEnglish},
    {"A4Plus", 60, 2100, 3300, mmLoMetric},
    {"A5Transverse", 61, 1480, 2100, mmLoMetric},
    {"B5Transverse", 62, 1820, 2570, mmLoMetric},
    {"A3Extra", 63, 3220, 4450, mmLoMetric},
    {"A5Extra", 64, 1740, 2350, mmLoMetric},
    {"B5Extra", 65, 2010, 2760, mmLoMetric},
    {"A2", 66, 4200, 5940, mmLoMetric},
    {"A3Transverse", 67, 2970, 4200, mmLoMetric},
    {"A3ExtraTransverse", 68, 3220, 4450, mmLoMetric},
    {"Custom", 256, 0, 0, mmPixel},
}};

int Saturate(std::int64_t value) {
    if (value > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (value < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

bool Known(TUnits units) {
    return units >= mmPixel && units <= mmPoints;
}

// Whole millimetres of a length in units, the precision paper sizes are compared at.
int WholeMillimetres(int value, TUnits units, int dpi) {
    return static_cast<int>(DivRoundHalfEven(ConvertUnits(value, units, mmHiMetric, dpi, dpi), 100));
}

} // namespace

const TPaperInfo& PaperInfo(TPaperType type) {
    const int index = type >= 0 && type < kPaperTypeCount ? type : pCustom;
    return kPapers[static_cast<std::size_t>(index)];
}

int UnitsPerInch(TUnits units, int deviceDpi) {
    switch (units) {
    case mmPixel:
        return deviceDpi;
    case mmLoMetric:
        return 254;
    case mmHiMetric:
        return 2540;
    case mmLoEnglish:
        return 100;
    case mmHiEnglish:
        return 1000;
    case mmTWIPS:
        return 1440;
    case mmPoints:
        return 72;
    }
    return 0;
}

std::int64_t DivRoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    const std::int64_t remainder = numerator % denominator;
    const std::int64_t twice = 2 * (remainder < 0 ? -remainder : remainder);
    const bool negative = (numerator < 0) != (denominator < 0);
    if (twice > denominator || (twice == denominator && quotient % 2 != 0))
        quotient += negative ? -1 : 1;
    return quotient;
}

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = std::int64_t(a) * b;
    const std::int64_t divisor = c < 0 ? -std::int64_t(c) : c;
    const std::int64_t magnitude = (product < 0 ? -product : product) + divisor / 2;
    const bool negative = (product < 0) != (c < 0);
    return Saturate(negative ? -(magnitude / divisor) : magnitude / divisor);
}

int ConvertUnits(int value, TUnits from, TUnits to, int deviceDpi, int screenDpi) {
    if (!Known(from) || !Known(to))
        return value;
    if (from == to) {
        if (from != mmPixel || deviceDpi == screenDpi || screenDpi <= 0)
            return value;
        return Saturate(DivRoundHalfEven(std::int64_t(value) * deviceDpi, screenDpi));
    }
    if ((from == mmLoMetric && to == mmHiMetric) || (from == mmLoEnglish && to == mmHiEnglish))
        return Saturate(std::int64_t(value) * 10);
    if (from == mmPoints && to == mmTWIPS)
        return Saturate(std::int64_t(value) * 20);
    if ((from == mmHiMetric && to == mmLoMetric) || (from == mmHiEnglish && to == mmLoEnglish))
        return value / 10;
    if (from == mmTWIPS && to == mmPoints)
        return value / 20;
    const int divisor = UnitsPerInch(from, deviceDpi);
    if (divisor <= 0)
        return value;
    return Saturate(DivRoundHalfEven(std::int64_t(value) * UnitsPerInch(to, deviceDpi), divisor));
}

TPaperType PaperTypeOfSize(int width, int height, TUnits units, int dpiX, int dpiY) {
    const int w = WholeMillimetres(width, units, dpiX);
    const int h = WholeMillimetres(height, units, dpiY);
    for (int i = 0; i < pCustom; ++i) {
        const TPaperInfo& row = kPapers[static_cast<std::size_t>(i)];
        if (WholeMillimetres(row.Width, row.Units, dpiX) == w &&
            WholeMillimetres(row.Height, row.Units, dpiY) == h)
            return static_cast<TPaperType>(i);
    }
    return pCustom;
}

TPaperType PaperTypeOfCode(int code) {
    for (int i = 0; i < pCustom; ++i)
        if (kPapers[static_cast<std::size_t>(i)].Code == code)
            return static_cast<TPaperType>(i);
    return pCustom;
}

bool PaperTypeSize(TPaperType type, TUnits units, int& width, int& height, int dpiX, int dpiY) {
    if (type < 0 || type >= pCustom)
        return false;
    const TPaperInfo& row = PaperInfo(type);
    width = ConvertUnits(row.Width, row.Units, units, dpiX, dpiX);
    height = ConvertUnits(row.Height, row.Units, units, dpiY, dpiY);
    return true;
}

int PdfPaperCode(TPaperType type) {
    switch (type) {
    case pLetter:
        return 1;
    case pA4:
        return 2;
    case pA3:
        return 3;
    case pLegal:
        return 4;
    case pB5:
        return 5;
    case pB4:
        return 8;
    case pA5:
        return 9;
    case pFolio:
        return 10;
    case pExecutive:
        return 11;
    case pEnvB4:
        return 12;
    case pEnvB5:
        return 13;
    case pEnvDL:
        return 15;
    case pEnvMonarch:
        return 16;
    default:
        return 0;
    }
}

TPaperFormName MatchPaperForm(const QList<QPageSize>& forms, QSize hiMetric, QSize hiEnglish, bool landscape,
                              TUnits units) {
    // A form's size is given in millimetres, so both sides compare in whole millimetres.
    const auto wholeMillimetres = [](qreal millimetres) {
        return static_cast<int>(DivRoundHalfEven(qRound64(millimetres * 1000), 1000));
    };
    int width = static_cast<int>(DivRoundHalfEven(hiMetric.width(), 100));
    int height = static_cast<int>(DivRoundHalfEven(hiMetric.height(), 100));
    bool rotated = landscape;
    QString generated;
    bool turned = false;
    for (const QPageSize& form : forms) {
        const QSizeF millimetres = form.size(QPageSize::Millimeter);
        const int formWidth = wholeMillimetres(millimetres.width());
        const int formHeight = wholeMillimetres(millimetres.height());
        if (formWidth == width && formHeight == height)
            return {form.name(), false};
        if (formWidth == height && formHeight == width) {
            generated = form.name();
            turned = true;
        }
    }
    if (turned) {
        rotated = !rotated;
    } else {
        if (landscape)
            std::swap(width, height);
        bool metric = QLocale::system().measurementSystem() == QLocale::MetricSystem;
        if (units == mmLoMetric || units == mmHiMetric)
            metric = true;
        else if (units == mmLoEnglish || units == mmHiEnglish)
            metric = false;
        if (metric) {
            generated = QStringLiteral("%1mm x %2mm").arg(width).arg(height);
        } else {
            const auto inches = [](int thousandths) {
                return QString::number(DivRoundHalfEven(thousandths, 100) / 10.0, 'g', 6);
            };
            generated =
                QStringLiteral("%1\" x %2\"").arg(inches(hiEnglish.width()), inches(hiEnglish.height()));
        }
    }
    if (rotated)
        generated += QStringLiteral(" Rotated");
    return {generated, true};
}

} // namespace preview
