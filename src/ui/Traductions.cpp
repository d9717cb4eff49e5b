#include "Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tarvex {

bool installerTraductionsQt(QCoreApplication& application)
{
    auto* traducteur = new QTranslator(&application);
    if (!traducteur->load(QStringLiteral("qtbase_fr"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traducteur;
        return false;
    }
    QCoreApplication::installTranslator(traducteur);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    return true;
}

} // namespace tarvex
