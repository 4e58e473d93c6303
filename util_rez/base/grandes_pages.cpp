#include "util_rez/base/grandes_pages.h"

#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace {

constexpr std::size_t grande_page = std::size_t(2) << 20;
// Below this, the large pages would hold too much memory that is never used.
constexpr std::size_t seuil = std::size_t(4) << 20;

} // namespace

void conseille_grandes_pages(void* p, std::size_t n) {
    if (n < seuil) return;
    const auto debut = (reinterpret_cast<std::uintptr_t>(p) + grande_page - 1) & ~(grande_page - 1);
    const auto fin = (reinterpret_cast<std::uintptr_t>(p) + n) & ~(grande_page - 1);
    if (fin > debut) madvise(reinterpret_cast<void*>(debut), fin - debut, MADV_HUGEPAGE);
}

void* alloue_grand_bloc(std::size_t n) {
    if (n < seuil) {
        if (void* p = std::malloc(n ? n : 1)) return p;
        throw std::bad_alloc();
    }
    const std::size_t arrondi = (n + grande_page - 1) & ~(grande_page - 1);
    void* p = std::aligned_alloc(grande_page, arrondi);
    if (!p) throw std::bad_alloc();
    conseille_grandes_pages(p, arrondi);
    return p;
}

void libere_grand_bloc(void* p) noexcept {
    std::free(p);
}
