// The joint window: "Verifica", the registration of the joint and its members with the engine and
// the verification run.
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"
#include "platform/basic/Error.h"
#include "platform/component/Component.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

#include <cmath>
#include <exception>

using QOR_TRBNS18::_clsAsta;
using QOR_TRBNS18::_clsNodo;

namespace {

const QString kNonImplementato = QStringLiteral("Impossibile Procedere.") + QChar(10) +
                                 QStringLiteral("Il Tipo di nodo selezionato non è ancora implementato nella Classe");

// Every value the run stores is a single, rounded with the range checked: a number beyond it is an
// overflow, never a silent infinity handed to the engine.
Single Sng(double x) { return basic::CSng(x); }

// The value of row `riga` of a member's material list, as the list shows it.
QString rigaMat(QTreeWidget* lst, int riga) { return ui::ListSubItemText(lst, riga); }

// Shows the exception a step raised in the program's error box, once the step is over (and the
// busy pointer gone).
void MostraErrore(const std::exception_ptr& errore) {
    try {
        std::rethrow_exception(errore);
    } catch (...) {
        ui::MostraEccezioneCorrente();
    }
}

} // namespace

Integer frmNodi::numeroNodo() const { return basic::CInt(basic::Val(lblNodoCorrente->text())); }

std::shared_ptr<_clsNodo> frmNodi::nodoFinestra() const {
    if (!GenVerNodi) platform::Raise(platform::err::ObjectNotSet);
    const auto nodi = GenVerNodi->Nodi();
    if (!nodi) platform::Raise(platform::err::ObjectNotSet);
    auto nodo = nodi->ItemAs<_clsNodo>(numeroNodo());
    if (!nodo) platform::Raise(platform::err::ObjectNotSet);
    return nodo;
}

void frmNodi::Command8_Click() {
    ui::SetCurrentTab(SSTab1, 0);
    bool procedi = true;
    AcquisisciDatiNodo(procedi);
    if (procedi) AvviaVerifica(procedi);
    if (procedi) {
        ui::SetCurrentTab(SSTab1, 1);
        cmbTipoNodo->setEnabled(false);
        QPalette p = cmbTipoNodo->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Button));
        cmbTipoNodo->setPalette(p);
    }
}

