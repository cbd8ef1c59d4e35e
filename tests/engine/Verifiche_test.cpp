// The six verifications, driven by tables: worked examples and edge cases with the results each
// writes, refusals with their messages, and the inputs that end in an error.
#include "Calcolo.h"
#include "Locale.h"
#include "Motore.h"

#include <gtest/gtest.h>
#include "ScriptedUi.h"

#include <cfenv>
#include <cmath>
#include <limits>
#include <set>
#include <vector>

using namespace motore;
using testing_support::Call;
using testing_support::LocaleGuard;
using testing_support::ScriptedUi;

namespace {

using Verifica = void (_clsGenVerNodi::*)(bool&, Integer&);
const Verifica CPDS = &_clsGenVerNodi::VerNodoCPDS;
const Verifica PSDS = &_clsGenVerNodi::VerNodoPSDS;
const Verifica MPMSDS = &_clsGenVerNodi::VerNodoMPMSDS;
const Verifica CPDA = &_clsGenVerNodi::VerNodoCPDA;
const Verifica PSDA = &_clsGenVerNodi::VerNodoPSDA;
const Verifica MPMSDA = &_clsGenVerNodi::VerNodoMPMSDA;

struct Ingressi {
    float tv = 0, Lv = 0, tvB = 0, LvB = 0, ReazioneY = 0, LunghezzaAppoggio = 0;
};

struct Atteso {
    const char* nome;
    double valore;
};

// Every result property of a joint; the inputs are left out.
const char* const kRisultati[] = {"LAppEfficace", "tens1", "tens2", "tens3", "Angolo1", "Angolo2", "fd1",
                                  "fd2", "fd3", "tau", "fvd", "alfa", "beta", "Teta", "F1", "F2", "tens1B",
                                  "tens2B", "tens3B", "Angolo1B", "Angolo2B", "fd1B", "fd2B", "fd3B", "tauB",
                                  "fvdB", "alfaB", "betaB", "TetaB", "F1B", "F2B"};
constexpr float kIntatto = -777.0f;

// The worked examples' members.
const DatiAsta kCatena{.Base = 20, .Altezza = 24, .Res_Fc0d = 12.6f, .Res_Fc90d = 1.5f};
const DatiAsta kPuntone{.Base = 16, .Altezza = 20, .SforzoAssiale = -60, .Angolo = 30};
const Ingressi kNodoCP{.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 20};

const DatiAsta kPuntoneInf60{.Angolo = 60};
const DatiAsta kPuntoneInf30{.Angolo = 30};
const DatiAsta kPuntoneSup{.Base = 16, .Res_Fc0d = 12.6f, .Res_Fc90d = 1.5f};
const DatiAsta kSaetta{.Base = 14, .Altezza = 16, .SforzoAssiale = -20, .Angolo = 45};
const DatiAsta kSaetta100{.Base = 14, .Altezza = 16, .SforzoAssiale = -20, .Angolo = 100};

const DatiAsta kSinistra{.Base = 16, .Altezza = 20, .SforzoAssiale = -30, .Angolo = 30};
const DatiAsta kMonaco{.Base = 16, .Res_Fc0d = 12.6f, .Res_Fc90d = 1.5f};
const DatiAsta kDestra{.Base = 14, .Altezza = 18, .SforzoAssiale = -25, .Angolo = 35};
const Ingressi kNodoMP{.tv = 3, .Lv = 20, .tvB = 3, .LvB = 20};

template <class T> std::vector<T> operator+(std::vector<T> a, const std::vector<T>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::vector<Atteso> kCPDSfinoATau = {{"alfa", 30},     {"beta", 5.867},    {"F1", 55460},   {"F2", 15730},
                                           {"fd1", 8.424},   {"tens1", 8.370},   {"Angolo1", 15}, {"fd2", 1.514},
                                           {"tens2", 0.2512}, {"Angolo2", 84.13}, {"tau", 1.083}};
const std::vector<Atteso> kPSDS75 = {{"alfa", 45}, {"beta", 11.88}, {"Teta", 75}};
const std::vector<Atteso> kPSDS105 = {{"alfa", 45}, {"beta", 11.88}, {"Teta", 105}};
const std::vector<Atteso> kPSDSfacce = {{"F1", 10030},  {"F2", 13500},     {"fd1", 3.367},
                                        {"tens1", 1.894}, {"Angolo1", 37.5}, {"fd2", 1.558},
                                        {"tens2", 0.6618}, {"Angolo2", 78.12}};
const std::vector<Atteso> kMPMSDSsinistra = {{"alfa", 30},     {"beta", 7.994},   {"F1", 19920},   {"F2", 16180},
                                             {"fd1", 4.421},   {"tens1", 3.594},  {"Angolo1", 30}, {"fd2", 1.526},
                                             {"tens2", 0.4688}, {"Angolo2", 82.01}, {"tau", 1.875}};
const std::vector<Atteso> kMPMSDSdestra = {{"alfaB", 35},     {"betaB", 8.361},   {"F1B", 18170},    {"F2B", 12220},
                                           {"fd1B", 4.888},   {"tens1B", 3.837},  {"Angolo1B", 27.5}, {"fd2B", 1.528},
                                           {"tens2B", 0.4230}, {"Angolo2B", 81.64}, {"tauB", 1.557}};
const std::vector<Atteso> kCPDAfinoATau = {{"alfa", 30},     {"F1", 60000},    {"fd1", 4.421},
                                           {"tens1", 8.119}, {"Angolo1", 30}, {"tau", 1.083}};
const std::vector<Atteso> kMPMSDAsinistra = {
    {"alfa", 30}, {"F1", 30000}, {"fd1", 4.421}, {"tens1", 5.413}, {"Angolo1", 30}};

// A member like d but for one value.
DatiAsta Con(DatiAsta d, float DatiAsta::*campo, float valore) {
    d.*campo = valore;
    return d;
}

// Four significant figures, as the worked examples are rounded.
bool QuattroCifre(double vero, double atteso) {
    if (atteso == 0) return std::fabs(vero) < 1e-6;
    const double unita = std::pow(10.0, std::floor(std::log10(std::fabs(atteso))) - 3);
    return std::fabs(vero - atteso) <= 0.5 * unita * 1.0001;
}

// A registry whose joint 2 has these members and inputs, every result set to kIntatto. Joint 1 is
// there so that a verification has to pick the right one.
struct Banco {
    std::shared_ptr<_clsGenVerNodi> reg = NuovoRegistro();
    std::shared_ptr<_clsNodo> nodo;
    Integer n = 0;

    Banco(const std::vector<DatiAsta>& aste, const Ingressi& in) {
        Registra(*reg, {kCatena, kPuntone});
        std::string tipo = "Nodo";
        reg->CreaNodo(tipo);
        n = 2;
        for (const auto& d : aste) {
            auto a = Asta(d);
            reg->AggiungiAsta(n, a);
        }
        nodo = Nodo(*reg, n);
        nodo->tv(in.tv);
        nodo->Lv(in.Lv);
        nodo->tvB(in.tvB);
        nodo->LvB(in.LvB);
        nodo->ReazioneY(in.ReazioneY);
        nodo->LunghezzaAppoggio(in.LunghezzaAppoggio);
        for (const char* r : kRisultati) nodo->SetProperty(r, kIntatto);
    }

    float Valore(const char* nome) const { return component::AsSingle(nodo->GetProperty(nome)); }

    // Exactly the named results were written.
    void ControllaScritti(const std::set<std::string>& scritti) const {
        for (const char* r : kRisultati) {
            if (scritti.count(r))
                EXPECT_NE(Valore(r), kIntatto) << r << " should have been written";
            else
                EXPECT_EQ(Valore(r), kIntatto) << r << " should have kept its value";
        }
        for (const auto& s : scritti)
            EXPECT_TRUE(std::find_if(std::begin(kRisultati), std::end(kRisultati), [&](const char* r) {
                            return s == r;
                        }) != std::end(kRisultati))
                << s;
        // The first joint is never touched.
        EXPECT_EQ(Nodo(*reg, 1)->tens1(), 0.0f);
    }
};

std::set<std::string> Nomi(const std::vector<Atteso>& v) {
    std::set<std::string> s;
    for (const auto& a : v) s.insert(a.nome);
    return s;
}


// A joint that passes every call on to a real one and notes, in order, the properties written.
#define SPIA_SINGLE(N)                                                                               \
    Single N() override { return v_->N(); }                                                         \
    void N(Single x) override {                                                                      \
        scritti.push_back(#N);                                                                       \
        v_->N(x);                                                                                    \
    }
class Spia final : public _clsNodo {
public:
    explicit Spia(std::shared_ptr<_clsNodo> v) : v_(std::move(v)) {}
    std::vector<std::string> scritti;
    int perNome = 0;

    component::Variant GetProperty(std::string_view n) override { return ++perNome, v_->GetProperty(n); }
    void SetProperty(std::string_view n, const component::Variant& x) override { ++perNome, v_->SetProperty(n, x); }
    bool AsteReg() override { return v_->AsteReg(); }
    void AsteReg(bool x) override { v_->AsteReg(x); }
    std::string TipoNodo() override { return v_->TipoNodo(); }
    void TipoNodo(const std::string& x) override { v_->TipoNodo(x); }
    std::string TipoVincolo() override { return v_->TipoVincolo(); }
    void TipoVincolo(const std::string& x) override { v_->TipoVincolo(x); }
    void Asta(std::shared_ptr<Collection> x) override { v_->Asta(std::move(x)); }
    std::shared_ptr<Collection> Asta() override { return v_->Asta(); }
    void Piastra(std::shared_ptr<Collection> x) override { v_->Piastra(std::move(x)); }
    std::shared_ptr<Collection> Piastra() override { return v_->Piastra(); }
    SPIA_SINGLE(tv) SPIA_SINGLE(Lv) SPIA_SINGLE(ReazioneY) SPIA_SINGLE(LunghezzaAppoggio)
    SPIA_SINGLE(LAppEfficace) SPIA_SINGLE(tens1) SPIA_SINGLE(tens2) SPIA_SINGLE(tens3) SPIA_SINGLE(Angolo1)
    SPIA_SINGLE(Angolo2) SPIA_SINGLE(fd1) SPIA_SINGLE(fd2) SPIA_SINGLE(fd3) SPIA_SINGLE(tau) SPIA_SINGLE(fvd)
    SPIA_SINGLE(alfa) SPIA_SINGLE(beta) SPIA_SINGLE(Teta) SPIA_SINGLE(F1) SPIA_SINGLE(F2) SPIA_SINGLE(tvB)
    SPIA_SINGLE(LvB) SPIA_SINGLE(tens1B) SPIA_SINGLE(tens2B) SPIA_SINGLE(tens3B) SPIA_SINGLE(Angolo1B)
    SPIA_SINGLE(Angolo2B) SPIA_SINGLE(fd1B) SPIA_SINGLE(fd2B) SPIA_SINGLE(fd3B) SPIA_SINGLE(tauB)
    SPIA_SINGLE(fvdB) SPIA_SINGLE(alfaB) SPIA_SINGLE(betaB) SPIA_SINGLE(TetaB) SPIA_SINGLE(F1B) SPIA_SINGLE(F2B)

private:
    std::shared_ptr<_clsNodo> v_;
};
#undef SPIA_SINGLE

// ---------------------------------------------------------------------------------------------

struct Esempio {
    const char* nome;
    Verifica verifica;
    std::vector<DatiAsta> aste;
    Ingressi nodo;
    std::vector<Atteso> risultati; // exactly the results written
};

std::ostream& operator<<(std::ostream& os, const Esempio& e) { return os << e.nome; }

const Esempio kEsempi[] = {
    {"CPDS_tie_beam_and_rafter", CPDS, {kCatena, kPuntone}, kNodoCP,
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 266.7}, {"tens3", 0.75}}},
    {"CPDS_bearing_45cm", CPDS, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 45},
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 450}, {"tens3", 0.4444}}},
    {"CPDS_bearing_10cm", CPDS, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 10},
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 166.7}, {"tens3", 1.2}}},
    // 400 mm: 2*La does not lower it, La + h/3 is larger.
    {"CPDS_bearing_exactly_400mm", CPDS, {kCatena, kPuntone},
     {.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 40},
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 400}, {"tens3", 0.5}}},
    // Above 400 mm the length itself, though 400 would be smaller.
    {"CPDS_bearing_401mm", CPDS, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 40.1f},
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 401}, {"tens3", 0.4988}}},
    {"CPDS_reaction_sign_ignored", CPDS, {kCatena, kPuntone},
     {.tv = 4, .Lv = 30, .ReazioneY = -40, .LunghezzaAppoggio = 20},
     kCPDSfinoATau + std::vector<Atteso>{{"LAppEfficace", 266.7}, {"tens3", 0.75}}},
    {"CPDS_no_reaction_keeps_bearing_results", CPDS, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .LunghezzaAppoggio = 20},
     kCPDSfinoATau},
    {"CPDS_no_bearing_length_keeps_bearing_results", CPDS, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .ReazioneY = 40},
     kCPDSfinoATau},
    // The step faces the lower rafter beyond a right angle between strut and lower rafter: theta
    // and its supplement give one split. Face 1 meets the grain at psi/2, face 2 at 90 deg - beta.
    {"PSDS_theta_75", PSDS, {kPuntoneInf60, kPuntoneSup, kSaetta}, {.tv = 3}, kPSDS75 + kPSDSfacce},
    {"PSDS_theta_105_as_its_supplement", PSDS, {kPuntoneInf30, kPuntoneSup, kSaetta}, {.tv = 3},
     kPSDS105 + kPSDSfacce},
    // C24 throughout, theta 103: face 1 carries 2.204 against 2.172 at 38.5 deg.
    {"PSDS_C24_face_1_fails", PSDS,
     {{.Angolo = 27}, {.Base = 16, .Altezza = 20, .Res_Fc0d = 8.4f, .Res_Fc90d = 1},
      {.Base = 14, .Altezza = 16, .SforzoAssiale = -25, .Angolo = 50}},
     {.tv = 3},
     {{"alfa", 50}, {"beta", 12.07}, {"Teta", 103}, {"F1", 11830}, {"F2", 17380}, {"fd1", 2.172},
      {"tens1", 2.204}, {"Angolo1", 38.5}, {"fd2", 1.040}, {"tens2", 0.8650}, {"Angolo2", 77.93}}},
    {"MPMSDS_king_post", MPMSDS, {kSinistra, kMonaco, kDestra}, kNodoMP, kMPMSDSsinistra + kMPMSDSdestra},
    {"CPDA_tie_beam_and_rafter", CPDA, {kCatena, kPuntone}, kNodoCP,
     kCPDAfinoATau + std::vector<Atteso>{{"LAppEfficace", 266.7}, {"tens3", 0.75}}},
    {"CPDA_bearing_401mm", CPDA, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 40.1f},
     kCPDAfinoATau + std::vector<Atteso>{{"LAppEfficace", 401}, {"tens3", 0.4988}}},
    {"CPDA_no_reaction_keeps_bearing_results", CPDA, {kCatena, kPuntone}, {.tv = 4, .Lv = 30, .LunghezzaAppoggio = 20},
     kCPDAfinoATau},
    {"PSDA_strut_below_90", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta}, {.tv = 3},
     {{"alfa", 45}, {"Teta", 105}, {"F1", 20000}, {"fd1", 1.594}, {"tens1", 2.899}, {"Angolo1", 105}}},
    {"PSDA_theta_75_any_depth", PSDA, {kPuntoneInf60, kPuntoneSup, kSaetta}, {.tv = 3},
     {{"alfa", 45}, {"Teta", 75}, {"F1", 20000}, {"fd1", 1.594}, {"tens1", 3.778}, {"Angolo1", 75}}},
    {"PSDA_strut_at_100", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta100}, {.tv = 3},
     {{"alfa", 100}, {"Teta", 50}, {"F1", 20000}, {"fd1", 2.358}, {"tens1", 4.316}, {"Angolo1", 130}}},
    {"MPMSDA_king_post", MPMSDA, {kSinistra, kMonaco, kDestra}, {.tv = 3, .tvB = 3},
     kMPMSDAsinistra + std::vector<Atteso>{
                           {"alfaB", 35}, {"F1B", 25000}, {"fd1B", 3.669}, {"tens1B", 4.876}, {"Angolo1B", 35}}},
    // The right side depends on the right member alone.
    {"MPMSDA_left_force_changes_left_only", MPMSDA,
     {{.Base = 16, .SforzoAssiale = -60, .Angolo = 30}, kMonaco, kDestra}, {.tv = 3, .tvB = 3},
     {{"alfa", 30}, {"F1", 60000}, {"fd1", 4.421}, {"tens1", 10.83}, {"Angolo1", 30},
      {"alfaB", 35}, {"F1B", 25000}, {"fd1B", 3.669}, {"tens1B", 4.876}, {"Angolo1B", 35}}},
};

