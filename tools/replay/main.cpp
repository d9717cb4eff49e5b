// tarvex-replay [--journal] [SCRIPT]: replays a script of clicks, key presses, copies, pastes,
// undos and redos on a session of the calculator, without a window, and prints its state as
// JSON, one line per dump; with --journal, the session's journal as a person reads it instead:
// for each dump (or at the end), the journal's new lines, each key beside what the main
// display shows after it.
//
// The script is read in pieces and checked whole as it comes; then it runs, each dump written
// and flushed as it comes. Exit status: 0 done, 2 a bad script or an unreadable
// file, 3 an output that cannot be written or memory exhausted; one line on standard error says
// why.
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
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
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

// Memory exhausted: the message is written as it stands, by a system call, since nothing more
// can be allocated (not even for an exception), and the run ends at once.
constexpr char MessageMemoire[] = "tarvex-replay: out of memory\n";
[[noreturn]] void plusDeMemoire()
{
    [[maybe_unused]] const ssize_t n =
        write(STDERR_FILENO, MessageMemoire, sizeof MessageMemoire - 1);
    _exit(SortieEchec);
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

// One reading of the script, in pieces of a fixed size, through `lecteur`: what it found, and
// what it read (its size and a fingerprint, so that a second reading can tell whether the
// file changed in between).
struct Lecture {
    std::optional<ErreurScript> erreur;
    int erreurSysteme = 0;                                    // errno of a failed read
    std::uint64_t octets = 0, empreinte = 0xCBF29CE484222325; // FNV-1a
};

// `garder`: the whole text stays in `texte` (a pipe, read once, run from memory); otherwise
// the lines read are dropped as the reading goes, and memory holds only the line being read.
Lecture lire(int f, Lecteur& lecteur, const Visiteur& visiteur, bool garder, std::string& texte)
{
    Lecture l;
    char tampon[65536];
    while (!l.erreur) {
        const ssize_t n = read(f, tampon, sizeof tampon);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) l.erreurSysteme = errno;
        if (n <= 0) break;
        l.octets += static_cast<std::uint64_t>(n);
        for (ssize_t i = 0; i < n; ++i)
            l.empreinte = (l.empreinte ^ static_cast<unsigned char>(tampon[i])) * 0x100000001B3;
        texte.append(tampon, static_cast<std::size_t>(n));
        l.erreur = lecteur.lire(texte, false, visiteur);
        if (!garder && 2 * lecteur.lu() >= texte.size()) {
            texte.erase(0, lecteur.lu());
            lecteur.oublier(lecteur.lu());
        }
    }
    if (l.erreurSysteme == ENOMEM) plusDeMemoire();
    if (!l.erreur && l.erreurSysteme == 0) l.erreur = lecteur.lire(texte, true, visiteur);
    return l;
}

int refuser(const ErreurScript& e)
{
    char numero[24];
    const auto fin = std::to_chars(numero, numero + sizeof numero, e.ligne).ptr;
    return signaler(SortieScriptInvalide, "line " + std::string(numero, fin) + ": " + e.message);
}

// Checks the whole script, then runs it. A file is read twice, to check it and to run it, so
// that memory never holds more than a line of it, however large; what is read from a pipe is
// kept to be run.
int executer(const char* chemin, std::string_view localeNumeric, bool enJournal)
{
    const bool entree = std::strcmp(chemin, "-") == 0;
    const std::string nom = entree ? std::string("standard input") : cite(chemin);
    const int f = entree ? STDIN_FILENO : open(chemin, O_RDONLY | O_CLOEXEC);
    if (f < 0 && errno == ENOMEM) plusDeMemoire();
    const auto illisible = [&nom](int erreur) {
        return signaler(SortieScriptInvalide,
                        "tarvex-replay: cannot read " + nom + ": " + std::strerror(erreur));
    };
    if (f < 0) return illisible(errno);
    struct stat etat;
    const off_t debut = lseek(f, 0, SEEK_CUR);
    const bool fichier = fstat(f, &etat) == 0 && S_ISREG(etat.st_mode) && debut >= 0;

    std::string texte;
    Lecteur verification;
    const Lecture verifiee = lire(f, verification, {}, !fichier, texte);
    if (verifiee.erreur) return refuser(*verifiee.erreur);
    if (verifiee.erreurSysteme != 0) return illisible(verifiee.erreurSysteme);

    Session session;
    std::string pressePapier; // what the last copy gave
    std::string json;
    std::size_t imprimees = 0; // journal lines already printed
    const auto dump = [&] {
        if (enJournal) return ecrireJournal(session.journal(), imprimees);
        etatJson(session, pressePapier, localeNumeric, json);
        ecrire(json);
    };
    const Visiteur jouerEvenement = [&](const Evenement& ev) {
        if (ev.verbe == Verbe::Dump)
            dump();
        else
            jouer(session, ev, pressePapier);
    };
    try {
        if (!fichier) {
            Lecteur().lire(texte, true, jouerEvenement);
        } else {
            texte.clear();
            Lecteur execution;
            Lecture jouee;
            if (lseek(f, debut, SEEK_SET) == debut)
                jouee = lire(f, execution, jouerEvenement, false, texte);
            else
                jouee.erreurSysteme = errno;
            if (jouee.erreur) return refuser(*jouee.erreur);
            if (jouee.erreurSysteme != 0) return illisible(jouee.erreurSysteme);
            if (jouee.octets != verifiee.octets || jouee.empreinte != verifiee.empreinte)
                return signaler(SortieScriptInvalide,
                                "tarvex-replay: " + nom + " changed while it ran");
        }
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
    std::set_new_handler(plusDeMemoire);
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
    } catch (const std::bad_alloc&) { // an array too large for any memory
        plusDeMemoire();
    } catch (const std::exception& ex) { // every failure of a key is caught by the key itself
        for (const char* t : {"tarvex-replay: internal failure: ", ex.what(), "\n"})
            if (write(STDERR_FILENO, t, std::strlen(t)) < 0) break;
        return SortieEchec;
    }
}
