#include "materials/SchedaLegno.h"

#include "materials/ModLignar2_Legno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/basic/Error.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Ui.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <cmath>
#include <exception>
#include <optional>

namespace {

const QString kTitolo = QStringLiteral("Scheda Legno");
const QString kRegistra = QStringLiteral("Registra");
const QString kRegistraModifica = QStringLiteral("Registra Modifica");
const QString kConfermaElimina = QStringLiteral("Conferma Elimina");
const QChar LF(10);

// Limits what the user types or pastes into a box, never what the program writes into it: a text
// read from the database stays whole, and a box already over the limit can still be shortened.
// The user types only into the box that has the focus; text that code writes into a box without
// the focus is taken whole.
class LimiteDigitazione : public QValidator {
public:
    LimiteDigitazione(QLineEdit* box, int limite) : QValidator(box), box_(box), limite_(limite) {
        // The box already holds the edited text when it asks; what it held before is kept here.
        connect(box, &QLineEdit::textChanged, this, [this](const QString& t) { prima_ = t.size(); });
    }
    State validate(QString& input, int&) const override {
        return input.size() <= limite_ || input.size() <= prima_ || !box_->hasFocus() ? Acceptable : Invalid;
    }

private:
    QLineEdit* box_;
    int limite_;
    qsizetype prima_ = 0;
};

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// The label's text followed by a row of dots, cut by the label's own width.
QString conPuntini(const QString& testo) {
    QString s = testo + QLatin1Char(' ');
    for (int i = 0; i < 60; ++i) s += QStringLiteral(". ");
    return s;
}

// A whole number from 1 to the largest material number the joint window looks up; nothing for
// any other text.
std::optional<Long> numeroIntero(const QString& testo) {
    const auto x = basic::TryCDbl(testo);
    if (!x || *x != std::floor(*x) || *x < 1 || *x > 2147483647.0) return std::nullopt;
    return static_cast<Long>(*x);
}

QString descrizioneDi(const std::exception& e) {
    if (const auto* pe = dynamic_cast<const platform::Error*>(&e)) return QString::fromStdString(pe->description());
    return QString::fromLocal8Bit(e.what());
}

// A number field as the card shows it: by the locale, no blank.
QString testoNumero(const QVariant& v) {
    if (v.typeId() == QMetaType::LongLong) return basic::CStr(v.toLongLong());
    if (v.typeId() == QMetaType::Double) return basic::CStr(v.toDouble());
    return v.toString();
}

bool zeroONullo(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return true;
    bool ok = false;
    const double x = v.toDouble(&ok);
    return ok && x == 0;
}

struct Valore {
    const char* campo;
    const char* etichetta;
    const char* simbolo; // rich text
};

// Text1(2) to Text1(12), under their three headings.
const Valore kValori[11] = {
    {"Fmk", "Flessione", "f<sub>m,k</sub>"},
    {"Ft0k", "Trazione Parallela alle fibre", "f<sub>t,0,k</sub>"},
    {"Ft90k", "Trazione Ortogonale alle fibre", "f<sub>t,90,k</sub>"},
    {"Fc0k", "Compressione Parallela alle fibre", "f<sub>c,0,k</sub>"},
    {"Fc90k", "Compressione Ortogonale alle fibre", "f<sub>c,90,k</sub>"},
    {"Fvk", "Taglio", "f<sub>v,k</sub>"},
    {"E0mean", "Modulo Elastico Parallelo Medio", "E<sub>0,mean</sub>"},
    {"E05", "Modulo Elastico Parallelo Caratteristico", "E<sub>0,05</sub>"},
    {"E90mean", "Modulo Elastico Ortogonale Medio", "E<sub>90,mean</sub>"},
    {"Gmean", "Modulo Elastico Tangenziale Medio", "G<sub>mean</sub>"},
    {"rok", "Massa Volumica Caratteristica", "ρ<sub>k</sub>"},
};

} // namespace

const std::array<const char*, 13>& SchedaLegno::CampiText1() {
    static const std::array<const char*, 13> campi = {"Classe", "Descrizione", "Fmk",  "Ft0k",   "Ft90k",
                                                      "Fc0k",   "Fc90k",       "Fvk",  "E0mean", "E05",
                                                      "E90mean", "Gmean",      "rok"};
    return campi;
}

// ---------------------------------------------------------------- construction