class Esempi : public ::testing::TestWithParam<Esempio> {};

TEST_P(Esempi, WriteExactlyTheirResults) {
    const Esempio& e = GetParam();
    ScriptedUi ui;
    Banco banco(e.aste, e.nodo);
    bool procedi = false;
    ((*banco.reg).*e.verifica)(procedi, banco.n);
    EXPECT_TRUE(procedi);
    EXPECT_TRUE(ui.calls().empty());
    for (const auto& a : e.risultati)
        EXPECT_TRUE(QuattroCifre(banco.Valore(a.nome), a.valore))
            << a.nome << " = " << banco.Valore(a.nome) << ", expected " << a.valore;
    banco.ControllaScritti(Nomi(e.risultati));

    // A second run overwrites the same results with the same values.
    ((*banco.reg).*e.verifica)(procedi, banco.n);
    EXPECT_TRUE(procedi);
    for (const auto& a : e.risultati) EXPECT_TRUE(QuattroCifre(banco.Valore(a.nome), a.valore)) << a.nome;
}

// The joint's own values go through its fixed table, and the results are written in their order.
TEST_P(Esempi, WriteTheirResultsInOrderThroughTheFixedTable) {
    const Esempio& e = GetParam();
    ScriptedUi ui;
    auto reg = NuovoRegistro();
    auto vero = NuovoNodo();
    for (const auto& d : e.aste) vero->Asta()->Add(Asta(d));
    auto spia = std::make_shared<Spia>(vero);
    spia->tv(e.nodo.tv);
    spia->Lv(e.nodo.Lv);
    spia->tvB(e.nodo.tvB);
    spia->LvB(e.nodo.LvB);
    spia->ReazioneY(e.nodo.ReazioneY);
    spia->LunghezzaAppoggio(e.nodo.LunghezzaAppoggio);
    spia->scritti.clear();
    auto nodi = std::make_shared<component::Collection>();
    nodi->Add(spia);
    reg->Nodi(nodi);
    bool procedi = false;
    Integer uno = 1;
    ((*reg).*e.verifica)(procedi, uno);
    EXPECT_TRUE(procedi);
    std::vector<std::string> attesi;
    for (const auto& a : e.risultati) attesi.push_back(a.nome);
    EXPECT_EQ(spia->scritti, attesi);
    EXPECT_EQ(spia->perNome, 0);
}

