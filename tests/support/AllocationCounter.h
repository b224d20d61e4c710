#pragma once

#include <cstddef>

namespace qortest
{

// Counts calls of the global operator new while a scope is alive. Link
// tests/support/AllocationCounter.cpp into the test binary that uses it.
std::size_t allocationCount();

class AllocationScope
{
public:
    AllocationScope();
    ~AllocationScope();
    std::size_t allocations() const;

private:
    std::size_t start_;
};

} // namespace qortest
