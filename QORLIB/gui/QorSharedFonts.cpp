#include "QORLIB/gui/QorSharedFonts.h"

#include "QORLIB/gui/CQorFontWrapper.h"

namespace QorSharedFonts
{
namespace
{
struct Fonts
{
    Qorwerk::CQorFontWrapper arial[6] = {{"Arial", 14}, {"Arial", 13}, {"Arial", 12},
                                         {"Arial", 11}, {"Arial", 10}, {"Arial", 9}};
    Qorwerk::CQorFontWrapper comic{"Comic Sans MS", 32};
    Qorwerk::CQorFontWrapper helvetica{"Helvetica", 12};
};

Fonts& fonts()
{
    static Fonts f;
    return f;
}
} // namespace

const QorFont* arial(int size) { return size >= 9 && size <= 14 ? &fonts().arial[14 - size] : nullptr; }
const QorFont* comicSans32() { return &fonts().comic; }
const QorFont* helvetica12() { return &fonts().helvetica; }
} // namespace QorSharedFonts
