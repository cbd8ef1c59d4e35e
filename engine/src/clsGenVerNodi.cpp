#include "clsGenVerNodi.h"

#include "Calcolo.h"
#include "clsNodo.h"

#include "platform/basic/Basic.h"
#include "platform/ui/Ui.h"

#include <cmath>

namespace QOR_TRBNS18 {

double PiGreco = 0.0;

namespace {

using detail::Div;
using detail::Sng;

const QString kTitolo = QStringLiteral("QOR_TRBNS18");

// A notch whose floor would run out of the incoming member's end face, and a split of the force
// that would pull a face of the notch open: neither joint can stand, and no verdict is given.
QString TroppoProfondo(const char* asta) {
    return QStringLiteral("L'Intaglio tv è troppo profondo per l'Altezza ") + QString::fromUtf8(asta) +
           QLatin1Char('.');
}
const QString kFacciaTesa =
    QStringLiteral("La geometria del nodo non è ammissibile: una faccia dell'Intaglio risulterebbe tesa.");

[[noreturn]] void OggettoNonImpostato() { platform::Raise(platform::err::ObjectNotSet); }

// Trigonometry in double precision, whatever the type of the angle handed in.
double Sin(double x) { return std::sin(x); }
double Cos(double x) { return std::cos(x); }
double Tan(double x) { return std::tan(x); }
double Atan(double x) { return std::atan(x); }

Single Mm(Single cm) { return Sng(10.0 * cm); }
Single Newton(Single kN) { return Sng(std::fabs(static_cast<double>(kN)) * 1000.0); }
Single Radianti(Single gradi) { return Sng(gradi * PiGreco / 180.0); }
Single Gradi(Single radianti) { return Sng(radianti * 180.0 / PiGreco); }

// Design strength in compression at an angle t to the grain.
Single Fd(Single t, Single fc0d, Single fc90d) {
    const double s = Sin(t), c = Cos(t);
    return Sng(Div(fc0d, Div(fc0d, fc90d) * s * s + c * c));
}

// The members of one joint, read as a verification reads them: each value by its property name,
// from the member itself, at every use.
class Aste {
public:
    explicit Aste(_clsNodo& nodo) : nodo_(nodo) {}

    Single operator()(std::int32_t k, std::string_view nome) {
        if (!aste_) {
            aste_ = nodo_.Asta();
            if (!aste_) OggettoNonImpostato();
        }
        const auto& asta = aste_->Item(k);
        if (!asta) OggettoNonImpostato();
        return component::AsSingle(asta->GetProperty(nome));
    }

