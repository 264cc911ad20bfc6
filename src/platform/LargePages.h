#pragma once
#include <cstddef>

// Memory for the big arrays of a long list that are read at random (the lookup tables of a
// year's texts, the slabs its rows are cut from). From 2 MB up it is mapped on its own, aligned
// on 2 MB and marked for large pages where the system gives them: one page fault and one page
// entry per 2 MB instead of 512, and no heap left holding it after it is given back.
namespace LargePages {

constexpr size_t kPage = size_t(2) << 20;

// Sizes under a large page come from the heap. Throws std::bad_alloc.
void *allocate(size_t bytes);
void release(void *p, size_t bytes);

template <typename T> struct Allocator
{
    using value_type = T;
    Allocator() = default;
    template <typename U> Allocator(const Allocator<U> &) { }
    T *allocate(size_t n) { return static_cast<T *>(LargePages::allocate(n * sizeof(T))); }
    void deallocate(T *p, size_t n) { LargePages::release(p, n * sizeof(T)); }
    template <typename U> bool operator==(const Allocator<U> &) const { return true; }
    template <typename U> bool operator!=(const Allocator<U> &) const { return false; }
};

} // namespace LargePages