INSTANTIATE_TEST_SUITE_P(Verifiche, Esempi, ::testing::ValuesIn(kEsempi),
                         [](const auto& info) { return std::string(info.param.nome); });

// The rafter-and-strut split over the whole range of theta: the step faces the side the strut
// pushes, so theta and its supplement give the same joint, the split runs on smoothly through a
// right angle, and no face is ever pulled.
TEST(Verifiche, RafterAndStrutSplitIsOneForEveryTheta) {
    ScriptedUi ui;
    const char* const uguali[] = {"beta", "F1", "F2", "fd1", "tens1", "Angolo1", "fd2", "tens2", "Angolo2"};
    // theta = 180 - lower rafter - strut, with the strut at 45 deg.
    const auto verifica = [](float teta, float tv) {
        auto b = std::make_unique<Banco>(
            std::vector<DatiAsta>{{.Angolo = 135 - teta}, kPuntoneSup, kSaetta}, Ingressi{.tv = tv});
        bool procedi = false;
        b->reg->VerNodoPSDS(procedi, b->n);
        return std::make_pair(std::move(b), procedi);
    };
    const auto vicini = [](double a, double b, double relativo) {
        return std::fabs(a - b) <= relativo * std::max(std::fabs(a), std::fabs(b));
    };
    for (const float tv : {0.5f, 3.0f, 6.0f}) {
        for (float teta = 10; teta <= 90; teta += 1) {
            const auto [stretto, ok1] = verifica(teta, tv);
            const auto [supplemento, ok2] = verifica(180 - teta, tv);
            ASSERT_TRUE(ok1 && ok2) << "theta " << teta << ", tv " << tv;
            EXPECT_FLOAT_EQ(supplemento->Valore("Teta"), 180 - teta);
            for (const char* r : uguali)
                EXPECT_TRUE(vicini(stretto->Valore(r), supplemento->Valore(r), 1e-5))
                    << r << " at theta " << teta << " and " << 180 - teta << ", tv " << tv << ": "
                    << stretto->Valore(r) << " against " << supplemento->Valore(r);
            for (const auto* b : {stretto.get(), supplemento.get()}) {
                EXPECT_GE(b->Valore("F1"), 0) << "theta " << teta;
                EXPECT_GE(b->Valore("F2"), 0) << "theta " << teta;
            }
        }
        const auto [sotto, ok1] = verifica(89.9f, tv);
        const auto [sopra, ok2] = verifica(90.1f, tv);
        ASSERT_TRUE(ok1 && ok2);
        for (const char* r : uguali)
            EXPECT_TRUE(vicini(sotto->Valore(r), sopra->Valore(r), 5e-3))
                << r << " jumps across 90 deg: " << sotto->Valore(r) << " against " << sopra->Valore(r);
    }
    EXPECT_TRUE(ui.calls().empty());
}

