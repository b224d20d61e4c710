#pragma once

#include <cstdint>

// The needle's motion between gain-reduction readings, which arrive at the host's pace
// (irregular, often slower than the 33 ms redraw). The needle trails the readings by one
// interval: when a reading arrives it stands on the previous one and glides linearly to the
// latest over the time that passed between the two, then holds there until the next reading.
// Times are milliseconds of a wrapping 32-bit tick.
class vellaCorNeedleGlide
{
public:
    void reading(double r, uint32_t nowMs);
    // Back to rest: both readings 0.
    void reset();
    // The value to show at a tick. The first tick after a reading or reset shows the previous
    // reading and clears the fresh flag.
    double shown(uint32_t nowMs);

    bool isFresh() const { return fresh_; }
    double previousReading() const { return previous_; }
    double latestReading() const { return latest_; }

private:
    double previous_ = 0.0;
    double latest_ = 0.0;
    uint32_t previousTime_ = 0;
    uint32_t latestTime_ = 0;
    bool fresh_ = true;
};
