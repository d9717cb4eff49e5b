// tarvex-replay [SCRIPT]: replays a script of clicks, key presses, copies, pastes, undos and
// redos on a session of the calculator, without a window, and prints its state as JSON, one
// line per dump.
#include "EtatJson.h"
#include "Script.h"
#include "session/Session.h"

#include <QByteArray>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

using namespace tarvex;
using namespace tarvex::replay;

constexpr int SortieScriptInvalide = 2;
constexpr int SortieEchecInterne = 3;

// The whole content of a file, or of standard input for "-".
bool lireTout(const char* chemin, std::string& contenu, std::string& erreur)
{
    const bool entree = std::strcmp(chemin, "-") == 0;
    std::FILE* f = entree ? stdin : std::fopen(chemin, "rb");
    if (f == nullptr) {
        erreur = std::strerror(errno);
        return false;
    }
    char tampon[65536];
    std::size_t n;
    while ((n = std::fread(tampon, 1, sizeof tampon, f)) > 0) contenu.append(tampon, n);
    const bool echec = std::ferror(f) != 0;
    if (echec) erreur = std::strerror(errno);
    if (!entree) std::fclose(f);
    return !echec;
}

QByteArray rejouer(const Script& script, std::string_view localeNumeric)
{
    Session session;
    std::string pressePapier; // the clipboard: what the last copy gave
    QByteArray sortie;
    const auto dump = [&] {
        sortie += ecrireJson(etatJson(session, pressePapier, localeNumeric));
        sortie += '\n';
    };
    for (const Evenement& ev : script.evenements) {
        switch (ev.verbe) {
        case Verbe::Clic: session.cliquer(ev.controle); break;
        case Verbe::DoubleClic: session.doubleCliquer(ev.controle); break;
        case Verbe::Touche: session.appuyer(ev.code); break;
        case Verbe::Dump: dump(); break;
        case Verbe::Copie: pressePapier = session.copier(); break;
        case Verbe::Coller: session.coller(script.textes[static_cast<std::size_t>(ev.code)]); break;
        case Verbe::Annuler: session.annuler(); break;
        case Verbe::Retablir: session.retablir(); break;
        }
    }
    if (script.nbDumps == 0) dump();
    return sortie;
}

} // namespace

int main(int argc, char** argv)
{
    // As a desktop program does: a run under a comma-decimal locale must print the same.
    std::setlocale(LC_ALL, "");
    const char* locale = std::setlocale(LC_NUMERIC, nullptr);
    const std::string localeNumeric = locale != nullptr ? locale : "";

    if (argc > 2) {
        std::fprintf(stderr, "usage: tarvex-replay [SCRIPT]\n");
        return SortieScriptInvalide;
    }
    const char* chemin = argc == 2 ? argv[1] : "-";
    std::string texte;
    std::string erreur;
    if (!lireTout(chemin, texte, erreur)) {
        std::fprintf(stderr, "tarvex-replay: cannot read %s: %s\n",
                     argc == 2 ? chemin : "standard input", erreur.c_str());
        return SortieScriptInvalide;
    }

    const Lecture lecture = lireScript(texte);
    if (lecture.erreur) {
        std::fprintf(stderr, "line %d: %s\n", lecture.erreur->ligne,
                     lecture.erreur->message.c_str());
        return SortieScriptInvalide;
    }

    QByteArray sortie;
    try {
        sortie = rejouer(lecture.script, localeNumeric);
    } catch (const std::exception& ex) {
        // Every failure of a key is caught by the key itself; reaching here is a defect.
        std::fprintf(stderr, "tarvex-replay: internal failure: %s\n", ex.what());
        return SortieEchecInterne;
    }
    // All at once at the end, so that a failed run prints no partial state.
    std::fwrite(sortie.constData(), 1, static_cast<std::size_t>(sortie.size()), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
