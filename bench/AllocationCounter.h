#pragma once

// Counts what each thread takes from the heap, by replacing the global
// operator new: other threads (Qt's D-Bus connection receiving, say) do not
// blur what the code under test does. Include it in exactly one source file
// of an executable.
#include <cstdlib>
#include <new>

inline thread_local long allocations = 0;

void* operator new(std::size_t size)
{
    ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}
