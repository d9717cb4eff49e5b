// What scenario files cannot check: that the runner reports faults, that numbers survive
// tarvex-replay's writer and the runner's reader exactly under a decimal-comma locale, and
// tarvex-replay's refusals and failures.
#include "EtatJson.h"

#include <QProcess>

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

// The script as a file argument, without a dump line: one JSON line after its last event.
// A refused script prints nothing and says why in one line: the first bad line, any byte
// that is not printable UTF-8 as \xNN, a name cut after 80 characters.
TEST(Replay, RefusedScriptsGiveStatus2AndTheFirstBadLine)
{
    std::string nom = "\x1B[1m\xFF", e74;
    nom += '\0';
    for (int i = 0; i < 74; ++i) e74 += "é";
    const std::string cle =
        "line 1: bad key \"12\": expected one character, Return, Escape, Backspace, "
        "Tab, Space or U+XXXX";
    // clang-format off
    const std::pair<std::string, std::string> lignes[] = {
        {"Key Return", "line 1: unknown command \"Key\""},
        {"click cmdChiffre(10)", "line 1: unknown control \"cmdChiffre(10)\""},
        {"dblclick cmdEnter", "line 1: control \"cmdEnter\" takes no double click (only OLE1 has one)"},
        {"dump\nclick Label5\npress 4", "line 2: control \"Label5\" takes no click"},
        {"undo twice", "line 1: undo takes no argument"},
        {"key 12", cle}, {"key U+D800", std::string(cle).replace(17, 2, "U+D800")},
        {"type", "line 1: type needs a text to type"}, {"type \xC3", "line 1: the text is not valid UTF-8"},
        {"type 1\rkey 2\r", "line 1: carriage return inside the line (lines end with LF or CR LF)"},
        {"dump\r\n# \r", "line 2: carriage return inside the line (lines end with LF or CR LF)"},
        {"click " + nom + e74 + "éé", "line 1: unknown control \"\\x1B[1m\\xFF\\x00" + e74 + "…\""},
    };
    // clang-format on
    for (const auto& [script, erreur] : lignes) {
        const auto [code, out, err] = lancer(TARVEX_REPLAY, {}, script);
        EXPECT_TRUE(code == 2 && out.empty() && err == erreur + "\n") << code << out << err;
    }
}

// The output lost, a file that cannot be read, memory exhausted: one line on standard error,
// status 3 or 2. A script file without a dump line: one JSON line after its last event.
TEST(Replay, FailuresGiveOneLineAndAScriptFileItsState)
{
    // clang-format off
    const std::tuple<QString, int, std::string> lignes[] = {
        {"printf 'type 1\\n' | $R >/dev/full", 3, "tarvex-replay: cannot write the output: No space left on device"},
        {"exec >&- && printf 'type 1\\n' | $R", 3, "tarvex-replay: cannot write the output: Bad file descriptor"},
        {"head -c 40000000 /dev/zero | tr '\\0' '#' | (ulimit -v 50000 && $R)", 3, "tarvex-replay: out of memory"},
        {"$R </dev/zero", 2, "line 1: unknown command \"\\x00"}, // at once
        {"$R /nonexistent/script", 2, "tarvex-replay: cannot read \"/nonexistent/script\": No such file or directory"},
        {"$R /", 2, "tarvex-replay: cannot read \"/\": Is a directory"},
        {"$R a b", 2, "usage: tarvex-replay [--journal] [SCRIPT]"},
        {"printf 'type 6\\nkey Return\\n' | $R /dev/stdin", 0, ""},
    };
    // clang-format on
    for (const auto& [commande, statut, erreur] : lignes) {
        const auto [code, out, err] =
            lancer("/bin/sh", {"-c", QStringLiteral("R=" TARVEX_REPLAY "; ") + commande});
        EXPECT_TRUE(code == statut && std::ranges::count(err, '\n') == (statut != 0) &&
                    err.starts_with(erreur) &&
                    (statut != 0 ? out.empty() : out.find("\"Pile\":[0,0,0,0,6]") != out.npos))
            << commande.toStdString() << ": " << code << out << err;
    }
}

} // namespace
