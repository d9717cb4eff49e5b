// What scenario files cannot check: that the runner reports faults, that numbers survive
// tarvex-replay's writer and the runner's reader exactly under a decimal-comma locale, and
// tarvex-replay's refusals and failures.
#include "EtatJson.h"

#include <QProcess>
#include <QTemporaryFile>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <bit>
#include <clocale>
#include <cmath>
#include <fstream>
#include <tuple>

namespace {

using namespace tarvex::replay;

// Exit status, standard output and standard error of a run in runner/, with `entree` on its
// standard input.
std::tuple<int, std::string, std::string>
lancer(const char* programme, const QStringList& arguments, const std::string& entree = {})
{
    QProcess p;
    p.setWorkingDirectory(QStringLiteral(TARVEX_RUNNER_DIR));
    p.start(QString::fromUtf8(programme), arguments);
    p.write(entree.data(), static_cast<qint64>(entree.size()));
    p.closeWriteChannel();
    EXPECT_TRUE(p.waitForFinished(60'000)) << programme;
    return {p.exitCode(), p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

// The files in runner/faux/ are wrong on purpose, and xx_XX is no locale: attendu.txt is
// all the runner must say about them.
TEST(Runner, ReportsEveryFaultWithItsLineAndPathAndAMissingLocale)
{
    std::string sorties;
    for (const QStringList& arguments :
         {QStringList{"--locale", "C", "faux/mesures.scn", "faux/erreurs.scn", "faux/juste.scn"},
          QStringList{"--locale", "xx_XX.UTF-8", "faux/juste.scn"}}) {
        const auto [code, out, err] = lancer(TARVEX_SCENARIO, arguments);
        EXPECT_EQ(code, 1) << out;
        sorties += out;
    }
    std::ifstream attendu(TARVEX_RUNNER_DIR "/faux/attendu.txt");
    EXPECT_EQ(sorties, std::string(std::istreambuf_iterator<char>(attendu), {}));
}

// Every double reads back bit for bit, in its shortest form, under a decimal-comma locale;
// -0.0 keeps its sign, and the values that are not finite are strings.
TEST(Replay, NumbersReadBackExactlyUnderADecimalCommaLocale)
{
    ASSERT_TRUE(std::setlocale(LC_ALL, "fr_FR.UTF-8"));
    const double valeurs[] = {-0.0, 0.1, 5e-324, 1.7976931348623157e308, 1e21, 0x1p63, -1.0 / 3};
    std::string a = "[";
    for (const double v : valeurs) {
        nombreJson(v, a);
        a += ',';
    }
    nombreJson(-HUGE_VAL, a);
    nombreJson(NAN, a += ',');
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(a, "[-0.0,0.1,5e-324,1.7976931348623157e+308,1e+21,9223372036854775808,"
                 "-0.3333333333333333,\"-Infinity\",\"NaN\"");
    const auto relu = nlohmann::json::parse(a + ']');
    for (std::size_t k = 0; k < std::size(valeurs); ++k)
        EXPECT_EQ(std::bit_cast<std::uint64_t>(relu.at(k).get<double>()),
                  std::bit_cast<std::uint64_t>(valeurs[k]))
            << valeurs[k];
}

// A refused script prints nothing and says why in one line: the first bad line, refused at its
// first byte that can lead to no valid line; bytes that are not UTF-8 and control characters
// as \xNN, invisible and format characters as \u{XXXX}, a backslash doubled; a name cut after
// 80 characters.
TEST(Replay, RefusedScriptsGiveStatus2AndTheFirstBadLine)
{
    std::string nom = "\x1B[1m\xFF", e66;
    nom += '\0';
    for (int i = 0; i < 66; ++i) e66 += "é";
    const std::string cle =
        "line 1: bad key \"12\": expected one character, Return, Escape, Backspace, "
        "Tab, Space or U+XXXX";
    const std::string cr = "carriage return inside the line (lines end with LF or CR LF)";
    // clang-format off
    const std::pair<std::string, std::string> lignes[] = {
        {"Key Return", "line 1: unknown command \"Key\""},
        {"click cmdChiffre(10)", "line 1: unknown control \"cmdChiffre(10)\""},
        {"dblclick cmdEnter", "line 1: control \"cmdEnter\" takes no double click (only OLE1 has one)"},
        {"dump\nclick Label5 x\npress 4", "line 2: control \"Label5\" takes no click"},
        {"undo twice", "line 1: undo takes no argument"}, {"key Ret", std::string(cle).replace(17, 2, "Ret")},
        {"key 12", cle}, {"key U+D800", std::string(cle).replace(17, 2, "U+D800")},
        {"type", "line 1: type needs a text to type"}, {"type \xC3", "line 1: the text is not valid UTF-8"},
        {"type 1\rkey 2\r", "line 1: " + cr}, {"dump\r\n# \r", "line 2: " + cr}, {"\rdump", "line 1: " + cr},
        {"key Ret\rurn", "line 1: " + cr}, {"type \xFF\r", "line 1: the text is not valid UTF-8"},
        {"click " + nom + "\\x00\u200B\u200F\uFEFF\u061C" + e66 + "éé",
         "line 1: unknown control \"\\x1B[1m\\xFF\\x00\\\\x00\\u{200B}\\u{200F}\\u{FEFF}\\u{061C}" + e66 + "…\""},
    };
    // clang-format on
    for (const auto& [script, erreur] : lignes) {
        const auto [code, out, err] = lancer(TARVEX_REPLAY, {}, script);
        EXPECT_TRUE(code == 2 && out.empty() && err == erreur + "\n") << code << out << err;
    }
}

// The output lost, a file that cannot be read, memory exhausted: one line on standard error,
// status 3 or 2; a line that can only be wrong, or a file's bad first line, refused at once
// however long the line or the file (beyond the memory the run is given), and a file larger
// than that memory run. Status 0: what the output holds, the locale the run uses among it.
TEST(Replay, FailuresGiveOneLineAndAScriptFileItsState)
{
    const QString sansFin = "yes x | tr -d '\\n') | (ulimit -v 100000 && $R)";
    // clang-format off
    const std::tuple<QString, int, std::string> lignes[] = {
        {"printf 'type 1\\n' | $R >/dev/full", 3, "tarvex-replay: cannot write the output: No space left on device"},
        {"exec >&- && printf 'type 1\\n' | $R", 3, "tarvex-replay: cannot write the output: Bad file descriptor"},
        {"head -c 40000000 /dev/zero | tr '\\0' '#' | (ulimit -v 50000 && $R)", 3, "tarvex-replay: out of memory"},
        {"$R </dev/zero", 2, "line 1: unknown command \"\\x00"},
        {"(printf 'click '; " + sansFin, 2, "line 1: unknown control \"xxxxxxxx"},
        {"(printf 'key '; " + sansFin, 2, "line 1: bad key \"xxxxxxxx"},
        {"(printf 'dump\\nundo '; " + sansFin, 2, "line 2: undo takes no argument"},
        {"(printf 'dump '; " + sansFin, 2, "line 1: dump takes no argument"},
        {"f=$(mktemp) && truncate -s 100G $f && printf 'bad\\n' >$f.1 && dd if=$f.1 of=$f conv=notrunc 2>/dev/null;"
         " (ulimit -v 100000 && $R $f); s=$?; rm -f $f $f.1; exit $s", 2, "line 1: unknown command \"bad\""},
        {"f=$(mktemp) && yes \"$(head -c 65535 /dev/zero | tr '\\0' '#')\" | head -c 120000000 >$f;"
         " (ulimit -v 80000 && $R $f); s=$?; rm -f $f; exit $s", 0, "\"Pile\":[0,0,0,0,0]"}, // in pieces
        {"$R /nonexistent/script", 2, "tarvex-replay: cannot read \"/nonexistent/script\": No such file or directory"},
        {"$R /", 2, "tarvex-replay: cannot read \"/\": Is a directory"},
        {"$R a b", 2, "usage: tarvex-replay [--journal] [SCRIPT]"},
        {"printf 'type 6\\nkey Return\\n' | $R /dev/stdin", 0, "\"Pile\":[0,0,0,0,6]"},
        {"printf 'dump\\n' | LC_ALL=fr_FR.UTF-8 $R", 0, "\"localeNumeric\":\"fr_FR.UTF-8\""},
    };
    // clang-format on
    for (const auto& [commande, statut, texte] : lignes) {
        const auto [code, out, err] =
            lancer("/bin/sh", {"-c", QStringLiteral("R=" TARVEX_REPLAY "; ") + commande});
        EXPECT_TRUE(
            code == statut && std::ranges::count(err, '\n') == (statut != 0) &&
            (statut != 0 ? out.empty() && err.starts_with(texte) : out.find(texte) != out.npos))
            << commande.toStdString() << ": " << code << out << err;
    }
}

// Memory running out at any allocation, the first included: status 3 and the one line that
// says so, the output's lines written before it whole; else the run's own result. A script
// from a file, then a bad one from a pipe.
TEST(Replay, MemoryExhaustedAtAnyAllocationIsStatus3)
{
    QTemporaryFile fichier;
    ASSERT_TRUE(fichier.open() &&
                fichier.write("type 3\nkey Return\ndump\ncopy\npaste 1,5\nundo") > 0);
    fichier.close();
    qputenv("LD_PRELOAD", TARVEX_ECHEC_MEMOIRE);
    for (const bool mauvais : {false, true}) {
        const auto lancerSous = [&](long n) {
            qputenv("TARVEX_ECHEC_MEMOIRE", QByteArray::number(qlonglong(n)));
            return mauvais ? lancer(TARVEX_REPLAY, {}, "type 3\nclick Label5")
                           : lancer(TARVEX_REPLAY, {fichier.fileName()});
        };
        const auto attendu = lancerSous(-1);
        ASSERT_EQ(std::get<0>(attendu), mauvais ? 2 : 0) << std::get<2>(attendu);
        long n = 0;
        for (auto r = lancerSous(n); r != attendu && n < 5000; r = lancerSous(++n)) {
            const auto& [statut, sortie, erreur] = r;
            EXPECT_TRUE(statut == 3 && erreur == "tarvex-replay: out of memory\n" &&
                        std::get<1>(attendu).starts_with(sortie) &&
                        (sortie.empty() || sortie.ends_with('\n')))
                << "allocation " << n << ": " << statut << erreur;
        }
        EXPECT_GT(n, 100); // every allocation of the run failed once
    }
    qunsetenv("LD_PRELOAD");
}

} // namespace