// ---------------------------------------------------------------------------------------------

struct Rifiuto {
    const char* nome;
    Verifica verifica;
    std::vector<DatiAsta> aste;
    Ingressi nodo;
    const char* messaggio;
    std::set<std::string> scritti;
};

std::ostream& operator<<(std::ostream& os, const Rifiuto& r) { return os << r.nome; }

const DatiAsta kPuntoneZero{.Base = 16, .Altezza = 20, .SforzoAssiale = -60, .Angolo = 0};
const DatiAsta kSaettaZero{.Base = 14, .Altezza = 16, .SforzoAssiale = -20, .Angolo = 0};
const DatiAsta kPuntoneInf135{.Angolo = 135};
const DatiAsta kSinistraZero{.Base = 16, .Altezza = 20, .SforzoAssiale = -30, .Angolo = 0};
const DatiAsta kDestraZero{.Base = 14, .Altezza = 18, .SforzoAssiale = -25, .Angolo = 0};

const Rifiuto kRifiuti[] = {
    {"CPDS_rafter_angle_0", CPDS, {kCatena, kPuntoneZero}, kNodoCP,
     "Impossibile eseguire Verifica\nL'angolo di inclinazione del Puntone risulta =0.", {}},
    {"PSDS_strut_angle_0", PSDS, {kPuntoneInf30, kPuntoneSup, kSaettaZero}, {.tv = 3},
     "Impossibile eseguire Verifica\nL'angolo di inclinazione della Saetta risulta =0.", {}},
    {"PSDS_angles_add_to_180", PSDS, {kPuntoneInf135, kPuntoneSup, kSaetta}, {.tv = 3},
     "Impossibile eseguire Verifica\nL'angolo tra il Puntone e la Saetta risulta =0.", {}},
    {"MPMSDS_left_angle_0", MPMSDS, {kSinistraZero, kMonaco, kDestra}, kNodoMP,
     "Impossibile eseguire Verifica\nL'angolo di inclinazione del Puntone di Sx risulta =0.", {}},
    {"MPMSDS_right_angle_0_after_left_side", MPMSDS, {kSinistra, kMonaco, kDestraZero}, kNodoMP,
     "Impossibile eseguire Verifica\nL'angolo di inclinazione del Puntone di Dx risulta =0.",
     Nomi(kMPMSDSsinistra)},
    // A rafter typed at 125 deg: the split would pull the front face open.
    {"CPDS_rafter_past_the_vertical", CPDS, {kCatena, Con(kPuntone, &DatiAsta::Angolo, 125)}, kNodoCP,
     "Impossibile eseguire Verifica\nLa geometria del nodo non è ammissibile: una faccia dell'Intaglio "
     "risulterebbe tesa.",
     {"alfa", "beta", "F1", "F2"}},
    // A 10 cm rafter at 80 deg on a 40 cm tie beam: tv 19 passes the tie beam's half height but
    // cuts away the rafter's whole end face.
    {"CPDS_notch_deeper_than_the_rafter", CPDS,
     {Con(kCatena, &DatiAsta::Altezza, 40), {.Base = 16, .Altezza = 10, .SforzoAssiale = -60, .Angolo = 80}},
     {.tv = 19, .Lv = 30}, "Impossibile eseguire Verifica\nL'Intaglio tv è troppo profondo per l'Altezza del Puntone.",
     {}},
    {"PSDS_notch_deeper_than_the_strut", PSDS, {kPuntoneInf60, kPuntoneSup, Con(kSaetta, &DatiAsta::Altezza, 2)},
     {.tv = 3}, "Impossibile eseguire Verifica\nL'Intaglio tv è troppo profondo per l'Altezza della Saetta.", {}},
    // Angles adding up to more than 180 deg leave theta negative: no joint to verify.
    {"PSDS_angles_past_180", PSDS, {{.Angolo = 150}, kPuntoneSup, kSaetta}, {.tv = 3},
     "Impossibile eseguire Verifica\nL'Intaglio tv è troppo profondo per l'Altezza della Saetta.", {}},
    {"MPMSDS_right_member_past_the_vertical", MPMSDS, {kSinistra, kMonaco, Con(kDestra, &DatiAsta::Angolo, 95)},
     kNodoMP, "Impossibile eseguire Verifica\nL'Intaglio tv è troppo profondo per l'Altezza del Puntone di Dx.",
     Nomi(kMPMSDSsinistra)},
    {"MPMSDS_left_member_leaning_away", MPMSDS, {Con(kSinistra, &DatiAsta::Angolo, -60), kMonaco, kDestra}, kNodoMP,
     "Impossibile eseguire Verifica\nLa geometria del nodo non è ammissibile: una faccia dell'Intaglio "
     "risulterebbe tesa.",
     {"alfa", "beta", "F1", "F2"}},
    {"CPDA_rafter_angle_0", CPDA, {kCatena, kPuntoneZero}, kNodoCP,
     "Impossibile eseguire Verifica\nL'angolo di inclinazione del Puntone risulta =0.", {}},
    {"PSDA_strut_angle_0", PSDA, {kPuntoneInf30, kPuntoneSup, kSaettaZero}, {.tv = 3},
     "Impossibile eseguire Verifica\nNodo N. 2\nL'angolo di inclinazione della Saetta risulta =0.", {}},
    {"PSDA_angles_add_to_180", PSDA, {kPuntoneInf135, kPuntoneSup, kSaetta}, {.tv = 3},
     "Impossibile eseguire Verifica\nNodo N. 2\nL'angolo tra il Puntone e la Saetta risulta =0.", {}},
    {"PSDA_notch_too_deep", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta}, {.tv = 5},
     "Impossibile eseguire Verifica\nNodo N. 2\nPer il Tipo di Unione Specificato, \"Puntone Saetta a Dente "
     "Arretrato\" l'intaglio tv deve essere minore di 4,14 cm.",
     {}},
    {"PSDA_notch_too_deep_strut_at_100", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta100}, {.tv = 12},
     "Impossibile eseguire Verifica\nNodo N. 2\nPer il Tipo di Unione Specificato, \"Puntone Saetta a Dente "
     "Arretrato\" l'intaglio tv deve essere minore di 10,28 cm.",
     {}},
    {"MPMSDA_left_angle_0", MPMSDA, {kSinistraZero, kMonaco, kDestra}, {.tv = 3, .tvB = 3},
     "Impossibile eseguire Verifica\nL'angolo di inclinazione dell'Asta di Sx risulta =0.", {}},
    {"MPMSDA_right_angle_0_after_left_side", MPMSDA, {kSinistra, kMonaco, kDestraZero}, {.tv = 3, .tvB = 3},
     "Impossibile eseguire Verifica\nL'angolo di inclinazione dell'Asta di Dx risulta =0.",
     Nomi(kMPMSDAsinistra)},
};

