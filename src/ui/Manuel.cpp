#include "ui/Manuel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QSaveFile>
#include <QSocketNotifier>
#include <QThread>
#include <QWidget>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "ui/Apparence.h"

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

} // namespace

Manuel::Manuel(QWidget* fenetre) : QObject(fenetre), fenetre_(fenetre)
{
    installerSignaux();
    vivants().push_back(this);
    ouvreur_ = [this](const QString& chemin) { return lancerVisionneuse(chemin); };
    horloge_ = [] {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    };
}

Manuel::~Manuel()
{
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
    for (const QString& base :
         {qEnvironmentVariable("TMPDIR"), QStringLiteral("/tmp"), QStringLiteral("/var/tmp")}) {
        if (!repertoireUtilisable(base)) continue;
        QByteArray modele = QFile::encodeName(base + QStringLiteral("/tarvex-XXXXXX"));
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

bool Manuel::lancerVisionneuse(const QString& chemin)
{
    auto* p = new QProcess(this);
    QObject::connect(p, &QProcess::finished, this, [this, p, chemin](int code) {
        if (code != 0) signalerEchec(chemin);
        p->deleteLater();
    });
    p->start(QStringLiteral("xdg-open"), {chemin});
    if (p->waitForStarted()) return true;
    p->deleteLater();
    return false;
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
    auto* boite = new QMessageBox(QMessageBox::Warning, QStringLiteral("Tarvex V2.0"), texte,
                                  QMessageBox::Ok, fenetre_);
    boite->setPalette(paletteClaire());
    boite->setTextInteractionFlags(Qt::TextSelectableByMouse);
    boite->setAttribute(Qt::WA_DeleteOnClose);
    boite->open();
}

} // namespace tarvex
