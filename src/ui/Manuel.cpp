#include "Manuel.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "Apparence.h"
#include "core/Version.h"

namespace tarvex {

namespace {

const QString NomFichier = QStringLiteral("Tarvex-manuel.pdf");
const QString Ressource = QStringLiteral(":/manuel/manuel.pdf");

std::vector<Manuel*>& vivants()
{
    static std::vector<Manuel*> v;
    return v;
}

// SIGTERM, SIGINT and SIGHUP: the handler only writes the signal's number into a pipe (an
// async-signal-safe call); the event loop reads it, removes the temporary folders and ends
// the program as a close of the window would.
int tube[2] = {-1, -1};

extern "C" void surSignal(int numero)
{
    const int erreur = errno;
    const char octet = static_cast<char>(numero);
    [[maybe_unused]] const ssize_t n = ::write(tube[1], &octet, 1);
    errno = erreur;
}

void installerSignaux()
{
    if (tube[0] >= 0 || ::pipe2(tube, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* lecteur =
        new QSocketNotifier(tube[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(lecteur, &QSocketNotifier::activated, lecteur, [] {
        char octets[16];
        ssize_t n = 0;
        while ((n = ::read(tube[0], octets, sizeof octets)) > 0) {
        }
        for (Manuel* m : vivants()) m->nettoyer();
        if (QThread::currentThread()->loopLevel() > 0) QCoreApplication::quit();
    });
    struct sigaction action = {};
    action.sa_handler = surSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(s, &action, nullptr);
}

// A directory of ours that no one else can enter.
bool dossierPrive(const QString& chemin)
{
    struct stat s = {};
    const QByteArray c = QFile::encodeName(chemin);
    if (::lstat(c.constData(), &s) != 0 &&
        (::mkdir(c.constData(), 0700) != 0 || ::lstat(c.constData(), &s) != 0))
        return false;
    return S_ISDIR(s.st_mode) && s.st_uid == ::getuid() &&
           ((s.st_mode & 077) == 0 || ::chmod(c.constData(), 0700) == 0);
}

bool repertoireUtilisable(const QString& chemin)
{
    const QFileInfo i(chemin);
    return !chemin.isEmpty() && i.isAbsolute() && QDir(chemin).canonicalPath() != "/" &&
           i.isDir() && i.isWritable();
}

// The temporary folders: $TMPDIR, /tmp, /var/tmp.
QStringList basesTemporaires()
{
    return {qEnvironmentVariable("TMPDIR"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp")};
}

// Whether process `pid` may still be the run that made a folder: it exists, belongs to this
// user and runs this program. Where /proc cannot tell, it is taken as alive.
bool executionVivante(pid_t pid)
{
    if (::kill(pid, 0) != 0 && errno == ESRCH) return false;
    const QByteArray proc = "/proc/" + QByteArray::number(pid);
    struct stat s = {};
    if (::stat(proc.constData(), &s) != 0) return true;
    return s.st_uid == ::getuid() &&
           QFileInfo(QString::fromLatin1(proc + "/exe")).symLinkTarget() ==
               QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
}

// The private folders of runs that ended without removing theirs (killed, crashed): named
// tarvex-PID-XXXXXX, owned by this user, and PID is no run of this program any more.
void nettoyerAnciens()
{
    static const QRegularExpression nom(QStringLiteral("^tarvex-([0-9]+)-[A-Za-z0-9]{6}$"));
    for (const QString& base : basesTemporaires()) {
        if (!repertoireUtilisable(base)) continue;
        for (const QString& n :
             QDir(base).entryList({QStringLiteral("tarvex-*")}, QDir::Dirs | QDir::NoSymLinks)) {
            const QRegularExpressionMatch m = nom.match(n);
            const QString chemin = base + QLatin1Char('/') + n;
            struct stat s = {};
            if (!m.hasMatch() || ::lstat(QFile::encodeName(chemin).constData(), &s) != 0 ||
                !S_ISDIR(s.st_mode) || s.st_uid != ::getuid())
                continue;
            const pid_t pid = m.captured(1).toInt();
            if (pid > 0 && pid != ::getpid() && !executionVivante(pid))
                QDir(chemin).removeRecursively();
        }
    }
}

// Whether the desktop knows an application for PDF files where xdg-open (and gio, kde-open)
// look for one: a desktop entry that declares PDF or one of its aliases, an association in
// a mimeapps.list, a mailcap entry, or a web browser, which xdg-open falls back on. When
// none is there, xdg-open can only fail, after seconds.
bool applicationPdfConnue()
{
    static const QRegularExpression pdf(
        QStringLiteral("(^|[=;])(application/(pdf|x-pdf|acrobat|nappdf)|image/pdf)(;|$)"));
    const auto contient = [](const QString& fichier, const auto& ligneQuiConvient) {
        QFile f(fichier);
        if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
        while (!f.atEnd())
            if (ligneQuiConvient(QString::fromUtf8(f.readLine()).trimmed())) return true;
        return false;
    };
    const auto dossiers = [](const char* variable, const QString& parDefaut) {
        const QString v = qEnvironmentVariable(variable);
        return (v.isEmpty() ? parDefaut : v).split(QLatin1Char(':'), Qt::SkipEmptyParts);
    };
    const QString maison = QDir::homePath();
    QStringList donnees = dossiers("XDG_DATA_HOME", maison + QStringLiteral("/.local/share"));
    donnees += dossiers("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share"));
    QStringList listes = dossiers("XDG_CONFIG_HOME", maison + QStringLiteral("/.config"));
    listes += dossiers("XDG_CONFIG_DIRS", QStringLiteral("/etc/xdg"));
    for (const QString& d : donnees) {
        const QString applications = d + QStringLiteral("/applications");
        listes << applications;
        QDirIterator entrees(applications, {QStringLiteral("*.desktop")}, QDir::Files,
                             QDirIterator::Subdirectories);
        while (entrees.hasNext())
            if (contient(entrees.next(), [](const QString& l) {
                    return l.startsWith(QLatin1String("MimeType=")) && pdf.match(l).hasMatch();
                }))
                return true;
    }
    for (const QString& d : listes)
        for (const QString& l : QDir(d).entryList({QStringLiteral("*mimeapps.list")}, QDir::Files))
            if (contient(d + QLatin1Char('/') + l,
                         [](const QString& ligne) { return pdf.match(ligne).hasMatch(); }))
                return true;
    for (const QString& m :
         dossiers("MAILCAPS", maison + QStringLiteral("/.mailcap:/etc/mailcap:/usr/etc/mailcap:"
                                                      "/usr/local/etc/mailcap")))
        if (contient(m, [](const QString& l) {
                return l.startsWith(QLatin1String("application/pdf"), Qt::CaseInsensitive) ||
                       l.startsWith(QLatin1String("application/*"));
            }))
            return true;
    return !qEnvironmentVariableIsEmpty("BROWSER") ||
           !QStandardPaths::findExecutable(QStringLiteral("x-www-browser")).isEmpty();
}

} // namespace

Manuel::Manuel(QWidget* fenetre) : QObject(fenetre), fenetre_(fenetre)
{
    installerSignaux();
    nettoyerAnciens();
    vivants().push_back(this);
    ouvreur_ = [this](const QString& chemin) { return lancerVisionneuse(chemin); };
    horloge_ = [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
    // The viewer's window has taken the focus: it has started.
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, this,
                     [this](Qt::ApplicationState etat) {
                         if (etat != Qt::ApplicationActive) finAttente();
                     });
}

Manuel::~Manuel()
{
    finAttente();
    nettoyer();
    vivants().erase(std::find(vivants().begin(), vivants().end(), this));
    // A viewer still open stays open: its process is let go, not killed.
    for (QProcess* p : findChildren<QProcess*>()) {
        p->disconnect();
        p->setParent(nullptr);
    }
}

void Manuel::nettoyer()
{
    if (temporaire_ && !dossier_.isEmpty()) QDir(dossier_).removeRecursively();
    dossier_.clear();
}

QString Manuel::dossier()
{
    if (!dossier_.isEmpty() && dossierPrive(dossier_)) return dossier_;
    nettoyer();
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (repertoireUtilisable(runtime) && dossierPrive(runtime + QStringLiteral("/tarvex"))) {
        temporaire_ = false;
        return dossier_ = runtime + QStringLiteral("/tarvex");
    }
    // The run's PID in the name tells a later run whether this one is still alive.
    for (const QString& base : basesTemporaires()) {
        if (!repertoireUtilisable(base)) continue;
        QByteArray modele =
            QFile::encodeName(base + QStringLiteral("/tarvex-%1-XXXXXX").arg(::getpid()));
        if (::mkdtemp(modele.data()) == nullptr) continue;
        temporaire_ = true;
        return dossier_ = QFile::decodeName(modele);
    }
    return {};
}

QString Manuel::fichier()
{
    const QString d = dossier();
    if (d.isEmpty()) return {};
    const QString chemin = d + QLatin1Char('/') + NomFichier;
    QFile source(Ressource);
    if (QFileInfo(chemin).size() == source.size() && QFileInfo(chemin).isFile()) return chemin;
    QSaveFile cible(chemin);
    if (!source.open(QIODevice::ReadOnly) || !cible.open(QIODevice::WriteOnly)) return {};
    cible.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    cible.write(source.readAll());
    return cible.commit() ? chemin : QString();
}

void Manuel::ouvrir()
{
    const std::int64_t maintenant = horloge_();
    if (derniere_ && maintenant - *derniere_ < 2000) return;
    derniere_ = maintenant;
    const QString chemin = fichier();
    if (chemin.isEmpty() || !ouvreur_(chemin)) signalerEchec(chemin);
}

// xdg-open, when the desktop knows an application for PDF files; a busy cursor until the
// viewer's window takes the focus, xdg-open fails, or five seconds have gone.
bool Manuel::lancerVisionneuse(const QString& chemin)
{
    if (!applicationPdfConnue()) return false;
    auto* p = new QProcess(this);
    QObject::connect(p, &QProcess::finished, this, [this, p, chemin](int code) {
        if (code != 0) finAttente(), signalerEchec(chemin);
        p->deleteLater();
    });
    p->start(QStringLiteral("xdg-open"), {chemin});
    if (!p->waitForStarted()) {
        p->deleteLater();
        return false;
    }
    if (!attente_) QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    attente_ = true;
    QTimer::singleShot(5000, this, [this] { finAttente(); });
    return true;
}

void Manuel::finAttente()
{
    if (attente_) QGuiApplication::restoreOverrideCursor();
    attente_ = false;
}

void Manuel::signalerEchec(const QString& chemin)
{
    const QString texte =
        chemin.isEmpty()
            ? QStringLiteral("Le manuel d'utilisation n'a pas pu être écrit : aucun dossier "
                             "temporaire n'est accessible en écriture.")
            : QStringLiteral("Le manuel d'utilisation n'a pas pu être ouvert : aucun lecteur "
                             "de PDF n'a pu être lancé.\n\nLe manuel se trouve ici :\n%1")
                  .arg(chemin);
    auto* boite = new QMessageBox(QMessageBox::Warning, QStringLiteral(TARVEX_TITRE), texte,
                                  QMessageBox::Ok, fenetre_);
    boite->setPalette(paletteClaire());
    boite->setTextInteractionFlags(Qt::TextSelectableByMouse);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

} // namespace tarvex