class Rifiuti : public ::testing::TestWithParam<Rifiuto> {
protected:
    LocaleGuard italiano{LocaleGuard::italian()}; // the notch limits carry a decimal comma
};

TEST_P(Rifiuti, ShowOneMessageAndStopWithProcediFalse) {
    const Rifiuto& r = GetParam();
    ScriptedUi ui;
    Banco banco(r.aste, r.nodo);
    bool procedi = true;
    ((*banco.reg).*r.verifica)(procedi, banco.n);
    EXPECT_FALSE(procedi);
    ASSERT_EQ(ui.calls().size(), 1u);
    const Call& box = ui.calls()[0];
    EXPECT_EQ(box.kind, Call::MsgBox);
    EXPECT_EQ(box.prompt, QString::fromUtf8(r.messaggio));
    EXPECT_EQ(box.style, ui::vbOKOnly);
    EXPECT_EQ(box.title, QStringLiteral("QOR_TRBNS18"));
    banco.ControllaScritti(r.scritti);
}

INSTANTIATE_TEST_SUITE_P(Verifiche, Rifiuti, ::testing::ValuesIn(kRifiuti),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Verifiche, NotchLimitFollowsTheUsersDecimalSeparator) {
    LocaleGuard inglese(LocaleGuard::english());
    ScriptedUi ui;
    Banco banco({kPuntoneInf30, kPuntoneSup, kSaetta}, {.tv = 5});
    bool procedi = true;
    banco.reg->VerNodoPSDA(procedi, banco.n);
    EXPECT_FALSE(procedi);
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_TRUE(ui.msgBoxes()[0].prompt.endsWith(QStringLiteral(" l'intaglio tv deve essere minore di 4.14 cm.")))
        << ui.msgBoxes()[0].prompt.toStdString();
}

