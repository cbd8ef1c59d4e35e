// The joint window: the ordered input check that guards the verification run. It stops at the first
// fault and leaves the faulty box ready for correction; the caller shows the message.
#include "app/frmNodi.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Ui.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace {

// A text is a number when it converts to a finite single by the user's locale: a value beyond the
// single range would pass a looser test here and overflow in the engine.
std::optional<Single> numero(const QString& testo) { return basic::TryCSng(testo); }

const QString kFormato = QStringLiteral(" con formato Numerico Corretto.");

// The members whose inclination must stay below the vertical: the tie beam's rafter, the lower
// rafter of the rafter-and-strut joint (the strut and the upper rafter keep no limit), and both
// side members of the king-post joints.
bool inclinataSottoNovanta(frmNodi::Tipo tipo, int i) {
    switch (tipo) {
    case frmNodi::Tipo::CatenaPuntone: return i == 2;
    case frmNodi::Tipo::PuntoneSaetta: return i == 1;
    case frmNodi::Tipo::MonacoPuntoni:
    case frmNodi::Tipo::MonacoSaette: return i == 1 || i == 3;
    case frmNodi::Tipo::Nessuno: break;
    }
    return false;
}

// A member's list holds a whole record when it has its 13 rows with numbers in rows 3 to 13 (row 2
// is the description): the registration reads every one of them back.
bool recordCompleto(const QTreeWidget* lst) {
    if (ui::ListCount(lst) != 13) return false;
    for (int r = 3; r <= 13; ++r)
        if (!numero(ui::ListSubItemText(lst, r))) return false;
    return true;
}

} // namespace

