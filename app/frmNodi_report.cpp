// The joint window: the verification report of the window's joint. It restates the joint's notch
// geometry, the code coefficients and the members, then sets every stress the engine computed
// against its design strength, marking each failed check with "NON VERIFICA".
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"
#include "platform/basic/Error.h"
#include "platform/ui/Controls.h"

#include <QLabel>
#include <QLineEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include <algorithm>

using QOR_TRBNS18::_clsNodo;

namespace {

const QString kCorpo = QStringLiteral("Courier New");
const QString kRientro(16, QLatin1Char(' '));

QString Due(Single x) { return basic::Format(x, QStringLiteral("0.00")); }
QString Largo5(Single x) { return basic::Format(Due(x), QStringLiteral("@@@@@")); }
QString Largo6(Single x) { return basic::Format(Due(x), QStringLiteral("@@@@@@")); }

void Scrivi(QTextEdit* Rich, const QString& testo) { ui::RichAppend(Rich, testo); }

// One Latin letter in the font "Symbol", which shows it as its Greek letter; back to the body font.
void Greca(QTextEdit* Rich, const QString& lettera) {
    ui::RichSetFontName(Rich, QStringLiteral("Symbol"));
    Scrivi(Rich, lettera);
    ui::RichSetFontName(Rich, kCorpo);
}

// A section heading: the blank that opens the line stays plain. With `resta` the heading attribute
// is left on for the caller to switch off.
void Intestazione(QTextEdit* Rich, const QString& testo, bool resta = false) {
    Scrivi(Rich, QStringLiteral(" "));
    ui::RichSetHeading(Rich, true);
    Scrivi(Rich, testo + QLatin1Char('\n'));
    if (!resta) ui::RichSetHeading(Rich, false);
}

// One face of a notch: its force, its angle to the grain, its strength at that angle and its
// stress with the verdict. Equality fails.
struct Faccia {
    QString etichetta;
    Single F, teta, fd, sigma;
    int cifra;
};

void ScriviFaccia(QTextEdit* Rich, const Faccia& f) {
    const QString c = QString::number(f.cifra);
    Scrivi(Rich, f.etichetta);
    Scrivi(Rich, QStringLiteral(" Componente di compressione F") + c + QStringLiteral(" = ") +
                     Largo6(basic::CSng(static_cast<double>(f.F) / 1000)) + QStringLiteral(" kN\n"));
    Scrivi(Rich, kRientro + QStringLiteral("Angolo tra componente di compressione F") + c +
                     QStringLiteral(" e Fibratura: "));
    Greca(Rich, QStringLiteral("a"));
    Scrivi(Rich, c + QStringLiteral(" = ") + Largo6(f.teta) + QStringLiteral("°\n"));
    Scrivi(Rich, kRientro + QStringLiteral("Resistenza a compressione inclinata fc"));
    Greca(Rich, QStringLiteral("a"));
    Scrivi(Rich, c + QStringLiteral(",d = "));
    Scrivi(Rich, Largo6(f.fd) + QStringLiteral("N/mmq\n"));
    Scrivi(Rich, kRientro);
    Greca(Rich, QStringLiteral("s"));
    Scrivi(Rich, QStringLiteral(" = ") + Largo6(f.sigma) + QStringLiteral(" N/mmq"));
    if (f.sigma < f.fd) {
        Scrivi(Rich, QStringLiteral("  <  fc"));
        Greca(Rich, QStringLiteral("a"));
        Scrivi(Rich, c + QStringLiteral(",d\n"));
    } else {
        Scrivi(Rich, QStringLiteral("  >  fc"));
        Greca(Rich, QStringLiteral("a"));
        Scrivi(Rich, c + QStringLiteral(",d  -  NON VERIFICA\n"));
    }
}

// The heel-shear and bearing checks of the tie beam: the heading stays on over the blank that
// opens the next line.
void ScriviControllo(QTextEdit* Rich, const QString& titolo, const QString& lettera, Single valore, Single limite,
                     const QString& nomeLimite) {
    Intestazione(Rich, titolo, /*resta=*/true);
    Scrivi(Rich, QStringLiteral(" "));
    ui::RichSetHeading(Rich, false);
    Greca(Rich, lettera);
    Scrivi(Rich, QStringLiteral(" = "));
    Scrivi(Rich, Largo6(valore) + QStringLiteral("N/mmq"));
    Scrivi(Rich, valore < limite ? QStringLiteral("  <  ") + nomeLimite
                                 : QStringLiteral("  >  ") + nomeLimite + QStringLiteral(" -  NON VERIFICA"));
    Scrivi(Rich, QStringLiteral("\n"));
    Scrivi(Rich, QStringLiteral("\n"));
}

Single ValoreAsta(const std::shared_ptr<component::Object>& asta, std::string_view nome) {
    if (!asta) platform::Raise(platform::err::ObjectNotSet);
    return component::AsSingle(asta->GetProperty(nome));
}

const std::shared_ptr<component::Object>& Asta(_clsNodo& nodo, int i) {
    const auto aste = nodo.Asta();
    if (!aste) platform::Raise(platform::err::ObjectNotSet);
    return aste->Item(i);
}

} // namespace