// ---------------------------------------------------------------------------------------------

struct Errore {
    const char* nome;
    Verifica verifica;
    std::vector<DatiAsta> aste;
    Ingressi nodo;
    long numero;
    std::set<std::string> scritti;
    Integer nNodo = 2;
};

std::ostream& operator<<(std::ostream& os, const Errore& e) { return os << e.nome; }

const std::set<std::string> kCPDSprimaDiFd1 = {"alfa", "beta", "F1", "F2"};
const std::set<std::string> kCPDSprimaDiTens1 = {"alfa", "beta", "F1", "F2", "fd1"};
std::set<std::string> Piu(std::set<std::string> a, const std::set<std::string>& b) {
    a.insert(b.begin(), b.end());
    return a;
}

const Errore kErrori[] = {
    {"CPDS_joint_0", CPDS, {kCatena, kPuntone}, kNodoCP, 9, {}, 0},
    {"CPDS_joint_past_the_last", CPDS, {kCatena, kPuntone}, kNodoCP, 9, {}, 3},
    {"PSDS_joint_0", PSDS, {kPuntoneInf60, kPuntoneSup, kSaetta}, {.tv = 3}, 9, {}, 0},
    {"MPMSDS_joint_past_the_last", MPMSDS, {kSinistra, kMonaco, kDestra}, kNodoMP, 9, {}, 3},
    {"CPDA_joint_0", CPDA, {kCatena, kPuntone}, kNodoCP, 9, {}, 0},
    {"PSDA_joint_past_the_last", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta}, {.tv = 3}, 9, {}, 3},
    {"MPMSDA_joint_0", MPMSDA, {kSinistra, kMonaco, kDestra}, kNodoMP, 9, {}, 0},
    {"CPDS_one_member", CPDS, {kCatena}, kNodoCP, 9, {}},
    {"PSDS_two_members", PSDS, {kPuntoneInf60, kPuntoneSup}, {.tv = 3}, 9, {}},
    {"PSDA_two_members", PSDA, {kPuntoneInf60, kPuntoneSup}, {.tv = 3}, 9, {}},
    {"MPMSDS_two_members_after_left_side", MPMSDS, {kSinistra, kMonaco}, kNodoMP, 9, Nomi(kMPMSDSsinistra)},
    {"MPMSDA_two_members_after_left_side", MPMSDA, {kSinistra, kMonaco}, kNodoMP, 9, Nomi(kMPMSDAsinistra)},
    {"CPDS_fc90d_0", CPDS, {Con(kCatena, &DatiAsta::Res_Fc90d, 0), kPuntone}, kNodoCP, 11, kCPDSprimaDiFd1},
    {"CPDS_tv_0", CPDS, {kCatena, kPuntone}, {.Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 20}, 11,
     kCPDSprimaDiTens1},
    {"CPDS_tv_0_no_force", CPDS, {kCatena, Con(kPuntone, &DatiAsta::SforzoAssiale, 0)},
     {.Lv = 30, .ReazioneY = 40, .LunghezzaAppoggio = 20}, 5, kCPDSprimaDiTens1},
    {"CPDS_rafter_width_0", CPDS, {kCatena, Con(kPuntone, &DatiAsta::Base, 0)}, kNodoCP, 11, kCPDSprimaDiTens1},
    {"CPDS_Lv_0", CPDS, {kCatena, kPuntone}, {.tv = 4, .ReazioneY = 40, .LunghezzaAppoggio = 20}, 11,
     {"alfa", "beta", "F1", "F2", "fd1", "tens1", "Angolo1", "fd2", "tens2", "Angolo2"}},
    {"CPDS_force_beyond_single", CPDS, {kCatena, Con(kPuntone, &DatiAsta::SforzoAssiale, -3e38f)}, kNodoCP, 6, {}},
    {"MPMSDS_tvB_0", MPMSDS, {kSinistra, kMonaco, kDestra}, {.tv = 3, .Lv = 20, .LvB = 20}, 11,
     Piu(Nomi(kMPMSDSsinistra), {"alfaB", "betaB", "F1B", "F2B", "fd1B"})},
    {"MPMSDS_king_post_fc90d_0", MPMSDS, {kSinistra, Con(kMonaco, &DatiAsta::Res_Fc90d, 0), kDestra}, kNodoMP, 11,
     {"alfa", "beta", "F1", "F2"}},
    {"CPDA_fc90d_0", CPDA, {Con(kCatena, &DatiAsta::Res_Fc90d, 0), kPuntone}, kNodoCP, 11, {"alfa", "F1"}},
    {"CPDA_Lv_0", CPDA, {kCatena, kPuntone}, {.tv = 4, .ReazioneY = 40, .LunghezzaAppoggio = 20}, 11,
     {"alfa", "F1", "fd1", "tens1", "Angolo1"}},
    {"PSDA_tv_0", PSDA, {kPuntoneInf30, kPuntoneSup, kSaetta}, {}, 11, {"alfa", "Teta", "F1", "fd1"}},
    {"MPMSDA_tvB_0", MPMSDA, {kSinistra, kMonaco, kDestra}, {.tv = 3}, 11,
     Piu(Nomi(kMPMSDAsinistra), {"alfaB", "F1B", "fd1B"})},
};

