// Tarvex: the calculator in its window.
#include <QApplication>

#include "ui/Affichage.h"

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvex"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.tarvex"));
    tarvex::Affichage fenetre;
    fenetre.show();
    return QApplication::exec();
}
