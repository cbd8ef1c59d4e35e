// Time of one verification of a registered joint, and of one member value fetched by name.
#include "Motore.h"

#include <benchmark/benchmark.h>

#include <initializer_list>

using namespace QOR_TRBNS18;

namespace {

// A registry holding one joint with these members and inputs.
struct Banco {
    std::shared_ptr<_clsGenVerNodi> reg = motore::NuovoRegistro();
    Integer n;
    Banco(std::initializer_list<motore::DatiAsta> aste, float tv, float Lv, float R, float La)
        : n(motore::Registra(*reg, aste)) {
        auto nodo = motore::Nodo(*reg, n);
        nodo->tv(tv);
        nodo->Lv(Lv);
        nodo->tvB(tv);
        nodo->LvB(Lv);
        nodo->ReazioneY(R);
        nodo->LunghezzaAppoggio(La);
    }
};

using Dati = motore::DatiAsta;
const Dati kCatena{20, 24, 12.6f, 1.5f, 0, 0};
const Dati kPuntone{16, 20, 0, 0, -60, 30};
const Dati kPuntoneInf{0, 0, 0, 0, 0, 60};
const Dati kPuntoneSup{16, 0, 12.6f, 1.5f, 0, 0};
const Dati kSaetta{14, 16, 0, 0, -20, 45};
const Dati kSinistra{16, 20, 0, 0, -30, 30};
const Dati kMonaco{16, 0, 12.6f, 1.5f, 0, 0};
const Dati kDestra{14, 18, 0, 0, -25, 35};

template <void (_clsGenVerNodi::*Ver)(bool&, Integer&)>
void Verifica(benchmark::State& state, Banco& banco) {
    bool procedi = false;
    for (auto _ : state) {
        (banco.reg.get()->*Ver)(procedi, banco.n);
        benchmark::DoNotOptimize(procedi);
    }
    if (!procedi) state.SkipWithError("verification refused the joint");
}

void BM_VerNodoCPDS(benchmark::State& s) {
    Banco b({kCatena, kPuntone}, 4, 30, 40, 20);
    Verifica<&_clsGenVerNodi::VerNodoCPDS>(s, b);
}
void BM_VerNodoPSDS(benchmark::State& s) {
    Banco b({kPuntoneInf, kPuntoneSup, kSaetta}, 3, 0, 0, 0);
    Verifica<&_clsGenVerNodi::VerNodoPSDS>(s, b);
}
void BM_VerNodoMPMSDS(benchmark::State& s) {
    Banco b({kSinistra, kMonaco, kDestra}, 3, 20, 0, 0);
    Verifica<&_clsGenVerNodi::VerNodoMPMSDS>(s, b);
}
void BM_VerNodoCPDA(benchmark::State& s) {
    Banco b({kCatena, kPuntone}, 4, 30, 40, 20);
    Verifica<&_clsGenVerNodi::VerNodoCPDA>(s, b);
}
void BM_VerNodoPSDA(benchmark::State& s) {
    Banco b({kPuntoneInf, kPuntoneSup, kSaetta}, 3, 0, 0, 0);
    Verifica<&_clsGenVerNodi::VerNodoPSDA>(s, b);
}
void BM_VerNodoMPMSDA(benchmark::State& s) {
    Banco b({kSinistra, kMonaco, kDestra}, 3, 0, 0, 0);
    Verifica<&_clsGenVerNodi::VerNodoMPMSDA>(s, b);
}

// The last property of a member, as the verifications and the report fetch it.
void BM_GetPropertyByName(benchmark::State& state) {
    auto a = motore::Asta(kPuntone);
    for (auto _ : state) {
        float v = component::AsSingle(a->GetProperty("Angolo"));
        benchmark::DoNotOptimize(v);
    }
}

BENCHMARK(BM_VerNodoCPDS);
BENCHMARK(BM_VerNodoPSDS);
BENCHMARK(BM_VerNodoMPMSDS);
BENCHMARK(BM_VerNodoCPDA);
BENCHMARK(BM_VerNodoPSDA);
BENCHMARK(BM_VerNodoMPMSDA);
BENCHMARK(BM_GetPropertyByName);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