class Errori : public ::testing::TestWithParam<Errore> {};

TEST_P(Errori, RaiseTheirNumberAndKeepWhatWasWritten) {
    const Errore& e = GetParam();
    ScriptedUi ui;
    Banco banco(e.aste, e.nodo);
    bool procedi = false;
    Integer n = e.nNodo;
    EXPECT_EQ(NumeroErrore([&] { ((*banco.reg).*e.verifica)(procedi, n); }), e.numero);
    EXPECT_TRUE(procedi);
    EXPECT_TRUE(ui.calls().empty());
    banco.ControllaScritti(e.scritti);
}

INSTANTIATE_TEST_SUITE_P(Verifiche, Errori, ::testing::ValuesIn(kErrori),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST(Verifiche, FloatingPointStateOfTheCallerIsLeftAsItWas) {
    Banco banco({Con(kCatena, &DatiAsta::Res_Fc90d, 0), kPuntone}, kNodoCP);
    std::feclearexcept(FE_ALL_EXCEPT);
    bool procedi = true;
    EXPECT_EQ(NumeroErrore([&] { banco.reg->VerNodoCPDS(procedi, banco.n); }), 11);
    EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);

    Banco buono({kCatena, kPuntone}, kNodoCP);
    buono.reg->VerNodoCPDS(procedi, buono.n);
    EXPECT_EQ(std::fetestexcept(FE_DIVBYZERO | FE_INVALID | FE_OVERFLOW), 0);
}

