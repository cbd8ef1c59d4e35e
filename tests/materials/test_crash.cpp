// A running program killed at any moment while it saves material cards: the file stays sound and
// every save that the card reported as done is there, whole.
#include "Schede.h"

#include "ScriptedUi.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <cstdio>
#include <random>
#include <set>

namespace {

const char* const kSaverDb = "CAPREO_TEST_SAVER_DB";
const char* const kSaverBase = "CAPREO_TEST_SAVER_BASE";
constexpr int kGiri = 900; // numbers a run may use: base .. base + kGiri - 1

// The eleven values of material n, each exact in single precision.
QStringList valoriDi(long long n) {
    QStringList v;
    for (int k = 0; k < 11; ++k) v << basic::CStr(static_cast<double>(n) + 0.25 * k);
    return v;
}

// SQL that holds for a row written whole for number m (an SQL expression) and description d.
std::string intera(const std::string& m, const std::string& d) {
    static const char* const campi[11] = {"Fmk", "Ft0k", "Ft90k", "Fc0k", "Fc90k", "Fvk", "E0mean", "E05", "E90mean", "Gmean", "rok"};
    std::string s = "(Descrizione IS " + d;
    for (int k = 0; k < 11; ++k) s += std::string(" AND ") + campi[k] + " IS " + m + " + " + QString::number(0.25 * k).toStdString();
    return s + ")";
}

} // namespace

// The program that gets killed: saves a new card and changes material 1 on a modify card, over
// and over, and says on its output which saves the card reported as done.
TEST(CardSaverChild, SavesCardsUntilKilled) {
    const QString path = qEnvironmentVariable(kSaverDb);
    if (path.isEmpty()) GTEST_SKIP() << "run only as the program CrashSafety kills";
    testing_support::ScriptedUi ui;
    PercorsoDbMateriali = path;
    ApriDatabaseMateriali();
    ASSERT_TRUE(CnMateriali);
    const long long base = qEnvironmentVariable(kSaverBase).toLongLong();
    std::printf("pronto\n");
    std::fflush(stdout);
    for (long long n = base; n < base + kGiri; ++n) {
        std::shared_ptr<data::Recordset> lista;
        SchedaLegnoNuova(lista);
        QPointer<SchedaLegno> s = SchedaLegnoCorrente;
        schede::compila(*s, basic::CStr(n), "K" + QString::number(n), "Materiale " + QString::number(n), valoriDi(n));
        s->Command1_Click();
        if (!schede::aperta(s) && ui.msgBoxes().empty()) std::printf("nuovo %lld\n", n);
        std::fflush(stdout);

        QString modo = "Modifica", numero = "1";
        ApriSchedaLegno(modo, numero);
        s = SchedaLegnoCorrente;
        schede::compila(*s, "1", "C14", "Modifica " + QString::number(n), valoriDi(n));
        s->Command1_Click();
        if (!schede::aperta(s) && ui.msgBoxes().empty()) std::printf("modifica %lld\n", n);
        std::fflush(stdout);
        for (const auto& box : ui.msgBoxes()) std::printf("fallito %s\n", box.prompt.toUtf8().constData());
        ui.clear();
    }
}

TEST(CrashSafety, EverySaveReportedAsDoneSurvivesAKillAtAnyMoment) {
    QTemporaryDir tmp;
    const QString db = tmp.filePath("MaterialiQor.dms");
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/LignarQOR.DEF", db));
    QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);

    const unsigned seme = std::random_device{}();
    SCOPED_TRACE(::testing::Message() << "seed " << seme);
    std::mt19937 caso(seme);
    std::uniform_int_distribution<int> attesa(0, 300);
    std::set<long long> nuovi;
    long long ultimaModifica = -1;
    int uccisioni = 0;
    QElapsedTimer tempo;
    tempo.start();
    for (long long giro = 1; uccisioni < 40 && tempo.elapsed() < 60000 && giro < 100; ++giro) {
        SCOPED_TRACE(::testing::Message() << "run " << giro);
        const long long base = giro * 1000;
        QProcess figlio;
        auto env = QProcessEnvironment::systemEnvironment();
        env.insert(kSaverDb, db);
        env.insert(kSaverBase, QString::number(base));
        figlio.setProcessEnvironment(env);
        figlio.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=CardSaverChild.SavesCardsUntilKilled"});
        ASSERT_TRUE(figlio.waitForStarted(10000));
        QByteArray uscita;
        while (!uscita.contains("pronto") && figlio.waitForReadyRead(10000)) uscita += figlio.readAllStandardOutput();
        ASSERT_TRUE(uscita.contains("pronto")) << uscita.toStdString();
        if (!figlio.waitForFinished(attesa(caso))) {
            figlio.kill(); // SIGKILL: no handler, no flush, no rollback of its own
            ++uccisioni;
            ASSERT_TRUE(figlio.waitForFinished(10000));
        }
        uscita += figlio.readAllStandardOutput();

        long long riportati = 0;
        const QString testo = QString::fromUtf8(uscita);
        EXPECT_FALSE(testo.contains("fallito")) << testo.toStdString();
        for (const auto& m : QRegularExpression("^nuovo (\\d+)$", QRegularExpression::MultilineOption).globalMatch(testo)) {
            nuovi.insert(m.captured(1).toLongLong());
            ++riportati;
        }
        for (const auto& m : QRegularExpression("^modifica (\\d+)$", QRegularExpression::MultilineOption).globalMatch(testo))
            ultimaModifica = std::max(ultimaModifica, m.captured(1).toLongLong());

        ASSERT_EQ(testdb::integrity(db), "ok");
        // Every row of the run whole; at most one more than reported (stored, killed before it said so).
        const std::string delGiro = "Numero BETWEEN " + std::to_string(base) + " AND " + std::to_string(base + kGiri);
        EXPECT_EQ(schede::conta(db, delGiro + " AND NOT (Classe IS 'K' || Numero AND " +
                                        intera("Numero", "'Materiale ' || Numero") + ")"),
                  "0");
        const long long righe = std::stoll(schede::conta(db, delGiro));
        EXPECT_TRUE(righe == riportati || righe == riportati + 1) << righe << " rows, " << riportati << " reported";
        for (long long n : nuovi) ASSERT_EQ(schede::conta(db, "Numero=" + std::to_string(n)), "1") << n;
        // Material 1 holds one modify save whole, the last reported or a later one.
        if (ultimaModifica >= 0) {
            const std::string m = "CAST(substr(Descrizione, 10) AS INTEGER)";
            EXPECT_EQ(schede::conta(db, "Numero=1 AND Classe IS 'C14' AND " + intera(m, "'Modifica ' || " + m) + " AND " +
                                            m + " >= " + std::to_string(ultimaModifica)),
                      "1")
                << schede::riga(db, 1);
        }
    }
    EXPECT_GE(uccisioni, 30);
    EXPECT_GT(nuovi.size(), 30u) << "the runs saved too little to tell anything";
    EXPECT_EQ(schede::conta(db, "Numero <= 40"), "40") << "the shipped materials are all there";
}
