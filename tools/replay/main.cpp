// tarvex-replay [--journal] [SCRIPT]: replays a script of clicks, key presses, copies, pastes,
// undos and redos on a session of the calculator, without a window, and prints its state as
// JSON, one line per dump; with --journal, the session's journal as a person reads it instead:
// for each dump (or at the end), the journal's new lines, each key beside what the main
// display shows after it.
//
// The script is checked whole as it is read, storing only its text; then it runs, each dump
// written and flushed as it comes. Exit status: 0 done, 2 a bad script or an unreadable file,
// 3 an output that cannot be written or memory exhausted; one line on standard error says why.
#include "EtatJson.h"
#include "Script.h"
#include "session/Session.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <string>

namespace {

using namespace tarvex;
using namespace tarvex::replay;

constexpr int SortieScriptInvalide = 2;
constexpr int SortieEchec = 3;

// The output could not be written (errno's value).
struct SortieImpossible {
    int erreur;
};

int signaler(int statut, const std::string& message)
{
    std::fputs((message + '\n').c_str(), stderr);
    return statut;
}

void ecrire(std::string& ligne)
{
    ligne += '\n';
    errno = 0;
    if (std::fwrite(ligne.data(), 1, ligne.size(), stdout) != ligne.size() ||
        std::fflush(stdout) != 0)
        throw SortieImpossible{errno};
}

// The journal lines added since the last call, in two columns: the key, padded to the
// widest key in characters (not bytes: "Entrée"), then the main display.
void ecrireJournal(const Journal& journal, std::size_t& imprimees)
{
    const std::size_t n = std::min(journal.ajoutees() - imprimees, journal.taille());
    const auto largeur = [](const std::string& s) {
        return static_cast<std::size_t>(
            std::count_if(s.begin(), s.end(), [](char c) { return (c & 0xC0) != 0x80; }));
    };
    std::size_t colonne = 0;
    for (std::size_t i = journal.taille() - n; i < journal.taille(); ++i)
        colonne = std::max(colonne, largeur(journal[i].touche));
    std::string texte;
    for (std::size_t i = journal.taille() - n; i < journal.taille(); ++i) {
        texte += "  " + journal[i].touche;
        texte.append(colonne - largeur(journal[i].touche) + 3, ' ');
        texte += journal[i].affichage + '\n';
    }
    imprimees = journal.ajoutees();
    if (texte.empty()) return;
    texte.pop_back(); // ecrire ends the last line
    ecrire(texte);
}

int executer(const char* chemin, std::string_view localeNumeric, bool enJournal)
{
    const bool entree = std::strcmp(chemin, "-") == 0;
    const std::string nom = entree ? std::string("standard input") : cite(chemin);
    std::FILE* f = entree ? stdin : std::fopen(chemin, "rb");
    if (f == nullptr)
        return signaler(SortieScriptInvalide,
                        "tarvex-replay: cannot read " + nom + ": " + std::strerror(errno));

    // Read and checked as it comes: a bad line ends the reading at once, even of an endless
    // input. A regular file's text is reserved at its size, so it is never copied to grow.
    std::string texte;
    struct stat etat;
    if (fstat(fileno(f), &etat) == 0 && S_ISREG(etat.st_mode))
        texte.reserve(static_cast<std::size_t>(etat.st_size));
    Lecteur verification;
    std::optional<ErreurScript> erreur;
    char tampon[65536];
    std::size_t n;
    while (!erreur && (n = std::fread(tampon, 1, sizeof tampon, f)) > 0) {
        texte.append(tampon, n);
        erreur = verification.lire(texte, false);
    }
    const int erreurLecture = std::ferror(f) ? errno : 0;
    if (!entree) std::fclose(f);
    if (!erreur && erreurLecture != 0)
        return signaler(SortieScriptInvalide,
                        "tarvex-replay: cannot read " + nom + ": " + std::strerror(erreurLecture));
    if (!erreur) erreur = verification.lire(texte, true);
    if (erreur) {
        char numero[24];
        const auto fin = std::to_chars(numero, numero + sizeof numero, erreur->ligne).ptr;
        return signaler(SortieScriptInvalide,
                        "line " + std::string(numero, fin) + ": " + erreur->message);
    }

    Session session;
    std::string pressePapier; // what the last copy gave
    std::string json;
    std::size_t imprimees = 0; // journal lines already printed
    const auto dump = [&] {
        if (enJournal) return ecrireJournal(session.journal(), imprimees);
        etatJson(session, pressePapier, localeNumeric, json);
        ecrire(json);
    };
    try {
        Lecteur().lire(texte, true, [&](const Evenement& ev) {
            if (ev.verbe == Verbe::Dump)
                dump();
            else
                jouer(session, ev, pressePapier);
        });
        if (verification.nbDumps() == 0) dump();
    } catch (const SortieImpossible& s) {
        return signaler(SortieEchec, std::string("tarvex-replay: cannot write the output: ") +
                                         (s.erreur != 0 ? std::strerror(s.erreur) : "write error"));
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // As a desktop program does: a run under a comma-decimal locale must print the same.
    std::setlocale(LC_ALL, "");
    const char* locale = std::setlocale(LC_NUMERIC, nullptr);
    const std::string localeNumeric = locale != nullptr ? locale : "";
    // A reader that went away is a failed write (EPIPE), not a silent end.
    std::signal(SIGPIPE, SIG_IGN);
    // A closed standard output gets a descriptor that refuses writes, so that no file opened
    // later takes its number and receives the dumps.
    if (fcntl(STDOUT_FILENO, F_GETFD) == -1) {
        const int fd = open("/dev/null", O_RDONLY);
        if (fd >= 0 && fd != STDOUT_FILENO) {
            dup2(fd, STDOUT_FILENO);
            close(fd);
        }
    }

    const bool enJournal = argc > 1 && std::strcmp(argv[1], "--journal") == 0;
    if (argc > 2 + enJournal)
        return signaler(SortieScriptInvalide, "usage: tarvex-replay [--journal] [SCRIPT]");
    try {
        return executer(argc == 2 + enJournal ? argv[1 + enJournal] : "-", localeNumeric,
                        enJournal);
    } catch (const std::bad_alloc&) {
        return signaler(SortieEchec, "tarvex-replay: out of memory");
    } catch (const std::exception& ex) { // every failure of a key is caught by the key itself
        return signaler(SortieEchec, std::string("tarvex-replay: internal failure: ") + ex.what());
    }
}
