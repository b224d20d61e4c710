#include "tools/ProgressBar.h"

#include <cstdio>
#include <unistd.h>

ProgressBar::ProgressBar(bool wanted) : active_(wanted && isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar()
{
    if (active_ && lastPercent_ >= 0)
        std::fputs("\r\033[K", stderr);
}

void ProgressBar::update(size_t done, size_t total)
{
    if (!active_ || total == 0)
        return;
    const int percent = int(100 * done / total);
    if (percent == lastPercent_)
        return;
    lastPercent_ = percent;
    constexpr int kWidth = 40;
    const int filled = percent * kWidth / 100;
    char bar[kWidth + 1];
    for (int i = 0; i < kWidth; ++i)
        bar[i] = i < filled ? '#' : '-';
    bar[kWidth] = '\0';
    std::fprintf(stderr, "\rrendering [%s] %3d%%", bar, percent);
    std::fflush(stderr);
}