void frmNodi::AcquisisciDatiNodo(bool& procedi) {
    procedi = true;
    QString msg;
    controlladati(procedi, msg);
    if (!procedi) {
        ui::MsgBox(msg, ui::vbOKOnly + ui::vbCritical, QStringLiteral("Controllo Dati"));
        return;
    }

    // The check has passed every text converted below without a test of its own. What can still
    // fail (a number beyond the range of a single, an engine object that cannot be made) is shown
    // in the error box; members registered before it stay registered, by position.
    try {
        int nAste = 0;
        for (int k = 0; k < ui::TabCount(SSTab2); ++k)
            if (ui::TabVisible(SSTab2, k)) ++nAste;

        const auto nodo = nodoFinestra();
        const Tipo t = tipoScelto();
        nodo->TipoNodo(TestoDi(t).toStdString());
        if (t == Tipo::CatenaPuntone) {
            nodo->ReazioneY(basic::CSng(txtReaz->text()));
            nodo->LunghezzaAppoggio(basic::CSng(txtLapp->text()));
            nodo->tv(basic::CSng(txtMis[1]->text()));
            nodo->Lv(basic::CSng(txtMis[2]->text()));
        } else if (t == Tipo::PuntoneSaetta) {
            nodo->tv(basic::CSng(txtMis[1]->text()));
        } else if (Monaco(t)) {
            nodo->tv(basic::CSng(txtMis[1]->text()));
            nodo->Lv(basic::CSng(txtMis[2]->text()));
            nodo->tvB(basic::CSng(txtMis[3]->text()));
            nodo->LvB(basic::CSng(txtMis[4]->text()));
        } else {
            ui::MsgBox(kNonImplementato, ui::vbOKOnly);
            procedi = false;
            return;
        }

        for (int i = 1; i <= nAste && i <= NumeroAste; ++i) {
            auto asta = component::CreateObjectAs<_clsAsta>(QOR_TRBNS18::ProgIdAsta);
            const QString sezione = basic::Trim(ComboAsta[i]->currentText());

            asta->Altezza(basic::CSng(sezione == QLatin1String("Rettangolare") ? txtHAsta[i]->text()
                                                                               : txtBAsta[i]->text()));
            const QString angolo = txtAngAsta[i]->text();
            asta->Angolo(basic::IsNumeric(angolo) ? basic::CSng(angolo) : 0.0f);
            asta->Base(basic::CSng(txtBAsta[i]->text()));
            const QString sforzo = txtNAsta[i]->text();
            const std::optional<double> N = basic::TryCDbl(sforzo);
            asta->SforzoAssiale(N ? Sng(std::fabs(*N)) : 0.0f);
            asta->TipoSezione(ComboAsta[i]->currentText().toStdString());

            const double B = asta->Base();
            const double H = asta->Altezza();
            if (B != 0 && H != 0) {
                if (sezione == QLatin1String("Rettangolare")) {
                    asta->area(Sng(H * B));
                    asta->ModInerzia(Sng(H * H * H * B / 12));
                    asta->ModResistenza(Sng(H * H * B / 6));
                } else if (sezione == QLatin1String("Circolare")) {
                    // Base and Altezza both hold the radius.
                    const double pi = PiGrecoSingolo;
                    asta->area(Sng((2 * B) * (2 * B) * pi / 4));
                    asta->ModInerzia(Sng(B * B * B * B * pi / 4));
                    asta->ModResistenza(Sng(asta->ModInerzia() / B));
                }
            }

            // The material as the list shows it, row by row in its fixed order.
            QTreeWidget* lst = LstMatAsta[i];
            asta->NumeroMateriale(basic::CLng(basic::CDbl(rigaMat(lst, 1))));
            asta->DescrizioneMateriale(rigaMat(lst, 2).toStdString());
            asta->Res_Fmk(basic::CSng(rigaMat(lst, 3)));
            asta->Res_Ft0k(basic::CSng(rigaMat(lst, 4)));
            asta->Res_Ft90k(basic::CSng(rigaMat(lst, 5)));
            asta->Res_Fc0k(basic::CSng(rigaMat(lst, 6)));
            asta->Res_Fc90k(basic::CSng(rigaMat(lst, 7)));
            asta->Res_Fvk(basic::CSng(rigaMat(lst, 8)));
            asta->ModEl_0mean(basic::CSng(rigaMat(lst, 9)));
            asta->ModEl_05(basic::CSng(rigaMat(lst, 10)));
            asta->ModEl_90(basic::CSng(rigaMat(lst, 11)));
            asta->ModEl_Gmean(basic::CSng(rigaMat(lst, 12)));
            asta->Peso(basic::CSng(rigaMat(lst, 13)));

            const double kmod = valKmod();
            const double gammaM = basic::CSng(txtCoefMat[6]->text());
            // The typed sign tells tension from compression; SforzoAssiale keeps the magnitude.
            const bool tesa = N && *N > 0;
            asta->Res_Fd(Sng((tesa ? asta->Res_Ft0k() : asta->Res_Fc0k()) * kmod / gammaM));
            asta->Res_Fc0d(Sng(asta->Res_Fc0k() * kmod / gammaM));
            asta->Res_Fvd(Sng(asta->Res_Fvk() * kmod / gammaM));
            asta->Res_Fc90d(Sng(asta->Res_Fc90k() * kmod / gammaM));

            // By position: a place the joint already holds is updated, the next one is added. After
            // a change of type the joint may hold fewer members than the window shows now.
            Integer nNodo = numeroNodo();
            Integer nAsta = static_cast<Integer>(i);
            const auto aste = nodo->Asta();
            if (aste && i <= aste->Count())
                GenVerNodi->ModificaAsta(nNodo, nAsta, asta);
            else
                GenVerNodi->AggiungiAsta(nNodo, asta);
            asta.reset();
        }
        nodo->AsteReg(true);
    } catch (...) {
        procedi = false;
        MostraErrore(std::current_exception());
    }
}

void frmNodi::AvviaVerifica(bool& procedi) {
    std::exception_ptr errore;
    {
        ui::PuntatoreOccupato occupato;
        if (cmbTipoNodo->currentIndex() < 0) {
            // Nothing was verified: no report, and the window stays as it is.
            ui::Beep();
            procedi = false;
        } else {
            try {
                Integer nNodo = numeroNodo();
                const Tipo t = tipoScelto();
                if (!GenVerNodi) platform::Raise(platform::err::ObjectNotSet);
                if (t == Tipo::CatenaPuntone) {
                    GenVerNodi->VerNodoCPDS(procedi, nNodo);
                } else if (t == Tipo::PuntoneSaetta) {
                    GenVerNodi->VerNodoPSDS(procedi, nNodo);
                } else if (Monaco(t)) {
                    GenVerNodi->VerNodoMPMSDS(procedi, nNodo);
                } else {
                    ui::Beep();
                    ui::MsgBox(kNonImplementato, ui::vbOKOnly);
                    procedi = false;
                }
                if (procedi) {
                    CreaRelVerNodi(RichTextBox1);
                    Command8->setEnabled(false);
                }
            } catch (...) {
                // An engine error (a floating-point fault, a missing member) leaves the window as a
                // refusal does; what the engine wrote before it stays on the joint.
                errore = std::current_exception();
                procedi = false;
            }
        }
    }
    if (errore) MostraErrore(errore);
}

Single frmNodi::valKmod() {
    Single kmod = 0;
    for (int k = 1; k <= 3; ++k)
        if (Option2[k]->isChecked()) kmod = basic::CSng(txtCoefCar[k]->text());
    return kmod;
}

QString frmNodi::strClasse() {
    QString classe;
    for (int k = 1; k <= 3; ++k)
        if (Option2[k]->isChecked()) classe = Option2[k]->text();
    return classe;
}