void frmNodi::CreaRelVerNodi(QTextEdit* Rich) {
    // A window whose label names no joint still gets its title lines.
    std::shared_ptr<_clsNodo> nodo;
    try {
        nodo = nodoFinestra();
    } catch (const platform::Error&) {
        nodo = nullptr;
    }
    const QString tipo = nodo ? QString::fromStdString(nodo->TipoNodo()) : QString();

    ui::RichClear(Rich);
    // One edit of the document: the pane lays its text out once, not after every piece.
    struct UnaModifica {
        QTextCursor c;
        explicit UnaModifica(QTextDocument* d) : c(d) { c.beginEditBlock(); }
        ~UnaModifica() { c.endEditBlock(); }
    } modifica(Rich->document());
    ui::RichSetFontName(Rich, QStringLiteral("Times New Roman"));
    ui::RichSetFontSize(Rich, 12);
    ui::RichSetHeading(Rich, false);
    ui::RichSetTitle(Rich, true);
    Scrivi(Rich, QStringLiteral(" VERIFICA NODO N.") + lblNodoCorrente->text() + QLatin1Char('\n'));
    ui::RichSetTitle(Rich, false);
    ui::RichSetFontName(Rich, kCorpo);
    ui::RichSetFontSize(Rich, 8);
    Scrivi(Rich, QStringLiteral(" "));
    ui::RichSetHeading(Rich, true);
    Scrivi(Rich, QStringLiteral("Tipologia Nodo:") + QString(10, QLatin1Char(' ')) + tipo + QLatin1Char('\n'));
    ui::RichSetHeading(Rich, false);

    if (TipoDi(tipo) != Tipo::Nessuno) creaRelVerNodiCapriataDenteSemplice(Rich);
}

void frmNodi::creaRelVerNodiCapriataDenteSemplice(QTextEdit* Rich) {
    const auto tieni = nodoFinestra();
    _clsNodo& nodo = *tieni;
    const Tipo tipo = TipoDi(QString::fromStdString(nodo.TipoNodo()));
    const bool catena = tipo == Tipo::CatenaPuntone;
    const bool saetta = tipo == Tipo::PuntoneSaetta;
    const bool monaco = Monaco(tipo);

    ui::RichSetFontName(Rich, kCorpo);
    ui::RichSetFontSize(Rich, 8);

    const auto misura = [&](const char* etichetta, Single valore) {
        Scrivi(Rich, QString::fromUtf8(etichetta) + Largo5(valore) + QStringLiteral(" cm.\n"));
    };
    if (catena) {
        misura(" Profondità Intaglio:     tv  = ", nodo.tv());
        misura(" Lunghezza Resistente:    Lv  = ", nodo.Lv());
    } else if (saetta) {
        misura(" Profondità Intaglio:     tv  = ", nodo.tv());
    } else if (monaco) {
        misura(" Profondità Intaglio:     tv1 = ", nodo.tv());
        misura(" Lunghezza Resistente:    Lv1 = ", nodo.Lv());
        misura(" Profondità Intaglio:     tv2 = ", nodo.tvB());
        misura(" Lunghezza Resistente:    Lv2 = ", nodo.LvB());
    }
    Scrivi(Rich, QStringLiteral("\n"));

    CreaRelValNorm(Rich);
    CreaRelParamAste(Rich);

    Intestazione(Rich, QStringLiteral("Verifica a Compressione Inclinata rispetto le fibrature"));
    if (monaco) Scrivi(Rich, QStringLiteral("\n Saetta di sinistra\n\n"));

    // Face labels by joint type: the two king-post types differ only here. Beyond a right angle
    // between strut and lower rafter the step of the rafter-and-strut joint faces the lower rafter,
    // and its front face is the lower one.
    QString su = QStringLiteral(" Intaglio SUP: ");
    QString giu = QStringLiteral(" Intaglio INF: ");
    if (catena) {
        su = QStringLiteral(" Intaglio SX:  ");
        giu = QStringLiteral(" Intaglio DX:  ");
    } else if (tipo == Tipo::MonacoSaette || (saetta && nodo.Teta() > 90.0f)) {
        std::swap(su, giu);
    }
    ScriviFaccia(Rich, {su, nodo.F1(), nodo.Angolo1(), nodo.fd1(), nodo.tens1(), 1});
    ScriviFaccia(Rich, {giu, nodo.F2(), nodo.Angolo2(), nodo.fd2(), nodo.tens2(), 2});
    Scrivi(Rich, QStringLiteral("\n"));

    if (catena) {
        const auto& catenaAsta = Asta(nodo, 1);
        ScriviControllo(Rich, QStringLiteral("Verifica a Taglio - tallone"), QStringLiteral("t"), nodo.tau(),
                        ValoreAsta(catenaAsta, "Res_Fvd"), QStringLiteral("fvd"));
        if (nodo.ReazioneY() != 0 && nodo.LunghezzaAppoggio() != 0)
            ScriviControllo(Rich, QStringLiteral("Verifica Appoggio - Compressione Perpendicolare alla fibratura"),
                            QStringLiteral("s"), nodo.tens3(), ValoreAsta(catenaAsta, "Res_Fc90d"),
                            QStringLiteral("fc90d"));
    }

    if (monaco) {
        Scrivi(Rich, QStringLiteral(" Saetta di destra\n\n"));
        ScriviFaccia(Rich, {su, nodo.F1B(), nodo.Angolo1B(), nodo.fd1B(), nodo.tens1B(), 1});
        ScriviFaccia(Rich, {giu, nodo.F2B(), nodo.Angolo2B(), nodo.fd2B(), nodo.tens2B(), 2});
        Scrivi(Rich, QStringLiteral("\n"));
    }
}

