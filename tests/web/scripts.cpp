// tarvex-scripts CORPUS FOLDER N LINES: N random scripts of the stress test's generator
// (Generateur.h), of about LINES lines each, written as FOLDER/1.replay to N.replay (the seeds
// 1 to N): the scripts both drivers play in the test web/aleatoire.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "Generateur.h"

int main(int argc, char** argv)
{
    if (argc != 5) return std::fputs("usage: tarvex-scripts CORPUS FOLDER N LINES\n", stderr), 2;
    tarvex::Generateur generateur(argv[1]);
    if (generateur.vide()) return std::fputs("tarvex-scripts: an empty corpus\n", stderr), 1;
    const std::filesystem::path dossier = argv[2];
    std::filesystem::create_directories(dossier);
    for (long graine = 1; graine <= std::atol(argv[3]); ++graine)
        std::ofstream(dossier / (std::to_string(graine) + ".replay"), std::ios::binary)
            << generateur.script(graine, std::atol(argv[4]));
    return 0;
}