SchedaLegno::SchedaLegno(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("SchedaLegno"));
    setWindowTitle(QStringLiteral("Scheda Materiale Legno"));

    auto nuovaEtichetta = [this](QWidget* owner, const QString& testo) {
        auto* l = new QLabel(testo, owner);
        l->setObjectName(indexed("Label2", static_cast<int>(Label2.size())));
        Label2.push_back(l);
        return l;
    };
    auto nuovoBox = [](QWidget* owner, const QString& name, int limite) {
        auto* b = new QLineEdit(owner);
        b->setObjectName(name);
        if (limite > 0) b->setValidator(new LimiteDigitazione(b, limite));
        return b;
    };

    auto* main = new QVBoxLayout(this);

    auto* numero = new QHBoxLayout;
    QLabel* lblNumero = nuovaEtichetta(this, QStringLiteral("Materiale  Numero : "));
    QFont grassetto = lblNumero->font();
    grassetto.setBold(true);
    lblNumero->setFont(grassetto);
    Text2 = nuovoBox(this, QStringLiteral("Text2"), 10);
    Text2->setAlignment(Qt::AlignCenter);
    Text2->setFixedWidth(ui::TwipsToPixelsX(1300));
    Text2->setFont(grassetto);
    numero->addWidget(lblNumero);
    numero->addWidget(Text2);
    numero->addStretch(1);
    main->addLayout(numero);

    Frame1 = new QGroupBox(QStringLiteral("PROFILO CARATTERISTICO"), this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* g = new QGridLayout(Frame1);
    g->setColumnStretch(0, 1);
    const int larghezzaEtichette = ui::TwipsToPixelsX(3900);
    auto etichettaRiga = [&](const QString& testo) {
        QLabel* l = nuovaEtichetta(Frame1, conPuntini(testo));
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        l->setMinimumWidth(larghezzaEtichette);
        return l;
    };
    int riga = 0;
    Text1[0] = nuovoBox(Frame1, indexed("Text1", 0), 10);
    Text1[0]->setFixedWidth(ui::TwipsToPixelsX(1500));
    g->addWidget(etichettaRiga(QStringLiteral("Classe")), riga, 0, 1, 2);
    g->addWidget(Text1[0], riga, 2, Qt::AlignLeft);
    ++riga;
    // The description takes the frame's whole width: it holds up to 50 characters.
    Text1[1] = nuovoBox(Frame1, indexed("Text1", 1), 50);
    Text1[1]->setMinimumWidth(ui::TwipsToPixelsX(4200));
    auto* descrizione = new QHBoxLayout;
    descrizione->addWidget(nuovaEtichetta(Frame1, QStringLiteral("Descrizione . . .")));
    descrizione->addWidget(Text1[1], 1);
    g->addLayout(descrizione, riga, 0, 1, 3);
    ++riga;

    auto intestazione = [&](const QString& titolo, const QString& unita) {
        g->setRowMinimumHeight(riga, ui::TwipsToPixelsY(120));
        ++riga;
        QLabel* t = nuovaEtichetta(Frame1, titolo);
        t->setFont(grassetto);
        QLabel* u = nuovaEtichetta(Frame1, unita);
        u->setTextFormat(Qt::RichText);
        u->setAlignment(Qt::AlignCenter);
        g->addWidget(t, riga, 0, 1, 2);
        g->addWidget(u, riga, 2);
        ++riga;
    };
    for (int i = 2; i <= 12; ++i) {
        if (i == 2) intestazione(QStringLiteral("Resistenza Caratteristica"), QStringLiteral("N/mm²"));
        if (i == 8) intestazione(QStringLiteral("Rigidezza"), QStringLiteral("N/mm²"));
        if (i == 12) intestazione(QStringLiteral("Massa"), QStringLiteral("Kg/m³"));
        const Valore& v = kValori[i - 2];
        QLabel* simbolo = nuovaEtichetta(Frame1, QString::fromUtf8(v.simbolo));
        simbolo->setTextFormat(Qt::RichText);
        simbolo->setMinimumWidth(ui::TwipsToPixelsX(900));
        Text1[static_cast<std::size_t>(i)] = nuovoBox(Frame1, indexed("Text1", i), 0);
        Text1[static_cast<std::size_t>(i)]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Text1[static_cast<std::size_t>(i)]->setFixedWidth(ui::TwipsToPixelsX(1500));
        g->addWidget(etichettaRiga(QString::fromUtf8(v.etichetta)), riga, 0);
        g->addWidget(simbolo, riga, 1);
        g->addWidget(Text1[static_cast<std::size_t>(i)], riga, 2);
        ++riga;
    }
    main->addWidget(Frame1, 1);

    Command1 = new QPushButton(kRegistra, this);
    Command2 = new QPushButton(QStringLiteral("Esci"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    auto* bottoni = new QHBoxLayout;
    bottoni->addStretch(1);
    for (QPushButton* b : {Command1, Command2}) {
        b->setMinimumWidth(ui::TwipsToPixelsX(1800));
        b->setAutoDefault(true); // Enter on a focused button presses it
        bottoni->addWidget(b);
    }
    main->addLayout(bottoni);

    // The tab order runs through the number, the thirteen boxes, then the buttons.
    QWidget* precedente = Text2;
    for (QLineEdit* b : Text1) {
        setTabOrder(precedente, b);
        precedente = b;
    }
    setTabOrder(precedente, Command1);
    setTabOrder(Command1, Command2);
    Text2->setFocus();

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Text2, &QLineEdit::textChanged, this, [this] { Text2_Change(); });
    ui::OnKeyPress(Text2, [this](int& k) { Text2_KeyPress(k); });
    for (int i = 0; i <= 12; ++i) {
        connect(Text1[static_cast<std::size_t>(i)], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
        ui::OnKeyPress(Text1[static_cast<std::size_t>(i)], [this, i](int& k) { Text1_KeyPress(i, k); });
    }
}

SchedaLegno::~SchedaLegno() {
    // A card torn down with its parent is counted out all the same; its boxes no longer call it.
    for (QLineEdit* b : Text1) {
        b->disconnect(this);
        ui::RemoveHooks(b);
    }
    Text2->disconnect(this);
    ui::RemoveHooks(Text2);
    Form_Unload();
}

void SchedaLegno::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!focusWidget()) Text2->setFocus();
}