void frmNodi::controlladati(bool& procedi, QString& msg) {
    procedi = true;

    // The first fault: beep, the message, the member's tab in front, the faulty box focused with
    // its text selected (a list only focused).
    const auto rifiuta = [&](const QString& messaggio, int asta, QWidget* campo) {
        ui::Beep();
        msg = messaggio;
        // A box takes the focus only with its page in front: the input tab, or the coefficients.
        for (int pagina = 0; pagina < SSTab1->count(); ++pagina)
            if (SSTab1->widget(pagina)->isAncestorOf(campo)) SSTab1->setCurrentIndex(pagina);
        if (asta > 0) ui::SetCurrentTab(SSTab2, asta - 1);
        if (auto* box = qobject_cast<QLineEdit*>(campo))
            ui::SelezionaTesto(box);
        else
            campo->setFocus();
        procedi = false;
    };

    if (cmbTipoNodo->currentIndex() < 0) {
        rifiuta(QStringLiteral("Selezionare Tipo Unione"), 0, cmbTipoNodo);
        return;
    }
    const Tipo tipo = tipoScelto();

    for (int k = 1; k <= 4; ++k) {
        if (txtMis[k]->isHidden()) continue;
        const QString intaglio = QStringLiteral("Inserire Misura Intaglio ") + lblMis[k]->text();
        const std::optional<Single> v = numero(txtMis[k]->text());
        if (!v) {
            rifiuta(intaglio + QStringLiteral(", con formato Numerico Corretto."), 0, txtMis[k]);
            return;
        }
        if (*v <= 0) {
            rifiuta(intaglio + QStringLiteral(" >0."), 0, txtMis[k]);
            return;
        }
    }

    // An empty reaction or bearing means none, whatever the joint type.
    for (QLineEdit* b : {txtReaz, txtLapp})
        if (basic::Trim(b->text()).isEmpty()) b->setText(QStringLiteral("0"));
    if (!numero(txtReaz->text())) {
        rifiuta(QStringLiteral("Inserire Reazione Vincolare con formato Numerico Corretto."), 0, txtReaz);
        return;
    }
    const std::optional<Single> appoggio = numero(txtLapp->text());
    if (!appoggio) {
        rifiuta(QStringLiteral("Inserire Lunghezza Appoggio con formato Numerico Corretto."), 0, txtLapp);
        return;
    }
    // A tie beam's bearing of 0 means no bearing check; a negative one would give a negative
    // stress, reported as verified.
    if (tipo == Tipo::CatenaPuntone && *appoggio < 0) {
        rifiuta(QStringLiteral("Inserire Lunghezza Appoggio positiva."), 0, txtLapp);
        return;
    }

    for (int i = 1; i <= NumeroAste; ++i) {
        if (!ui::TabVisible(SSTab2, i - 1)) continue;
        const QString asta = QStringLiteral("Asta N.") + basic::Str(i);

        if (ComboAsta[i]->currentIndex() < 0) {
            rifiuta(QStringLiteral("Selezionare Tipo Sezione ") + asta, i, ComboAsta[i]);
            return;
        }
        const QString sezione = ComboAsta[i]->currentText();
        const QString base = sezione == QLatin1String("Circolare") ? QStringLiteral("Inserire Raggio Sezione ")
                                                                    : QStringLiteral("Inserire Base Sezione ");
        const std::optional<Single> b = numero(txtBAsta[i]->text());
        if (!b) {
            rifiuta(base + asta + kFormato, i, txtBAsta[i]);
            return;
        }
        if (*b <= 0) {
            rifiuta(base + asta + QStringLiteral(" >0."), i, txtBAsta[i]);
            return;
        }

        if (sezione == QLatin1String("Rettangolare")) {
            const std::optional<Single> h = numero(txtHAsta[i]->text());
            if (!h) {
                rifiuta(QStringLiteral("Inserire Altezza Sezione ") + asta + kFormato, i, txtHAsta[i]);
                return;
            }
            if (*h <= 0) {
                rifiuta(QStringLiteral("Inserire Altezza Sezione ") + asta + QStringLiteral(" >0."), i, txtHAsta[i]);
                return;
            }
        }

        // An empty angle or axial force means 0; blanks are text, and not a number.
        if (!txtAngAsta[i]->text().isEmpty()) {
            const std::optional<Single> a = numero(txtAngAsta[i]->text());
            if (!a) {
                rifiuta(QStringLiteral("Inserire Angolo ") + asta + kFormato, i, txtAngAsta[i]);
                return;
            }
            if (*a < 0) {
                rifiuta(QStringLiteral("Inserire Angolo ") + asta + QStringLiteral(" positivo."), i, txtAngAsta[i]);
                return;
            }
            if (i == 1 && tipo == Tipo::CatenaPuntone && *a != 0) {
                rifiuta(QStringLiteral("L'Angolo dell'") + asta + QStringLiteral(", Ossia della catena deve essere ZERO."),
                        i, txtAngAsta[i]);
                return;
            }
            // A member that leans past the vertical would meet its notch from the wrong side: the
            // tie beam's rafter, the lower rafter against the strut, the king post's side members.
            if (*a >= 90.0f && inclinataSottoNovanta(tipo, i)) {
                rifiuta(QStringLiteral("L'Angolo dell'") + asta + QStringLiteral(" deve essere MINORE di 90."), i,
                        txtAngAsta[i]);
                return;
            }
        }
        if (!txtNAsta[i]->text().isEmpty() && !numero(txtNAsta[i]->text())) {
            rifiuta(QStringLiteral("Inserire Sforzo Assiale ") + asta + kFormato, i, txtNAsta[i]);
            return;
        }

        // No material, a failed look-up, or a record with empty or non-numeric values.
        if (numeroMateriale(i) < 1 || !recordCompleto(LstMatAsta[i])) {
            rifiuta(QStringLiteral("Specificare Materiale ") + asta, i, txtMatAsta);
            return;
        }
    }

    // A notch may take less than half the height of the member that limits it: the tie beam, the
    // lower rafter, or the king post for both of its notches. A circular member's height is its
    // radius, as the registration gives it, never the hidden height box.
    int riferimento = 0;
    QString di;
    const bool monaco = Monaco(tipo);
    if (tipo == Tipo::CatenaPuntone) {
        riferimento = 1;
        di = QStringLiteral("della Catena");
    } else if (tipo == Tipo::PuntoneSaetta) {
        riferimento = 1;
        di = QStringLiteral("del Puntone");
    } else if (monaco) {
        riferimento = 2;
        di = QStringLiteral("del Monaco");
    }
    if (riferimento != 0) {
        QLineEdit* altezza = ComboAsta[riferimento]->currentText() == QLatin1String("Circolare")
                                 ? txtBAsta[riferimento]
                                 : txtHAsta[riferimento];
        if (const std::optional<Single> h = numero(altezza->text())) {
            const Single meta = *h / 2.0f;
            const auto troppoProfondo = [&](int k, const QString& nome) {
                const std::optional<Single> tv = numero(txtMis[k]->text());
                if (!tv || *tv < meta) return false; // tv passed its own rows above
                rifiuta(QStringLiteral("La Misura dell'Intaglio ") + nome +
                            QStringLiteral(" deve essere MINORE della metà dell'Altezza ") + di,
                        0, txtMis[k]);
                return true;
            };
            if (troppoProfondo(1, QStringLiteral("tv"))) return;
            if (monaco && troppoProfondo(3, QStringLiteral("tv2"))) return;
        }
    }

    // Lower rafter and strut leaning together past a straight line leave no angle between them.
    if (tipo == Tipo::PuntoneSaetta) {
        // An empty box counts 0; the others passed their own rows above.
        const auto angolo = [&](int i) { return numero(txtAngAsta[i]->text()).value_or(0.0f); };
        const Single somma = angolo(1) + angolo(3);
        if (somma >= 180.0f) {
            rifiuta(QStringLiteral("La somma degli Angoli delle Aste N. 1 e N. 3 deve essere MINORE di 180."), 3,
                    txtAngAsta[3]);
            return;
        }
    }

    // Every design strength is kmod times a characteristic one: a kmod of 0 leaves the engine
    // nothing to divide by, a negative one makes every strength negative, and none of the code's
    // table reaches above 1,10 (a "6" typed for 0,6 would pass a failing joint).
    for (int k = 1; k <= 3; ++k) {
        if (!Option2[k]->isChecked()) continue;
        const QString classe = QStringLiteral("Inserire Valore Kmod Classe di Servizio N.") + basic::Str(k);
        const std::optional<Single> kmod = numero(txtCoefCar[k]->text());
        if (!kmod || *kmod <= 0) {
            rifiuta(classe + QStringLiteral(" >0."), 0, txtCoefCar[k]);
            return;
        }
        if (*kmod > 1.10f) {
            rifiuta(classe + QStringLiteral(" non superiore a 1,10."), 0, txtCoefCar[k]);
            return;
        }
    }

    // The code's partial factors are never below 1: a smaller one would raise every strength.
    const std::optional<Single> gammaM = numero(txtCoefMat[6]->text());
    if (!gammaM || *gammaM < 1.0f) {
        rifiuta(QStringLiteral("Inserire Coefficiente γM delle Unioni non inferiore a 1."), 0, txtCoefMat[6]);
        return;
    }
}
