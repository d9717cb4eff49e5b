// The standard library's conversions where it has them for doubles, the C library's where it
// does not (see NombresC.cpp).
#include "core/Nombres.h"

namespace tarvex::nombres {

namespace {

// "inf", "nan", a sign "+" or blanks: no number here, whichever way it is read.
bool commenceUnNombre(const char* debut, const char* fin)
{
    if (debut != fin && *debut == '-') ++debut;
    return debut != fin && ((*debut >= '0' && *debut <= '9') || *debut == '.');
}

} // namespace

#if defined(__cpp_lib_to_chars)

char* ecrireCourt(char* p, double v) { return std::to_chars(p, p + 32, v).ptr; }

char* ecrireCourtScientifique(char* p, double v)
{
    return std::to_chars(p, p + 32, v, std::chars_format::scientific).ptr;
}

char* ecrireScientifique(char* p, double v, int decimales)
{
    return std::to_chars(p, p + decimales + 8, v, std::chars_format::scientific, decimales).ptr;
}

std::from_chars_result lire(const char* debut, const char* fin, double& v)
{
    if (!commenceUnNombre(debut, fin)) return {debut, std::errc::invalid_argument};
    return std::from_chars(debut, fin, v, std::chars_format::general);
}

#else

char* ecrireCourt(char* p, double v) { return libc::ecrireCourt(p, v); }

char* ecrireCourtScientifique(char* p, double v) { return libc::ecrireCourtScientifique(p, v); }

char* ecrireScientifique(char* p, double v, int decimales)
{
    return libc::ecrireScientifique(p, v, decimales);
}

std::from_chars_result lire(const char* debut, const char* fin, double& v)
{
    if (!commenceUnNombre(debut, fin)) return {debut, std::errc::invalid_argument};
    return libc::lire(debut, fin, v);
}

#endif

} // namespace tarvex::nombres