// Members are read by name, so a member object of any class that answers those names will do,
// and each value is fetched from the member at every use.
TEST(Verifiche, MemberValuesAreFetchedByNameAtEveryUse) {
    class Conta : public component::Object {
    public:
        explicit Conta(std::shared_ptr<_clsAsta> a) : a_(std::move(a)) {}
        component::Variant GetProperty(std::string_view name) override {
            ++letture[std::string(name)];
            return a_->GetProperty(name);
        }
        void SetProperty(std::string_view name, const component::Variant& v) override { a_->SetProperty(name, v); }
        std::map<std::string, int> letture;

    private:
        std::shared_ptr<_clsAsta> a_;
    };
    auto reg = NuovoRegistro();
    std::string tipo;
    reg->CreaNodo(tipo);
    auto catena = std::make_shared<Conta>(Asta(kCatena));
    auto puntone = std::make_shared<Conta>(Asta(kPuntone));
    Nodo(*reg, 1)->Asta()->Add(catena);
    Nodo(*reg, 1)->Asta()->Add(puntone);
    auto nodo = Nodo(*reg, 1);
    nodo->tv(4);
    nodo->Lv(30);
    nodo->ReazioneY(40);
    nodo->LunghezzaAppoggio(20);
    bool procedi = false;
    Integer uno = 1;
    reg->VerNodoCPDS(procedi, uno);
    EXPECT_TRUE(procedi);
    EXPECT_NEAR(nodo->tens3(), 0.75, 1e-4);
    // The rafter's angle: once for the refusal test, once for alpha.
    EXPECT_EQ(puntone->letture["Angolo"], 2);
    // The tie beam's width: for b, and again for the bearing stress.
    EXPECT_EQ(catena->letture["Base"], 2);
}

// The rounding that ends every step: a value that rounds to the largest single is that single; from
// the halfway point to the next power of two on it is an overflow.
TEST(Verifiche, StepRoundsToTheLargestSingleAndOverflowsOnlyBeyondIt) {
    const double massimo = std::numeric_limits<float>::max();
    EXPECT_EQ(detail::Sng(massimo * (1 + 0x1p-25)), std::numeric_limits<float>::max());
    EXPECT_EQ(detail::Sng(-massimo * (1 + 0x1p-25)), -std::numeric_limits<float>::max());
    EXPECT_EQ(NumeroErrore([] { detail::Sng(0x1.ffffffp+127); }), 6);
    EXPECT_EQ(NumeroErrore([] { detail::Sng(-1e39); }), 6);
    EXPECT_EQ(detail::Sng(8.4000003), 8.400001f);
}

} // namespace
