#include "materials/ModLignar2_Legno.h"

#include "materials/Finestre.h"
#include "materials/modLignar2_Gen.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Ui.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QLineEdit>

#include <cmath>
#include <optional>

QPointer<SchedaLegno> SchedaLegnoCorrente;
Integer NumSchedeAperte = 0;

namespace {

const QChar LF(10);

// The material's class as the caption shows it; a missing class shows as none.
QString classeDi(data::Recordset& rs) {
    const QVariant v = rs.Fields(QStringLiteral("Classe")).Value();
    return v.isNull() ? QString() : basic::Trim(v.toString());
}

// Sets up the card the opener just created; a card whose record cannot be read is not shown and
// goes, and the error is reported.
template <typename F> void preparaEMostra(F&& prepara) {
    SchedaLegno* scheda = SchedaLegnoCorrente;
    try {
        prepara(*scheda);
    } catch (...) {
        delete scheda;
        ui::MostraEccezioneCorrente();
        return;
    }
    scheda->modif = 0; // filling the boxes counted as a change
    materials::MostraFinestra(scheda);
}

// The number a material can carry, from the text the list passes; nothing for any other text.
std::optional<long long> numeroMateriale(const QString& testo) {
    static const QRegularExpression intero(QStringLiteral("^\\s*\\+?([0-9]{1,10})\\s*$"));
    const auto m = intero.match(testo);
    if (!m.hasMatch()) return std::nullopt;
    const long long n = m.captured(1).toLongLong();
    if (n > 2147483647LL) return std::nullopt;
    return n;
}

std::function<void()>& dopoChiusura() {
    static std::function<void()> f;
    return f;
}

} // namespace

void ImpostaDopoChiusuraScheda(std::function<void()> f) { dopoChiusura() = std::move(f); }

void DopoChiusuraScheda() {
    if (dopoChiusura()) dopoChiusura()();
}

void CreaSchedaLegno() {
    SchedaLegnoCorrente = new SchedaLegno;
    NumSchedeAperte = static_cast<Integer>(NumSchedeAperte + 1);
    if (NumSchedeAperte < 1) NumSchedeAperte = 1;
}

void SchedaLegnoNuova(std::shared_ptr<data::Recordset>& rs) {
    CreaSchedaLegno();
    preparaEMostra([&](SchedaLegno& s) {
        s.setWindowTitle(QStringLiteral("Nuovo Materiale (LEGNO): Scheda N.") + basic::Str(NumSchedeAperte));
        if (rs && rs->State() == data::adStateOpen && rs->RecordCount() > 0) {
            rs->MoveLast();
            const QVariant ultimo = rs->Fields(QStringLiteral("Numero")).Value();
            bool numero = false;
            const double piuAlto = ultimo.toDouble(&numero);
            // The check of the save refuses what no material can carry; here it is only shown.
            if (numero && std::fabs(piuAlto) < 9.0e15)
                s.Text2->setText(basic::CStr(static_cast<long long>(std::floor(piuAlto)) + 1));
        }
    });
}

void SchedaLegnoVisualizza(std::shared_ptr<data::Recordset>& rs) {
    CreaSchedaLegno();
    preparaEMostra([&](SchedaLegno& s) {
        s.setWindowTitle(QStringLiteral("Visualizza Scheda Materiale (LEGNO): ") + classeDi(*rs));
        s.MostraDati_Mat(rs);
        s.rs_OneLeg = rs;
        s.disattiva_controlli();
        s.Command1->hide();
    });
}

void SchedaLegnoModifica(std::shared_ptr<data::Recordset>& rs) {
    CreaSchedaLegno();
    preparaEMostra([&](SchedaLegno& s) {
        s.setWindowTitle(QStringLiteral("Modifica Scheda Materiale (LEGNO): ") + classeDi(*rs));
        s.Command1->setText(QStringLiteral("Registra Modifica"));
        s.MostraDati_Mat(rs);
        s.rs_OneLeg = rs;
    });
}

void SchedaLegnoElimina(std::shared_ptr<data::Recordset>& rs) {
    CreaSchedaLegno();
    preparaEMostra([&](SchedaLegno& s) {
        s.setWindowTitle(QStringLiteral("Elimina Scheda Materiale (LEGNO): ") + classeDi(*rs));
        s.Command1->setText(QStringLiteral("Conferma Elimina"));
        s.Command2->setText(QStringLiteral("Annulla"));
        s.MostraDati_Mat(rs);
        s.rs_OneLeg = rs;
        s.disattiva_controlli();
    });
}

void ApriSchedaLegno(QString& modo, QString& numero) {
    QString errore;
    auto nonTrovato = [&] {
        ui::Beep();
        ui::MsgBox(QStringLiteral("Il Legno N.") + numero + QStringLiteral(" non è stato trovato nel database.") + LF,
                   ui::vbOKOnly + ui::vbCritical, QStringLiteral("Legno non trovato."));
    };
    // The statement is built from a whole number only, never from the text as it came.
    const auto n = numeroMateriale(numero);
    if (!n) {
        nonTrovato();
        return;
    }
    std::shared_ptr<data::Recordset> rs;
    ApriRecordset(rs, QStringLiteral("Select * From Legno where Numero=") + basic::CStr(*n), errore);
    if (!basic::Trim(errore).isEmpty()) {
        // The user learns why no card opens.
        ui::MsgBox(errore, ui::vbOKOnly);
        return;
    }
    try {
        const long righe = rs->RecordCount();
        if (righe == 1) {
            if (modo == QLatin1String("Visualizza"))
                SchedaLegnoVisualizza(rs);
            else if (modo == QLatin1String("Modifica"))
                SchedaLegnoModifica(rs);
            else if (modo == QLatin1String("Elimina"))
                SchedaLegnoElimina(rs);
        } else if (righe >= 2) {
            ui::Beep();
            ui::MsgBox(QStringLiteral("Database Corrupted. Sono state trovate N=") + basic::Str(righe) +
                           QStringLiteral(" tipologie di Legno aventi lo stesso Numero.") + LF +
                           QStringLiteral("Contattare Amministratore Server"),
                       ui::vbOKOnly + ui::vbCritical, QStringLiteral("Database con Duplicati"));
        } else {
            nonTrovato();
        }
    } catch (...) {
        ui::MostraEccezioneCorrente();
    }
    rs.reset();
}