// ---------------------------------------------------------------- fill and lock

void SchedaLegno::MostraDati_Mat(std::shared_ptr<data::Recordset>& auxMat) {
    if (!auxMat) platform::Raise(platform::err::ObjectNotSet);
    data::Recordset& rs = *auxMat;
    // A text longer than its box shows from its beginning, as the user reads it.
    auto mostra = [](QLineEdit* box, const QString& testo) {
        box->setText(testo);
        box->setCursorPosition(0);
    };
    mostra(Text2, testoNumero(rs.Fields(QStringLiteral("Numero")).Value()));
    for (int i = 0; i <= 1; ++i) {
        const QVariant v = rs.Fields(QString::fromLatin1(CampiText1()[static_cast<std::size_t>(i)])).Value();
        if (!v.isNull() && !basic::Trim(v.toString()).isEmpty()) mostra(Text1[static_cast<std::size_t>(i)], v.toString());
    }
    for (int i = 2; i <= 12; ++i) {
        const QVariant v = rs.Fields(QString::fromLatin1(CampiText1()[static_cast<std::size_t>(i)])).Value();
        if (!zeroONullo(v)) mostra(Text1[static_cast<std::size_t>(i)], testoNumero(v));
    }
}

void SchedaLegno::disattiva_controlli() {
    auto blocca = [](QLineEdit* b) {
        b->setReadOnly(true);
        QPalette p = b->palette();
        p.setColor(QPalette::Base, QColor(0xE0, 0xE0, 0xE0));
        b->setPalette(p);
    };
    blocca(Text2);
    for (QLineEdit* b : Text1) blocca(b);
}

// ---------------------------------------------------------------- keys and changes

void SchedaLegno::Text1_Change(int) { modif = 1; }

// A changed number is an unsaved change too: closing must not drop it without a word.
void SchedaLegno::Text2_Change() { modif = 1; }

void SchedaLegno::Text2_KeyPress(int& KeyAscii) {
    if (KeyAscii == ',' || KeyAscii == '.') {
        KeyAscii = 0; // a material number is whole
    } else if (KeyAscii == 13) {
        KeyAscii = 0;
        ui::SelezionaTesto(Text1[0]);
    }
}

void SchedaLegno::Text1_KeyPress(int Index, int& KeyAscii) {
    if (KeyAscii == 13) {
        KeyAscii = 0;
        if (Index < 12)
            ui::SelezionaTesto(Text1[static_cast<std::size_t>(Index + 1)]);
        else if (!Command1->isHidden())
            Command1->setFocus();
        else
            Command2->setFocus();
        return;
    }
    // The locale's decimal separator, so that the value reads back under any locale.
    if (Index >= 2) ui::VirgolaDecimale(KeyAscii);
}

// ---------------------------------------------------------------- check

