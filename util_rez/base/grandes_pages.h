#pragma once
#include <cstddef>
#include <memory>
#include <new>
#include <vector>

// A long run's buffers run to hundreds of megabytes. Touched 4 KiB at a time, each page costs
// a fault, and on a virtual machine the faults can take as long as the parse itself; so a
// buffer of a few megabytes or more asks the kernel for 2 MiB pages instead.

// Asks for large pages over the whole 2 MiB pages inside [p, p + n); best effort, before the
// bytes are first touched.
void conseille_grandes_pages(void* p, std::size_t n);
// `n` bytes, aligned on a large page when n is large; freed with libere_grand_bloc.
void* alloue_grand_bloc(std::size_t n);
void libere_grand_bloc(void* p) noexcept;

template <typename T> struct AllocateurGrand {
    using value_type = T;
    AllocateurGrand() = default;
    template <typename U> AllocateurGrand(const AllocateurGrand<U>&) noexcept {}
    T* allocate(std::size_t n) {
        if (n > std::size_t(-1) / sizeof(T)) throw std::bad_alloc();
        return static_cast<T*>(alloue_grand_bloc(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t) noexcept { libere_grand_bloc(p); }
    template <typename U> bool operator==(const AllocateurGrand<U>&) const noexcept { return true; }
};

template <typename T> using VecteurGrand = std::vector<T, AllocateurGrand<T>>;
