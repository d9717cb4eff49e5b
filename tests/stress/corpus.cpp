// Runs the fuzz target on every file named, or found in the folders named (the seed corpus),
// without libFuzzer: the CTest test fuzz-corpus, under the sanitizers.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* donnees, std::size_t taille);

int main(int argc, char** argv)
{
    namespace fs = std::filesystem;
    long fichiers = 0;
    const auto essayer = [&](const fs::path& chemin) {
        std::ifstream f(chemin, std::ios::binary);
        const std::string texte{std::istreambuf_iterator<char>(f), {}};
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(texte.data()), texte.size());
        ++fichiers;
    };
    for (int i = 1; i < argc; ++i) {
        if (!fs::is_directory(argv[i])) {
            essayer(argv[i]);
            continue;
        }
        for (const auto& entree : fs::recursive_directory_iterator(argv[i]))
            if (entree.is_regular_file()) essayer(entree.path());
    }
    std::printf("fuzz-corpus: %ld inputs\n", fichiers);
    return fichiers > 0 ? 0 : 1;
}
