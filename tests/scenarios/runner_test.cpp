// What scenario files cannot check: that the runner reports faults, that numbers survive
// tarvex-replay's writer and the runner's reader exactly under a decimal-comma locale, and
// tarvex-replay's answer to a script file it cannot read.
#include "EtatJson.h"

#include <QJsonArray>
#include <QProcess>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <bit>
#include <clocale>
#include <cmath>
#include <fstream>
#include <random>
#include <tuple>

namespace {

using namespace tarvex::replay;

// Exit status, standard output and standard error of a run in runner/.
std::tuple<int, std::string, std::string> lancer(const char* programme,
                                                 const QStringList& arguments)
{
    QProcess p;
    p.setWorkingDirectory(QStringLiteral(TARVEX_RUNNER_DIR));
    p.start(QString::fromUtf8(programme), arguments);
    EXPECT_TRUE(p.waitForFinished(60'000)) << programme;
    return {p.exitCode(), p.readAllStandardOutput().toStdString(),
            p.readAllStandardError().toStdString()};
}

// The files in runner/faux/ are wrong on purpose, and xx_XX is no locale: attendu.txt is
// all the runner must say about them.
TEST(Runner, ReportsEveryFaultWithFileLinePathAndBothValuesAndAMissingLocale)
{
    std::string sorties;
    for (const QStringList& arguments :
         {QStringList{"--locale", "C", "faux/mesures.scn", "faux/erreurs.scn", "faux/sans_dump.scn",
                      "faux/refus.scn", "faux/juste.scn"},
          QStringList{"--locale", "xx_XX.UTF-8", "faux/juste.scn"},
          QStringList{"--locale", "xx_XX.UTF-8", "--comma", "faux/juste.scn"}}) {
        const auto [code, out, err] = lancer(TARVEX_SCENARIO, arguments);
        EXPECT_EQ(code, 1) << out;
        sorties += out;
    }
    std::ifstream attendu(TARVEX_RUNNER_DIR "/faux/attendu.txt");
    EXPECT_EQ(sorties, std::string(std::istreambuf_iterator<char>(attendu), {}));
}

// Non-finite values are strings; the others must read back bit for bit.
TEST(Replay, EveryDoubleReadsBackExactlyUnderADecimalCommaLocale)
{
    ASSERT_TRUE(std::setlocale(LC_ALL, "fr_FR.UTF-8"));
    std::vector<double> valeurs{-0.0, 0.0, 0.1, 5e-324, 1.7976931348623157e308, 1e21, 0x1p63};
    for (std::mt19937_64 hasard(20240611); valeurs.size() < 20000;) {
        const std::uint64_t bits = hasard();
        if (std::isfinite(std::bit_cast<double>(bits)))
            valeurs.push_back(std::bit_cast<double>(bits));
        valeurs.push_back(static_cast<double>(static_cast<std::int64_t>(bits) >> (bits % 64)));
    }
    QJsonArray a{nombreJson(-HUGE_VAL), nombreJson(NAN)};
    for (const double v : valeurs) a.append(nombreJson(v));
    const auto relu =
        nlohmann::json::parse(ecrireJson(QJsonObject{{"a", a}}).toStdString()).at("a");
    std::setlocale(LC_ALL, "C");
    EXPECT_TRUE(relu.at(0) == "-Infinity" && relu.at(1) == "NaN") << relu.at(0) << relu.at(1);
    for (std::size_t k = 0; k < valeurs.size(); ++k)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(relu.at(k + 2).get<double>()),
                  std::bit_cast<std::uint64_t>(valeurs[k]))
            << valeurs[k];
}

TEST(Replay, AScriptFileItCannotReadGivesStatus2AndOneLine)
{
    for (const QStringList& arguments :
         {QStringList{"/nonexistent/script"}, QStringList{"/"}, QStringList{"a", "b"}}) {
        const auto [code, out, err] = lancer(TARVEX_REPLAY, arguments);
        EXPECT_TRUE(code == 2 && out.empty() && std::ranges::count(err, '\n') == 1 &&
                    err.ends_with('\n'))
            << code << out << err;
    }
}

} // namespace