void frmNodi::CreaRelValNorm(QTextEdit* Rich) {
    Intestazione(Rich, QStringLiteral("Coefficienti Normativi:"));
    Scrivi(Rich, QStringLiteral(" Classe di Servizio: ") + strClasse());
    Scrivi(Rich, QStringLiteral("\n"));
    Scrivi(Rich, QStringLiteral(" Kmod= ") + Due(valKmod()) + QStringLiteral("\n"));
    // The factor of joints as the box holds it: two decimals when it reads as a number.
    const QString gammaM = txtCoefMat[6]->text();
    const std::optional<double> g = basic::TryCDbl(gammaM);
    Scrivi(Rich, QStringLiteral(" "));
    Greca(Rich, QStringLiteral("g"));
    Scrivi(Rich, QStringLiteral("M  = ") + (g ? basic::Format(*g, QStringLiteral("0.00")) : gammaM) +
                     QStringLiteral("\n"));
    Scrivi(Rich, QStringLiteral("\n"));
}

void frmNodi::CreaRelParamAste(QTextEdit* Rich) {
    const auto tieni = nodoFinestra();
    _clsNodo& nodo = *tieni;
    Intestazione(Rich, QStringLiteral("Aste Collegate:"));

    // The members of the joint's type: after a change of type a member left over from the other
    // type is still registered, but it is not part of this joint.
    const bool catena = TipoDi(QString::fromStdString(nodo.TipoNodo())) == Tipo::CatenaPuntone;
    const auto aste = nodo.Asta();
    const int n = std::min(catena ? 2 : 3, aste ? static_cast<int>(aste->Count()) : 0);
    const QString rientro(12, QLatin1Char(' '));
    for (int i = 1; i <= n; ++i) {
        const auto& asta = Asta(nodo, i);
        const auto valore = [&](const char* nome) { return ValoreAsta(asta, nome); };
        Scrivi(Rich, QStringLiteral(" Asta N.") + basic::Format(QString::number(i), QStringLiteral("@@")) +
                         QStringLiteral("  B=") + Due(valore("Base")) + QStringLiteral("cm. x H=") +
                         Due(valore("Altezza")) + QStringLiteral("cm.\n"));
        Scrivi(Rich, rientro + QStringLiteral("Materiale: ") +
                         QString::fromStdString(component::AsString(asta->GetProperty("DescrizioneMateriale"))) +
                         QStringLiteral("\n"));
        const auto coppia = [&](const char* sx, const char* nomeSx, const char* dx, const char* nomeDx) {
            Scrivi(Rich, rientro + QString::fromUtf8(sx) + Largo5(valore(nomeSx)) + QStringLiteral("N/mmq     "));
            Scrivi(Rich, QString::fromUtf8(dx) + Largo5(valore(nomeDx)) + QStringLiteral("N/mmq\n"));
        };
        // Res_Fd: the compression or the tension design value, by the sign of the typed force.
        coppia("fc0k =", "Res_Fc0k", "fc0d =", "Res_Fd");
        coppia("fc90k=", "Res_Fc90k", "fc90d=", "Res_Fc90d");
        coppia("fvk  =", "Res_Fvk", "fvd  =", "Res_Fvd");
    }
    Scrivi(Rich, QStringLiteral("\n"));
}
