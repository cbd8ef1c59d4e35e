// The materials list on a working database of 10,000 materials: opening it until the grid is shown,
// one keystroke in its filter, short or long, and one "Registra Modifica" of a card. Runs on the
// offscreen platform with settings of its own.
#include "materials/Finestre.h"
#include "materials/FrmListaLegno.h"
#include "materials/ModLignar2_Legno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/ui/Application.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Ui.h"

#include "ScriptedUi.h"

#include <QLineEdit>
#include <QPushButton>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <string>

namespace {

constexpr int kMateriali = 10000;

// Descriptions of the kinds a real archive holds, so that a filter keeps a realistic share.
bool creaDatabase(const QString& path) {
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK) return false;
    std::string sql =
        "CREATE TABLE Legno (Numero INTEGER, Classe TEXT, Descrizione TEXT, Fmk REAL, Ft0k REAL, Ft90k REAL,"
        " Fc0k REAL, Fc90k REAL, Fvk REAL, E0mean REAL, E05 REAL, E90mean REAL, Gmean REAL, rok REAL);"
        "BEGIN;";
    const char* famiglie[] = {"Conifera C", "Latifoglia D", "Lamellare omogeneo GL", "Lamellare combinato GL",
                              "Abete del Trentino S", "Larice ", "Castagno ", "Rovere "};
    // SQL wants a point whatever the desktop's language: QString::number writes one.
    const auto n = [](double x) { return QString::number(x).toStdString(); };
    for (int i = 1; i <= kMateriali; ++i) {
        const int f = i % 8;
        sql += "INSERT INTO Legno VALUES (" + n(i) + ", 'K" + n(i % 50) + "', '" + famiglie[f] + n(i) + "', " +
               n(14 + i % 40) + ", " + n(7.2 + i % 30) + ", 0.4, " + n(16 + i % 20) + ", 2.5, 4, " +
               n(7000 + i % 9000) + ", " + n(4700 + i % 6000) + ", 370, 690, " + n(290 + i % 300) + ");";
    }
    sql += "COMMIT;";
    const bool ok = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

void chiudiLista() {
    if (FrmListaLegno* l = materials::ListaLegnoAperta()) l->Cornice()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_AperturaLista(benchmark::State& state) {
    for (auto _ : state) {
        materials::MostraListaLegno();
        FrmListaLegno* l = materials::ListaLegnoAperta();
        l->DataGrid1->viewport()->repaint();
        benchmark::DoNotOptimize(l->DataGrid1->RowCount());
        state.PauseTiming();
        if (l->DataGrid1->RowCount() != kMateriali) state.SkipWithError("the list does not show every material");
        chiudiLista();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AperturaLista)->Unit(benchmark::kMillisecond);

// One keystroke at the end of the filter text: after "La" (the laminated timbers), and after a
// pasted text of 999 characters that begins like them.
void BM_TastoNelFiltro(benchmark::State& state, const QString& prima) {
    materials::MostraListaLegno();
    FrmListaLegno* l = materials::ListaLegnoAperta();
    l->Text3->setText(prima);
    for (auto _ : state) {
        l->Text3->insert(QStringLiteral("m"));
        l->DataGrid1->viewport()->repaint();
        benchmark::DoNotOptimize(l->DataGrid1->RowCount());
        state.PauseTiming();
        l->Text3->backspace();
        state.ResumeTiming();
    }
    chiudiLista();
}
BENCHMARK_CAPTURE(BM_TastoNelFiltro, corto, QStringLiteral("La"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_TastoNelFiltro, lungo, QStringLiteral("Lamellare omogeneo GL24h ").repeated(40).left(999))
    ->Unit(benchmark::kMillisecond);

// One press of "Registra Modifica" on a card of a material in the middle of the archive: the input
// check, the look-up of the number, and the save. Each save changes the value, so each one writes.
void BM_RegistraModifica(benchmark::State& state) {
    testing_support::ScriptedUi ui; // a failed save shows its box here instead of blocking
    int volta = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QString modo = QStringLiteral("Modifica"), numero = QStringLiteral("5000");
        SchedaLegnoCorrente = nullptr;
        ApriSchedaLegno(modo, numero);
        QPointer<SchedaLegno> scheda = SchedaLegnoCorrente;
        if (!scheda) {
            state.SkipWithError("no card opened");
            break;
        }
        scheda->Text1[2]->setText(QString::number(20 + volta++ % 2));
        state.ResumeTiming();
        scheda->Command1->click();
        state.PauseTiming();
        // No event loop runs here: what the card posted is delivered now, or it piles up.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!ui.msgBoxes().empty() || (scheda && scheda->isVisible())) {
            state.SkipWithError("the save failed");
            break;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RegistraModifica)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir casa;
    qputenv("XDG_CONFIG_HOME", (casa.path() + "/config").toLocal8Bit());
    ui::Applicazione app(argc, argv);
    ui::SetAppTitle(QStringLiteral("Tecnavo"));
    if (!creaDatabase(casa.filePath("MaterialiQor.dms"))) return 1;
    PercorsoDbMateriali = casa.filePath("MaterialiQor.dms");
    ApriDatabaseMateriali();
    if (!CnMateriali) return 1;

    QMdiArea mdi;
    mdi.resize(1600, 1000);
    mdi.show();
    materials::ImpostaAreaFinestre(&mdi);

    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    chiudiLista();
    materials::ImpostaAreaFinestre(nullptr);
    ChiudiDatabaseMateriali();
    return 0;
}
