// Tarvex: the calculator in its window.
//
// The command line carries no input for the calculator: it answers --help and --version
// (without opening a display), accepts Qt's own options (-platform, -style, -session from a
// session manager...) and refuses anything else with the usage and status 2. Without a
// usable display the program says so in one line and exits with status 1.
#include <QApplication>
#include <QByteArray>
#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIcon>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "Affichage.h"
#include "Apparence.h"
#include "Traductions.h"
#include "core/Version.h"

namespace {

constexpr int kSortieSansAffichage = 1;
constexpr int kSortieUsage = 2;

void ecrire(std::FILE* flux, const QString& texte)
{
    std::fputs(texte.toUtf8().constData(), flux);
    std::fflush(flux);
}

// A line of the program on standard error: "tarvex : <texte>".
void signaler(const QString& texte)
{
    std::fprintf(stderr, "tarvex : %s\n", texte.toUtf8().constData());
    std::fflush(stderr);
}

QString aide()
{
    return QStringLiteral(
        "Utilisation : tarvex [options]\n"
        "\n"
        "Tarvex " TARVEX_VERSION
        " : calculatrice scientifique en notation polonaise inverse (RPN).\n"
        "Le calcul se fait dans la fenêtre, à la souris ou au clavier : la ligne de\n"
        "commande ne prend aucun nombre. F1 ouvre le manuel d'utilisation.\n"
        "\n"
        "Options :\n"
        "  -h, --help     Affiche cette aide et quitte.\n"
        "  -v, --version  Affiche la version et quitte.\n"
        "\n"
        "Les options standard de Qt (-platform, -style, -session...) sont acceptées.\n");
}

// Qt's own command-line options, which QApplication takes out of argv itself: they are
// known here only so that they are not refused as unknown.
// clang-format off
constexpr const char* kOptionsQtAvecValeur[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qmljsdebugger",
    "qwindowgeometry", "geometry", "qwindowtitle", "title", "qwindowicon", "icon",
    "session", "display", "name", "style", "stylesheet",
};
constexpr const char* kOptionsQtSansValeur[] = {
    "reverse", "widgetcount", "testability", "nograb", "dograb", "sync",
};
// clang-format on

// The argument in which the parser found the option `nom`, as the user typed it ("--nom").
QString telleQueTapee(const QStringList& arguments, const QString& nom)
{
    for (const QString& argument : arguments.mid(1)) {
        QString sansTirets = argument.section(QLatin1Char('='), 0, 0);
        while (sansTirets.startsWith(QLatin1Char('-'))) sansTirets.remove(0, 1);
        if (argument.startsWith(QLatin1Char('-')) && sansTirets == nom) return argument;
    }
    return nom;
}

// Reads the command line before any display is opened. Returns the status to exit with,
// or -1 when the window is to be shown.
int lireLigneDeCommande(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

    QCommandLineParser lecteur;
    // "-platform" is one option, not "-p -l -a ...", as Qt reads it.
    lecteur.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption optionAide(
        {QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")},
        QStringLiteral("Affiche cette aide et quitte."));
    const QCommandLineOption optionVersion({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version et quitte."));
    lecteur.addOption(optionAide);
    lecteur.addOption(optionVersion);
    for (const char* nom : kOptionsQtAvecValeur) {
        QCommandLineOption option(QString::fromLatin1(nom), QString(), QStringLiteral("valeur"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        lecteur.addOption(option);
    }
    for (const char* nom : kOptionsQtSansValeur) {
        QCommandLineOption option(QString::fromLatin1(nom));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        lecteur.addOption(option);
    }

    QString erreur;
    if (!lecteur.parse(arguments)) {
        const QStringList inconnues = lecteur.unknownOptionNames();
        erreur = inconnues.isEmpty()
                     ? QStringLiteral("ligne de commande incorrecte (%1)").arg(lecteur.errorText())
                     : QStringLiteral("option inconnue « %1 »")
                           .arg(telleQueTapee(arguments, inconnues.first()));
    } else if (!lecteur.positionalArguments().isEmpty()) {
        erreur = QStringLiteral("argument inattendu « %1 » : la calculatrice ne lit rien sur "
                                "la ligne de commande")
                     .arg(lecteur.positionalArguments().first());
    }
    if (!erreur.isEmpty()) {
        signaler(erreur);
        ecrire(stderr, QStringLiteral("\n") + aide());
        return kSortieUsage;
    }
    if (lecteur.isSet(optionAide)) {
        ecrire(stdout, aide());
        return EXIT_SUCCESS;
    }
    if (lecteur.isSet(optionVersion)) {
        ecrire(stdout, QStringLiteral("tarvex " TARVEX_VERSION "\n"));
        return EXIT_SUCCESS;
    }
    return -1;
}

// While QApplication connects to the display, Qt's messages are held back. When the
// connection fails, Qt ends with a fatal message (after warnings that say the same in its
// own words, and a suggestion to reinstall): the program prints one line of its own instead
// and exits with status 1. When it succeeds, the held messages go out as usual.
struct MessageRetenu {
    QtMsgType type;
    QByteArray categorie;
    QString texte;
};
std::mutex verrouRetenus;
std::vector<MessageRetenu> retenus;

bool retenu(QLatin1String texte)
{
    const std::lock_guard<std::mutex> garde(verrouRetenus);
    for (const MessageRetenu& message : retenus)
        if (message.texte.contains(texte)) return true;
    return false;
}

QString ligneSansAffichage()
{
    const QString plateforme = qEnvironmentVariable("QT_QPA_PLATFORM");
    const QString affichage = qEnvironmentVariable("DISPLAY");
    const QString wayland = qEnvironmentVariable("WAYLAND_DISPLAY");
    const bool x11 = plateforme.isEmpty() || plateforme.startsWith(QLatin1String("xcb"));
    const bool enWayland = plateforme.isEmpty() || plateforme.startsWith(QLatin1String("wayland"));
    if (!x11 && !enWayland)
        return QStringLiteral("la plateforme graphique « %1 » (QT_QPA_PLATFORM) n'a pas pu "
                              "démarrer.")
            .arg(plateforme);
    // Qt tries Wayland first where WAYLAND_DISPLAY is set, then X11 where DISPLAY is.
    if (affichage.isEmpty() && wayland.isEmpty())
        return QStringLiteral("aucun affichage graphique, ni X11 ni Wayland (DISPLAY et "
                              "WAYLAND_DISPLAY ne sont pas définis) ; lancez la calculatrice "
                              "depuis une session graphique.");
    if (affichage.isEmpty() || !x11) {
        // Qt's own default when only QT_QPA_PLATFORM names Wayland.
        const QString nom = wayland.isEmpty() ? QStringLiteral("wayland-0") : wayland;
        if (retenu(QLatin1String("Could not find the Qt platform plugin \"wayland\"")))
            return QStringLiteral("la session Wayland « %1 » demande le module Wayland de Qt, "
                                  "qui n'est pas installé (paquet qt6-wayland)%2.")
                .arg(nom, affichage.isEmpty()
                              ? QStringLiteral(", et aucun affichage X11 (DISPLAY) n'est défini")
                              : QString());
        return QStringLiteral("l'affichage Wayland « %1 » refuse la connexion ; lancez la "
                              "calculatrice depuis une session graphique.")
            .arg(nom);
    }
    if (retenu(QLatin1String("could not connect")))
        return QStringLiteral("l'affichage « %1 » refuse la connexion ; lancez la calculatrice "
                              "depuis une session graphique.")
            .arg(affichage);
    return QStringLiteral("la fenêtre ne peut pas s'ouvrir sur l'affichage « %1 » : le module "
                          "X11 de Qt n'a pas pu démarrer.")
        .arg(affichage);
}

void pendantLaConnexion(QtMsgType type, const QMessageLogContext& contexte, const QString& texte)
{
    if (type == QtFatalMsg) {
        signaler(ligneSansAffichage());
        std::_Exit(kSortieSansAffichage);
    }
    const std::lock_guard<std::mutex> garde(verrouRetenus);
    retenus.push_back({type, QByteArray(contexte.category), texte});
}

void libererMessages(QtMessageHandler precedent)
{
    qInstallMessageHandler(precedent);
    std::vector<MessageRetenu> messages;
    {
        const std::lock_guard<std::mutex> garde(verrouRetenus);
        messages.swap(retenus);
    }
    for (const MessageRetenu& message : messages) {
        const QMessageLogContext contexte(nullptr, 0, nullptr, message.categorie.constData());
        qt_message_output(message.type, contexte, message.texte);
    }
}

QIcon iconeDeFenetre()
{
    QIcon icone;
    for (const int taille : {16, 32, 48, 64, 128})
        icone.addFile(QStringLiteral(":/icone/%1x%1/org.example.tarvex.png").arg(taille),
                      QSize(taille, taille));
    return icone;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("Tarvex"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARVEX_VERSION));
    if (const int sortie = lireLigneDeCommande(argc, argv); sortie >= 0) return sortie;

    const QtMessageHandler precedent = qInstallMessageHandler(pendantLaConnexion);
    QApplication application(argc, argv);
    libererMessages(precedent);

    tarvex::installerTraductionsQt(application);
    QApplication::setFont(tarvex::policeDesDialogues(QApplication::font()));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarvex"));
    QApplication::setWindowIcon(iconeDeFenetre());
    tarvex::Affichage fenetre;
    fenetre.show();
    return QApplication::exec();
}