void SchedaLegno::controlladati(bool& procedi) {
    auto rifiuta = [&](const QString& messaggio) {
        ui::Beep();
        ui::MsgBox(messaggio, ui::vbOKOnly, kTitolo);
        procedi = false;
    };
    if (basic::Trim(Text2->text()).isEmpty()) {
        rifiuta(QStringLiteral("Inserire Numero del Materiale. Campo Obbligatorio"));
        return;
    }
    if (!numeroIntero(Text2->text())) {
        rifiuta(QStringLiteral("Il Campo Numero del Materiale deve essere un numero intero positivo."));
        return;
    }
    for (int i = 2; i <= 12; ++i) {
        QLineEdit* b = Text1[static_cast<std::size_t>(i)];
        if (basic::Trim(b->text()).isEmpty()) b->setText(QStringLiteral("0"));
        // The engine takes every value as a single, so it must fit one.
        if (!basic::TryCSng(b->text())) {
            rifiuta(QStringLiteral("Inserire Valore con formato numerico corretto."));
            ui::SelezionaTesto(b);
            return;
        }
    }
}

void SchedaLegno::controllaNumeroLibero(bool& procedi) {
    const bool nuova = Command1->text() == kRegistra;
    const Long numero = numeroScheda();
    std::optional<QVariant> propria; // the card's own row, which may keep its number
    if (!nuova) {
        data::Recordset& rs = record();
        const QVariant attuale = rs.Fields(QStringLiteral("Numero")).Value();
        if (attuale.isValid() && !attuale.isNull() && attuale.toDouble() == numero) return; // unchanged
        propria = rs.Bookmark();
    }
    std::shared_ptr<data::Recordset> stessi;
    QString errore;
    ApriRecordset(stessi, QStringLiteral("Select * From Legno where Numero=") + basic::CStr(static_cast<long long>(numero)),
                  errore);
    if (!basic::Trim(errore).isEmpty()) {
        if (nuova)
            ui::MsgBox(QStringLiteral("Impossibile Registrare Materiale.") + LF + LF + errore, ui::vbOKOnly, kTitolo);
        else
            ui::MsgBox(QStringLiteral("Impossibile effettuare Registrazione Modifica Materiale.") + LF + LF + errore,
                       ui::vbOKOnly + ui::vbCritical, kTitolo);
        procedi = false;
        return;
    }
    bool occupato = false;
    for (stessi->MoveFirst(); !stessi->EOF_() && !occupato; stessi->MoveNext())
        occupato = !propria || stessi->Bookmark() != *propria;
    if (!occupato) return;
    ui::Beep();
    ui::MsgBox(QStringLiteral("Esiste già un Materiale con il Numero ") + basic::CStr(static_cast<long long>(numero)) +
                   QStringLiteral("."),
               ui::vbOKOnly, kTitolo);
    ui::SelezionaTesto(Text2);
    procedi = false;
}

// ---------------------------------------------------------------- save and delete

Long SchedaLegno::numeroScheda() const {
    const auto n = numeroIntero(Text2->text());
    if (!n) platform::Raise(platform::err::TypeMismatch);
    return *n;
}

data::Recordset& SchedaLegno::record() {
    if (!rs_OneLeg) platform::Raise(platform::err::ObjectNotSet);
    return *rs_OneLeg;
}

void SchedaLegno::compilaMat_conText() {
    data::Recordset& rs = record();
    // The checked whole number, not the box's raw text: "12,0" is material 12.
    rs.Fields(QStringLiteral("Numero")).Value(QVariant(static_cast<qlonglong>(numeroScheda())));
    rs.Fields(QStringLiteral("Classe")).Value(basic::Trim(Text1[0]->text()));
    rs.Fields(QStringLiteral("Descrizione")).Value(basic::Trim(Text1[1]->text()));
    // The number the box shows, whole: the field is a double, and the check has made sure it also
    // fits the single the engine will take it as.
    for (int i = 2; i <= 12; ++i)
        rs.Fields(QString::fromLatin1(CampiText1()[static_cast<std::size_t>(i)]))
            .Value(QVariant(basic::CDbl(Text1[static_cast<std::size_t>(i)]->text())));
}

void SchedaLegno::registraMat(bool& procedi) {
    procedi = true;
    const QString intestazione = QStringLiteral("Impossibile Registrare Materiale.") + LF + LF;
    QString errore;
    ApriRecordset(rs_OneLeg, QStringLiteral("Select * From Legno where Numero =0"), errore);
    if (!basic::Trim(errore).isEmpty()) {
        ui::MsgBox(intestazione + errore, ui::vbOKOnly, kTitolo);
        procedi = false;
        return;
    }
    try {
        record().AddNew();
    } catch (const std::exception& e) {
        ui::MsgBox(intestazione + descrizioneDi(e), ui::vbOKOnly, kTitolo);
        procedi = false;
        return;
    }
    if (!scriviRiga(intestazione, ui::vbOKOnly)) {
        procedi = false;
        return;
    }
    modif = 0;
}

