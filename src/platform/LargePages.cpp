#include "LargePages.h"
#include <QtGlobal>
#include <new>
#include <sys/mman.h>

namespace LargePages {

namespace {

size_t mappedSize(size_t bytes)
{
    return (bytes + kPage - 1) & ~(kPage - 1);
}

} // namespace

void *allocate(size_t bytes)
{
    if (bytes < kPage)
        return ::operator new(bytes);
    const size_t size = mappedSize(bytes);
    // A page more is asked for, so that a part aligned on it can be kept.
    void *p
        = mmap(nullptr, size + kPage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
    const quintptr start = quintptr(p);
    const quintptr aligned = (start + kPage - 1) & ~quintptr(kPage - 1);
    if (aligned > start)
        munmap(p, aligned - start);
    if (const quintptr end = start + size + kPage, tail = aligned + size; end > tail)
        munmap(reinterpret_cast<void *>(tail), end - tail);
    madvise(reinterpret_cast<void *>(aligned), size, MADV_HUGEPAGE);
    return reinterpret_cast<void *>(aligned);
}

void release(void *p, size_t bytes)
{
    if (!p)
        return;
    if (bytes < kPage)
        ::operator delete(p);
    else
        munmap(p, mappedSize(bytes));
}

} // namespace LargePages
