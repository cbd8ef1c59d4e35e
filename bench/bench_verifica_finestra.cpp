// Time of one press of "Verifica" in a joint window, offscreen: the input check, the registration
// of the joint and its members with the engine, the verification and the whole report.
#include "app/ModuloCapreo.h"
#include "app/frmNodi.h"
#include "materials/modLignar2_Gen.h"
#include "platform/component/Component.h"
#include "platform/ui/Application.h"
#include "platform/ui/Ui.h"

#include "ScriptedUi.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextEdit>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cmath>
#include <memory>

namespace {

// One member as the user types it: material number, base, height, angle, axial force.
struct Asta {
    const char *materiale, *B, *H, *angolo, *N;
};

struct Giunto {
    frmNodi::Tipo tipo;
    const char* mis[4];
    const char *reazione, *appoggio;
    Asta aste[3];
};

const Giunto kGiunti[4] = {
    {frmNodi::Tipo::CatenaPuntone, {"4", "30", nullptr, nullptr}, "40", "20",
     {{"1", "20", "24", nullptr, nullptr}, {"2", "16", "20", "30", "-60"}}},
    {frmNodi::Tipo::PuntoneSaetta, {"3", nullptr, nullptr, nullptr}, nullptr, nullptr,
     {{"2", "16", "20", "30", nullptr}, {"1", "16", "20", nullptr, nullptr}, {"2", "14", "16", "45", "-20"}}},
    {frmNodi::Tipo::MonacoPuntoni, {"3", "20", "3", "20"}, nullptr, nullptr,
     {{"2", "16", "20", "30", "-30"}, {"1", "16", "30", nullptr, nullptr}, {"2", "14", "18", "35", "-25"}}},
    {frmNodi::Tipo::MonacoSaette, {"3", "20", "3", "20"}, nullptr, nullptr,
     {{"2", "16", "20", "30", "-30"}, {"1", "16", "30", nullptr, nullptr}, {"2", "14", "18", "35", "-25"}}},
};

void Scrivi(QLineEdit* box, const char* testo) {
    if (testo) box->setText(QString::fromLatin1(testo));
}

void BM_Verifica(benchmark::State& state) {
    const Giunto& g = kGiunti[state.range(0)];
    std::string tipo = frmNodi::TestoDi(g.tipo).toStdString();
    GenVerNodi->CreaNodo(tipo);
    Integer n = static_cast<Integer>(GenVerNodi->Nodi()->Count());
    auto w = std::make_unique<frmNodi>();
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    w->resize(1400, 900);
    w->show();
    FormNodo = w.get();
    MostraNodo(n);
    for (int k = 1; k <= 4; ++k) Scrivi(w->txtMis[k], g.mis[k - 1]);
    Scrivi(w->txtReaz, g.reazione);
    Scrivi(w->txtLapp, g.appoggio);
    const int nAste = g.tipo == frmNodi::Tipo::CatenaPuntone ? 2 : 3;
    for (int i = 1; i <= nAste; ++i) {
        const Asta& a = g.aste[i - 1];
        w->SSTab2->setCurrentIndex(i - 1);
        w->txtMatAsta->setText(QString());
        Scrivi(w->txtMatAsta, a.materiale);
        Scrivi(w->txtBAsta[i], a.B);
        Scrivi(w->txtHAsta[i], a.H);
        Scrivi(w->txtAngAsta[i], a.angolo);
        Scrivi(w->txtNAsta[i], a.N);
    }

    testing_support::ScriptedUi ui; // no box may block; the first run registers, later ones update
    for (auto _ : state) {
        w->Command8->setEnabled(true);
        w->Command8->click();
        benchmark::DoNotOptimize(w->RichTextBox1->document());
    }
    if (!ui.msgBoxes().empty() || w->Command8->isEnabled())
        state.SkipWithError(("the run did not succeed: " + (ui.msgBoxes().empty() ? QString() : ui.msgBoxes()[0].prompt))
                                .toStdString()
                                .c_str());
    FormNodo.clear();
}

BENCHMARK(BM_Verifica)->DenseRange(0, 3)->ArgName("tipo")->Unit(benchmark::kMillisecond);

// A materials database of two records in a folder of its own, opened as the program opens it.
bool ApriMateriali(const QTemporaryDir& cartella) {
    const QString percorso = cartella.path() + QStringLiteral("/MaterialiQor.dms");
    sqlite3* db = nullptr;
    if (sqlite3_open(percorso.toUtf8().constData(), &db) != SQLITE_OK) return false;
    const int rc = sqlite3_exec(
        db,
        "CREATE TABLE Legno (Numero INTEGER, Classe TEXT, Descrizione TEXT, Fmk REAL, Ft0k REAL, Ft90k REAL,"
        " Fc0k REAL, Fc90k REAL, Fvk REAL, E0mean REAL, E05 REAL, E90mean REAL, Gmean REAL, rok REAL);"
        "INSERT INTO Legno VALUES (1, 'GL28h', 'Lamellare GL28h', 28, 22.3, 0.5, 28, 2.5, 3.5, 12600, 10500, 300,"
        " 650, 425);"
        "INSERT INTO Legno VALUES (2, 'C24', 'Abete C24', 24, 14.5, 0.4, 21, 2.5, 4, 11000, 7400, 370, 690, 350);",
        nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_OK) return false;
    PercorsoDbMateriali = percorso;
    ApriDatabaseMateriali();
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir cartella;
    // The engine's class registration goes to a settings folder of the run's own.
    qputenv("XDG_CONFIG_HOME", (cartella.path() + QStringLiteral("/config")).toLocal8Bit());
    ui::Applicazione app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (!ApriMateriali(cartella)) return 1;
    PiGrecoSingolo = static_cast<Single>(std::atan(1.0) * 4);
    CreaOggettiCalcolo();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    DistruggiOggettiCalcolo();
    ChiudiDatabaseMateriali();
    return 0;
}