void SchedaLegno::registraModificaMat(bool& procedi) {
    procedi = true;
    if (!scriviRiga(QStringLiteral("Impossibile effettuare Registrazione Modifica Materiale.") + LF + LF,
                    ui::vbOKOnly + ui::vbCritical)) {
        procedi = false;
        return;
    }
    modif = 0;
}

bool SchedaLegno::scriviRiga(const QString& intestazione, int stile) {
    try {
        // A value the row refuses while it is filled fails the save like a refused Update: the
        // pending row is dropped whole, never stored in part.
        compilaMat_conText();
        record().Update();
        ui::SetMousePointer(ui::vbDefault);
        return true;
    } catch (const std::exception& e) {
        ui::SetMousePointer(ui::vbDefault);
        ui::MsgBox(intestazione + descrizioneDi(e), stile, kTitolo);
        try {
            record().CancelUpdate();
        } catch (const std::exception&) {
            // Nothing was pending to undo.
        }
        return false;
    }
}

void SchedaLegno::eliminaMat(bool& procedi) {
    procedi = true;
    try {
        record().Delete(data::adAffectCurrent);
    } catch (const std::exception& e) {
        ui::SetMousePointer(ui::vbDefault);
        ui::MsgBox(QStringLiteral("Impossibile Eliminare Materiale.") + LF + LF +
                       QStringLiteral("Errore nell'Eliminazione della scheda dal Database.") + LF + LF + descrizioneDi(e),
                   ui::vbOKOnly + ui::vbCritical, kTitolo);
        procedi = false;
    }
}

// ---------------------------------------------------------------- confirm, close

bool SchedaLegno::conferma() {
    bool procedi = true;
    const QString azione = Command1->text();
    try {
        // A save, and a delete too, may wait a while for a lock another program holds.
        if (azione == kRegistra || azione == kRegistraModifica || azione == kConfermaElimina)
            ui::SetMousePointer(ui::vbHourglass);
        if (azione == kRegistra) {
            controlladati(procedi);
            if (procedi) controllaNumeroLibero(procedi);
            if (procedi) registraMat(procedi);
        } else if (azione == kRegistraModifica) {
            controlladati(procedi);
            if (procedi) controllaNumeroLibero(procedi);
            if (procedi) registraModificaMat(procedi);
        } else if (azione == kConfermaElimina) {
            eliminaMat(procedi);
        }
    } catch (...) {
        ui::SetMousePointer(ui::vbDefault);
        ui::MostraEccezioneCorrente();
        procedi = false;
    }
    ui::SetMousePointer(ui::vbDefault);
    return procedi;
}

void SchedaLegno::Command1_Click() {
    // The save step has reset modif, so the closing that follows asks nothing.
    if (conferma()) chiudi();
}

void SchedaLegno::Command2_Click() { chiudi(); }

void SchedaLegno::chiudi() {
    if (auto* cornice = qobject_cast<QMdiSubWindow*>(parentWidget()))
        cornice->close();
    else
        close();
}

void SchedaLegno::Form_QueryUnload(int& Cancel, int) {
    const QString azione = Command1->text();
    if (modif != 1 || (azione != kRegistra && azione != kRegistraModifica)) return;
    const QString riga = azione == kRegistra
                             ? QStringLiteral("La Scheda non è stata registrata. ")
                             : QStringLiteral("Le modifiche apportate alla Scheda non sono state registrate. ");
    const int risposta =
        ui::MsgBox(QStringLiteral("Attenzione!") + LF + riga + LF + QStringLiteral("Salvare la Scheda Materiale prima di Uscire?"),
                   ui::vbYesNoCancel + ui::vbInformation, kTitolo);
    if (risposta == ui::vbCancel) {
        Cancel = 1;
    } else if (risposta == ui::vbNo) {
        modif = 0;
    } else if (risposta == ui::vbYes) {
        // The card closes only on a save that went through; otherwise it stays open with the
        // user's text and the message that says why.
        if (!conferma()) Cancel = 1;
    }
}

void SchedaLegno::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    NumSchedeAperte = static_cast<Integer>(NumSchedeAperte - 1);
    if (NumSchedeAperte < 0) NumSchedeAperte = 0;
    rs_OneLeg.reset();
}

void SchedaLegno::closeEvent(QCloseEvent* event) {
    // The prompt runs here, on every closing whatever its cause. A save it starts must not try to
    // close the card again: Qt ignores a close() inside its own closeEvent.
    int Cancel = 0;
    Form_QueryUnload(Cancel, 0);
    if (Cancel != 0) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
    DopoChiusuraScheda();
}