    // Contact width: the smaller of the two members' widths.
    Single Larghezza(std::int32_t k1, std::int32_t k2) {
        Single b = Mm((*this)(k1, "Base"));
        if (b > 10.0 * (*this)(k2, "Base")) b = Mm((*this)(k2, "Base"));
        return b;
    }

private:
    _clsNodo& nodo_;
    std::shared_ptr<Collection> aste_;
};

// Effective bearing length on the support of a tie beam, La and h in mm.
Single LunghezzaEfficace(Single La, Single h) {
    if (La > 400.0f) return La;
    Single lef = 400.0f;
    if (Sng(2.0 * La) < lef) lef = Sng(2.0 * La);
    if (Sng(La + h / 3.0) < lef) lef = Sng(La + h / 3.0);
    return lef;
}

// The bearing of a tie beam on its support, written when both support inputs are given.
void Appoggio(_clsNodo& nodo, Aste& asta, Single La, Single h) {
    if (nodo.ReazioneY() == 0.0f || nodo.LunghezzaAppoggio() == 0.0f) return;
    const Single lef = LunghezzaEfficace(La, h);
    nodo.LAppEfficace(lef);
    const Single R = Newton(nodo.ReazioneY());
    nodo.tens3(Sng(Div(R, 10.0 * asta(1, "Base") * lef)));
}

// The angle between rafter and strut, the subtractions done in single precision first.
Single AngoloTraPuntoneESaetta(Aste& asta) {
    const Single d = Sng(180.0 - asta(1, "Angolo"));
    return Radianti(Sng(static_cast<double>(d) - asta(3, "Angolo")));
}

// What both tie-beam verifications read before their refusal test, in reading order.
struct IngressiCatena {
    Single b, h, fc0d, fc90d, N;
    explicit IngressiCatena(Aste& asta)
        : b(asta.Larghezza(1, 2)), h(Mm(asta(2, "Altezza"))), fc0d(asta(1, "Res_Fc0d")),
          fc90d(asta(1, "Res_Fc90d")), N(Newton(asta(2, "SforzoAssiale"))) {}
};

// What both rafter-and-strut verifications read before their refusal tests, in reading order.
struct IngressiSaetta {
    Single b, h, fc0d, fc90d, tv, N, alfa, teta;
    IngressiSaetta(Aste& asta, _clsNodo& nodo)
        : b(asta.Larghezza(2, 3)), h(Mm(asta(3, "Altezza"))), fc0d(asta(2, "Res_Fc0d")),
          fc90d(asta(2, "Res_Fc90d")), tv(Mm(nodo.tv())), N(Newton(asta(3, "SforzoAssiale"))),
          alfa(Radianti(asta(3, "Angolo"))), teta(AngoloTraPuntoneESaetta(asta)) {}
};

} // namespace

clsGenVerNodi::clsGenVerNodi() : m_Nodi(std::make_shared<Collection>()) { PiGreco = 4.0 * std::atan(1.0); }

clsGenVerNodi::~clsGenVerNodi() = default;

std::shared_ptr<Collection> clsGenVerNodi::Nodi() { return m_Nodi; }
void clsGenVerNodi::Nodi(std::shared_ptr<Collection> value) { m_Nodi = std::move(value); }
std::shared_ptr<Object> clsGenVerNodi::Rich() { return m_Rich; }
void clsGenVerNodi::Rich(std::shared_ptr<Object> value) { m_Rich = std::move(value); }

component::Variant clsGenVerNodi::GetProperty(std::string_view name) {
    if (detail::UgualeSenzaMaiuscole(name, "Nodi")) return std::shared_ptr<Object>(m_Nodi);
    if (detail::UgualeSenzaMaiuscole(name, "Rich")) return m_Rich;
    detail::NonSupportata();
}

void clsGenVerNodi::SetProperty(std::string_view name, const component::Variant& value) {
    if (detail::UgualeSenzaMaiuscole(name, "Nodi")) return Nodi(detail::AsCollection(value));
    if (detail::UgualeSenzaMaiuscole(name, "Rich")) return Rich(component::AsObject(value));
    detail::NonSupportata();
}

std::shared_ptr<_clsNodo> clsGenVerNodi::ApriNodo(Integer nNodo) {
    if (!m_Nodi) OggettoNonImpostato();
    const auto& item = m_Nodi->Item(nNodo);
    auto nodo = std::dynamic_pointer_cast<_clsNodo>(item);
    if (!nodo) {
        if (!item) OggettoNonImpostato();
        platform::Raise(platform::err::TypeMismatch);
    }
    NodoCorr = nodo;
    return nodo;
}

void clsGenVerNodi::Rifiuta(bool& Procedi, const QString& riga) {
    ui::MsgBox(QStringLiteral("Impossibile eseguire Verifica") + QChar(10) + riga, ui::vbOKOnly, kTitolo);
    Procedi = false;
    NodoCorr.reset();
}

void clsGenVerNodi::CreaNodo(std::string& TipoNodo) {
    if (!m_Nodi) OggettoNonImpostato();
    auto nodo = std::make_shared<clsNodo>();
    nodo->TipoNodo(TipoNodo);
    nodo->AsteReg(false);
    m_Nodi->Add(std::move(nodo));
}

void clsGenVerNodi::AggiungiAsta(Integer& nNodo, std::shared_ptr<_clsAsta>& auxAsta) {
    auto aste = ApriNodo(nNodo)->Asta();
    if (!aste) OggettoNonImpostato();
    // An empty place in Asta would only fail later, in whichever verification reads it.
    if (!auxAsta) OggettoNonImpostato();
    aste->Add(auxAsta);
}

void clsGenVerNodi::ModificaAsta(Integer& nNodo, Integer& nAsta, std::shared_ptr<_clsAsta>& auxAsta) {
    auto aste = ApriNodo(nNodo)->Asta();
    if (!aste) OggettoNonImpostato();
    if (nAsta < 1 || nAsta > aste->Count()) {
        ui::Beep();
        ui::MsgBox(QStringLiteral("L'asta N.") + basic::CStr(nAsta) + QStringLiteral(" appartenenete al nodo N.") +
                       basic::CStr(nNodo) + QStringLiteral(" non risulta registrata"),
                   ui::vbOKOnly, kTitolo);
        return;
    }
    struct Rilascia {
        std::shared_ptr<_clsAsta>& r;
        ~Rilascia() { r.reset(); }
    } rilascia{AstaCorr};
    const auto& item = aste->Item(nAsta);
    AstaCorr = std::dynamic_pointer_cast<_clsAsta>(item);
    if (!AstaCorr) {
        if (!item) OggettoNonImpostato();
        platform::Raise(platform::err::TypeMismatch);
    }
    if (!auxAsta) OggettoNonImpostato();
    _clsAsta& da = *auxAsta;
    _clsAsta& a = *AstaCorr;
    // Taglio and Momento stay the registered member's own.
    a.Altezza(da.Altezza());
    a.Angolo(da.Angolo());
    a.area(da.area());
    a.Base(da.Base());
    a.DescrizioneMateriale(da.DescrizioneMateriale());
    a.ModEl_05(da.ModEl_05());
    a.ModEl_0mean(da.ModEl_0mean());
    a.ModEl_90(da.ModEl_90());
    a.ModEl_Gmean(da.ModEl_Gmean());
    a.ModInerzia(da.ModInerzia());
    a.ModResistenza(da.ModResistenza());
    a.NumeroMateriale(da.NumeroMateriale());
    a.Peso(da.Peso());
    a.Res_Fc0k(da.Res_Fc0k());
    a.Res_Fc0d(da.Res_Fc0d());
    a.Res_Fc90k(da.Res_Fc90k());
    a.Res_Fc90d(da.Res_Fc90d());
    a.Res_Fd(da.Res_Fd());
    a.Res_Fmk(da.Res_Fmk());
    a.Res_Ft0k(da.Res_Ft0k());
    a.Res_Ft90k(da.Res_Ft90k());
    a.Res_Fvd(da.Res_Fvd());
    a.Res_Fvk(da.Res_Fvk());
    a.SforzoAssiale(da.SforzoAssiale());
    a.TipoSezione(da.TipoSezione());
}

// Tie beam (member 1) and rafter (member 2), single step.
void clsGenVerNodi::VerNodoCPDS(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    const auto [b, h, fc0d, fc90d, N] = IngressiCatena(asta);
    if (asta(2, "Angolo") == 0.0f)
        return Rifiuta(Procedi, QStringLiteral("L'angolo di inclinazione del Puntone risulta =0."));

    const Single tv = Mm(nodo.tv());
    const Single Lv = Mm(nodo.Lv());
    const Single La = Mm(nodo.LunghezzaAppoggio());
    const Single alfa = Radianti(asta(2, "Angolo"));
    const Single t1 = Sng(Div(h, Sin(alfa)));
    const Single t2 = Sng(t1 - tv * Tan(alfa / 2.0));
    if (t2 <= 0.0f) return Rifiuta(Procedi, TroppoProfondo("del Puntone"));
    const Single beta = Sng(Atan(Div(tv, t2)));
    nodo.alfa(Gradi(alfa));
    nodo.beta(Gradi(beta));

    nodo.F1(Sng(N * Sin(alfa / 2.0) * Tan(beta - alfa / 2.0) + N * Cos(alfa / 2.0)));
    nodo.F2(Sng(Div(N * Sin(alfa / 2.0), Cos(beta - alfa / 2.0))));
    if (nodo.F1() < 0.0f || nodo.F2() < 0.0f) return Rifiuta(Procedi, kFacciaTesa);

    Single t = Sng(alfa / 2.0);
    nodo.fd1(Fd(t, fc0d, fc90d));
    nodo.tens1(Sng(Div(nodo.F1(), Div(static_cast<double>(tv) * b, Cos(alfa / 2.0)))));
    nodo.Angolo1(Gradi(t));

    t = Sng(PiGreco / 2.0 - beta);
    nodo.fd2(Fd(t, fc0d, fc90d));
    nodo.tens2(Sng(Div(nodo.F2(), Div(static_cast<double>(b) * t2, Cos(beta)))));
    nodo.Angolo2(Gradi(t));

    nodo.tau(Sng(Div(N * Cos(alfa), static_cast<double>(b) * Lv)));

    Appoggio(nodo, asta, La, h);
    NodoCorr.reset();
}

// Lower rafter (member 1), upper rafter (member 2) and strut (member 3), single step.
void clsGenVerNodi::VerNodoPSDS(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    const auto [b, h, fc0d, fc90d, tv, N, alfa, teta] = IngressiSaetta(asta, nodo);
    if (alfa == 0.0f)
        return Rifiuta(Procedi, QStringLiteral("L'angolo di inclinazione della Saetta risulta =0."));
    if (teta == 0.0f)
        return Rifiuta(Procedi, QStringLiteral("L'angolo tra il Puntone e la Saetta risulta =0."));

    // The strut pushes the upper rafter along its grain towards the side of the smaller angle
    // between the strut and the rafters, and the step faces that side: psi is the angle between
    // the strut and that rafter, theta itself up to a right angle and its supplement beyond. The
    // split is then the tie-beam joint's, with psi for alpha.
    const Single psi = teta <= Sng(PiGreco / 2.0) ? teta : Sng(PiGreco - teta);
    const Single t1 = Sng(Div(h, Sin(PiGreco - teta)));
    const Single t2 = Sng(t1 - tv * Tan(psi / 2.0));
    if (t2 <= 0.0f) return Rifiuta(Procedi, TroppoProfondo("della Saetta"));
    const Single beta = Sng(Atan(Div(tv, t2)));
    nodo.alfa(Gradi(alfa));
    nodo.beta(Gradi(beta));
    nodo.Teta(Gradi(teta));

    nodo.F1(Sng(N * Sin(psi / 2.0) * Tan(beta - psi / 2.0) + N * Cos(psi / 2.0)));
    nodo.F2(Sng(Div(N * Sin(psi / 2.0), Cos(beta - psi / 2.0))));
    if (nodo.F1() < 0.0f || nodo.F2() < 0.0f) return Rifiuta(Procedi, kFacciaTesa);

    // Face 1, the front of the step, meets the grain at psi/2; face 2, its floor, at 90 deg - beta.
    Single t = Sng(psi / 2.0);
    nodo.fd1(Fd(t, fc0d, fc90d));
    nodo.tens1(Sng(Div(nodo.F1(), Div(static_cast<double>(tv) * b, Cos(psi / 2.0)))));
    nodo.Angolo1(Gradi(t));

    t = Sng(PiGreco / 2.0 - beta);
    nodo.fd2(Fd(t, fc0d, fc90d));
    nodo.tens2(Sng(Div(nodo.F2(), Div(static_cast<double>(b) * t2, Cos(beta)))));
    nodo.Angolo2(Gradi(t));

    NodoCorr.reset();
}

// Left member (1), king post (2), right member (3), single step; each side in turn.
void clsGenVerNodi::VerNodoMPMSDS(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    for (const bool destro : {false, true}) {
        const std::int32_t k = destro ? 3 : 1;
        const Single b = asta.Larghezza(k, 2);
        const Single h = Mm(asta(k, "Altezza"));
        const Single fc0d = asta(2, "Res_Fc0d");
        const Single fc90d = asta(2, "Res_Fc90d");
        const Single N = Newton(asta(k, "SforzoAssiale"));
        if (asta(k, "Angolo") == 0.0f)
            return Rifiuta(Procedi, destro ? QStringLiteral("L'angolo di inclinazione del Puntone di Dx risulta =0.")
                                           : QStringLiteral("L'angolo di inclinazione del Puntone di Sx risulta =0."));

        const Single tv = Mm(destro ? nodo.tvB() : nodo.tv());
        const Single alfa = Radianti(asta(k, "Angolo"));
        // The notch sees the member against the king post, at the complement of its inclination.
        const Single a1 = Sng(PiGreco / 2.0 - alfa);
        const Single t1 = Sng(Div(h, Sin(a1)));
        const Single t2 = Sng(t1 - tv * Tan(a1 / 2.0));
        if (t2 <= 0.0f)
            return Rifiuta(Procedi, TroppoProfondo(destro ? "del Puntone di Dx" : "del Puntone di Sx"));
        const Single beta = Sng(Atan(Div(tv, t2)));
        const Single gAlfa = Gradi(alfa);
        destro ? nodo.alfaB(gAlfa) : nodo.alfa(gAlfa);
        const Single gBeta = Gradi(beta);
        destro ? nodo.betaB(gBeta) : nodo.beta(gBeta);

        const Single F1 = Sng(N * Sin(a1 / 2.0) * Tan(beta - a1 / 2.0) + N * Cos(a1 / 2.0));
        destro ? nodo.F1B(F1) : nodo.F1(F1);
        const Single F2 = Sng(Div(N * Sin(a1 / 2.0), Cos(beta - a1 / 2.0)));
        destro ? nodo.F2B(F2) : nodo.F2(F2);
        if (F1 < 0.0f || F2 < 0.0f) return Rifiuta(Procedi, kFacciaTesa);

        Single t = Sng(a1 / 2.0);
        const Single fd1 = Fd(t, fc0d, fc90d);
        destro ? nodo.fd1B(fd1) : nodo.fd1(fd1);
        const Single tens1 = Sng(Div(destro ? nodo.F1B() : nodo.F1(),
                                     Div(static_cast<double>(tv) * b, Cos(a1 / 2.0))));
        destro ? nodo.tens1B(tens1) : nodo.tens1(tens1);
        const Single ang1 = Gradi(t);
        destro ? nodo.Angolo1B(ang1) : nodo.Angolo1(ang1);

        t = Sng(PiGreco / 2.0 - beta);
        const Single fd2 = Fd(t, fc0d, fc90d);
        destro ? nodo.fd2B(fd2) : nodo.fd2(fd2);
        const Single tens2 =
            Sng(Div(destro ? nodo.F2B() : nodo.F2(), Div(static_cast<double>(b) * t2, Cos(beta))));
        destro ? nodo.tens2B(tens2) : nodo.tens2(tens2);
        const Single ang2 = Gradi(t);
        destro ? nodo.Angolo2B(ang2) : nodo.Angolo2(ang2);

        // The heel takes the force along the king post: N divided by cos(a1).
        const Single Lv = Mm(destro ? nodo.LvB() : nodo.Lv());
        const Single tau = Sng(Div(Div(N, Cos(a1)), static_cast<double>(Lv) * b));
        destro ? nodo.tauB(tau) : nodo.tau(tau);
    }
    NodoCorr.reset();
}

// Tie beam (member 1) and rafter (member 2), rear step.
void clsGenVerNodi::VerNodoCPDA(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    const auto [b, h, fc0d, fc90d, N] = IngressiCatena(asta);
    if (asta(2, "Angolo") == 0.0f)
        return Rifiuta(Procedi, QStringLiteral("L'angolo di inclinazione del Puntone risulta =0."));

    const Single tv = Mm(nodo.tv());
    const Single Lv = Mm(nodo.Lv());
    const Single La = Mm(nodo.LunghezzaAppoggio());
    const Single alfa = Radianti(asta(2, "Angolo"));
    nodo.alfa(Gradi(alfa));
    nodo.F1(N);
    nodo.fd1(Fd(alfa, fc0d, fc90d));
    nodo.tens1(Sng(Div(nodo.F1(), Div(static_cast<double>(tv) * b, Cos(alfa)))));
    nodo.Angolo1(Gradi(alfa));
    nodo.tau(Sng(Div(N * Cos(alfa), static_cast<double>(b) * Lv)));

    Appoggio(nodo, asta, La, h);
    NodoCorr.reset();
}

// Lower rafter (member 1), upper rafter (member 2) and strut (member 3), rear step.
void clsGenVerNodi::VerNodoPSDA(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    const auto [b, h, fc0d, fc90d, tv, N, alfa, teta] = IngressiSaetta(asta, nodo);

    const auto nodoN = [nNodo] { return QStringLiteral("Nodo N.") + basic::Str(nNodo) + QChar(10); };
    if (alfa == 0.0f)
        return Rifiuta(Procedi, nodoN() + QStringLiteral("L'angolo di inclinazione della Saetta risulta =0."));
    if (teta == 0.0f)
        return Rifiuta(Procedi, nodoN() + QStringLiteral("L'angolo tra il Puntone e la Saetta risulta =0."));

    const Single t1 = Sng(Div(h, Sin(PiGreco - teta)));

    // The notch may not cut deeper than the strut's height allows at this angle.
    const bool sottoLaVerticale = Sng(PiGreco / 2.0) > alfa;
    Single p, q;
    if (sottoLaVerticale) {
        p = Sng(Tan(PiGreco - teta));
        q = Sng(Tan(teta - PiGreco / 2.0));
    } else {
        p = Sng(Tan(teta));
        q = Sng(Tan(PiGreco / 2.0 - teta));
    }
    const Single r = Sng(t1 - static_cast<double>(tv) * p - static_cast<double>(tv) * q);
    if (r < 0.0f) {
        const Single limite = Sng(Div(t1 / 10.0, static_cast<double>(q) + p));
        return Rifiuta(Procedi, nodoN() + QStringLiteral("Per il Tipo di Unione Specificato, ") + QChar(34) +
                                    QStringLiteral("Puntone Saetta a Dente Arretrato") + QChar(34) +
                                    QStringLiteral(" l'intaglio tv deve essere minore di ") +
                                    basic::Format(limite, QStringLiteral("0.00")) + QStringLiteral(" cm."));
    }

    nodo.alfa(Gradi(alfa));
    nodo.Teta(Gradi(teta));
    nodo.F1(N);
    const Single g = sottoLaVerticale ? teta : Sng(PiGreco - teta);
    nodo.fd1(Fd(g, fc0d, fc90d));
    nodo.tens1(Sng(Div(nodo.F1(), Div(static_cast<double>(tv) * b, Cos(teta / 2.0)))));
    nodo.Angolo1(Gradi(g));

    NodoCorr.reset();
}

// Left member (1), king post (2), right member (3), each in a rear step.
void clsGenVerNodi::VerNodoMPMSDA(bool& Procedi, Integer& nNodo) {
    Procedi = true;
    detail::AmbienteFp fp;
    const auto tieni = ApriNodo(nNodo);
    _clsNodo& nodo = *tieni;
    Aste asta(nodo);

    for (const bool destro : {false, true}) {
        const std::int32_t k = destro ? 3 : 1;
        const Single b = asta.Larghezza(k, 2);
        const Single fc0d = asta(2, "Res_Fc0d");
        const Single fc90d = asta(2, "Res_Fc90d");
        const Single N = Newton(asta(k, "SforzoAssiale"));
        if (asta(k, "Angolo") == 0.0f)
            return Rifiuta(Procedi, destro ? QStringLiteral("L'angolo di inclinazione dell'Asta di Dx risulta =0.")
                                           : QStringLiteral("L'angolo di inclinazione dell'Asta di Sx risulta =0."));

        const Single tv = Mm(destro ? nodo.tvB() : nodo.tv());
        const Single alfa = Radianti(asta(k, "Angolo"));
        const Single gAlfa = Gradi(alfa);
        destro ? nodo.alfaB(gAlfa) : nodo.alfa(gAlfa);
        destro ? nodo.F1B(N) : nodo.F1(N);
        const Single fd1 = Fd(alfa, fc0d, fc90d);
        destro ? nodo.fd1B(fd1) : nodo.fd1(fd1);
        const Single tens1 =
            Sng(Div(destro ? nodo.F1B() : nodo.F1(), Div(static_cast<double>(tv) * b, Cos(alfa))));
        destro ? nodo.tens1B(tens1) : nodo.tens1(tens1);
        const Single ang1 = Gradi(alfa);
        destro ? nodo.Angolo1B(ang1) : nodo.Angolo1(ang1);
    }
    NodoCorr.reset();
}

} // namespace QOR_TRBNS18
