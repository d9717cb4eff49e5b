// Loaded with LD_PRELOAD into a program under test: every allocation from the Nth on fails
// (TARVEX_ECHEC_MEMOIRE=N, counted from 0 at the program's start), so that a test can have
// memory run out at each allocation in turn. (operator new calls malloc; nothing of the
// program asks for aligned memory.)
#include <cerrno>
#include <cstddef>
#include <cstdlib>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
}

namespace {

long limite = -2; // -2: not read yet; -1: no limit (getenv allocates nothing)
long compte = 0;

bool refuser()
{
    if (limite == -2) {
        const char* n = std::getenv("TARVEX_ECHEC_MEMOIRE");
        limite = n != nullptr ? std::strtol(n, nullptr, 10) : -1;
    }
    if (limite < 0 || compte++ < limite) return false;
    errno = ENOMEM;
    return true;
}

} // namespace

extern "C" {
void* malloc(std::size_t n) { return refuser() ? nullptr : __libc_malloc(n); }
void* calloc(std::size_t n, std::size_t t) { return refuser() ? nullptr : __libc_calloc(n, t); }
void* realloc(void* p, std::size_t n) { return refuser() ? nullptr : __libc_realloc(p, n); }
}
