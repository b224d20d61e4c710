#pragma once

class QorFont;

// The fonts every editor shares, built once per process: "Arial" 14, 13, 12, 11, 10 and 9,
// "Comic Sans MS" 32 and "Helvetica" 12.
namespace QorSharedFonts
{
// nullptr for a size that is not shared.
const QorFont* arial(int size);
const QorFont* comicSans32();
const QorFont* helvetica12();
} // namespace QorSharedFonts
