#pragma once

#include <cstddef>

// A one-line progress bar on stderr, shown only when stderr is a terminal.
class ProgressBar
{
public:
    explicit ProgressBar(bool wanted);
    ~ProgressBar();
    void update(size_t done, size_t total);

private:
    bool active_;
    int lastPercent_ = -1;
};
