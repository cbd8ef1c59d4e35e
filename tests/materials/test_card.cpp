// The material card and its openers, driven as a user drives them, with every save read back
// through SQLite directly.
#include "Schede.h"

#include "tests/data/LockHolder.h"
#include "Locale.h"
#include "ScriptedUi.h"

#include "materials/Finestre.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>

using schede::aperta;
using schede::compila;
using schede::conta;
using schede::riga;
using testing_support::Call;
using testing_support::LocaleGuard;
using testing_support::ScriptedUi;

namespace {

const QString kTitolo = "Scheda Legno";
const QString kObbligatorio = "Inserire Numero del Materiale. Campo Obbligatorio";
const QString kIntero = "Il Campo Numero del Materiale deve essere un numero intero positivo.";
const QString kValore = "Inserire Valore con formato numerico corretto.";
const QStringList kUndici = {"24", "14,5", "0,4", "21", "2,5", "4", "11000", "7400", "370", "690", "350"};

// The one message box shown, which must come after a beep.
void expectBeepThenBox(const ScriptedUi& ui, const QString& prompt, int style, const QString& title) {
    const auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, prompt);
    EXPECT_EQ(boxes[0].style, style);
    EXPECT_EQ(boxes[0].title, title);
    ASSERT_GE(ui.calls().size(), 2u);
    bool beepFirst = false;
    for (const Call& c : ui.calls()) {
        if (c.kind == Call::Beep) beepFirst = true;
        if (c.kind == Call::MsgBox) break;
    }
    EXPECT_TRUE(beepFirst) << "no beep before the message";
}

} // namespace

using Scheda = schede::Archivio;

TEST_F(Scheda, ANewCardStoresWhatWasTypedUnderEitherLocaleAndShowsItAgain) {
    const struct {
        QLocale locale;
        long long numero;
        const char* mostrato; // Fmk as the card shows it again
        const char* e0mean;
    } casi[] = {{LocaleGuard::italian(), 41, "2,5", "11000,125"}, {LocaleGuard::english(), 42, "2.5", "11000.125"}};
    for (const auto& c : casi) {
        SCOPED_TRACE(c.locale.name().toStdString());
        LocaleGuard g(c.locale);
        ScriptedUi ui;
        auto s = nuova();
        ASSERT_TRUE(aperta(s));
        EXPECT_EQ(s->windowTitle(), "Nuovo Materiale (LEGNO): Scheda N. 1");
        EXPECT_EQ(s->Text2->text(), QString::number(c.numero)) << "the highest number + 1";
        EXPECT_EQ(s->Command1->text(), "Registra");
        EXPECT_EQ(s->Command2->text(), "Esci");
        EXPECT_EQ(s->modif, 0);
        // Typed as a user types: the point becomes the locale's separator, except in the class.
        QTest::keyClicks(s->Text1[0], " C.30 ");
        QTest::keyClicks(s->Text1[1], "Abete rosso");
        QTest::keyClicks(s->Text1[2], "2.5");
        QTest::keyClicks(s->Text1[4], "0.4");
        QTest::keyClicks(s->Text1[8], "11000.125"); // more digits than a single holds, stored whole
        QTest::keyClicks(s->Text1[9], "-.75");
        QTest::keyClicks(s->Text1[12], "1.5E+3");
        EXPECT_EQ(s->Text1[2]->text(), QString::fromUtf8(c.mostrato));
        EXPECT_EQ(s->modif, 1);
        QTest::mouseClick(s->Command1, Qt::LeftButton);

        EXPECT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes()[0].prompt.toStdString();
        EXPECT_FALSE(aperta(s)) << "a saved card closes itself";
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
        EXPECT_EQ(NumSchedeAperte, 0);
        EXPECT_EQ(riga(db, c.numero), std::to_string(c.numero) +
                                          "|C.30|Abete rosso|2.5|0.0|0.4|0.0|0.0|0.0|11000.125|-0.75|0.0|0.0|1500.0");

        // Opened again, the zeros show as empty boxes and saving them gives back the zeros.
        auto m = apri("Modifica", c.numero);
        ASSERT_TRUE(aperta(m));
        EXPECT_EQ(m->windowTitle(), "Modifica Scheda Materiale (LEGNO): C.30");
        EXPECT_EQ(m->Text1[2]->text(), QString::fromUtf8(c.mostrato));
        EXPECT_EQ(m->Text1[3]->text(), "");
        EXPECT_EQ(m->Text1[8]->text(), c.e0mean);
        EXPECT_EQ(m->Text1[12]->text(), "1500");
        EXPECT_EQ(m->modif, 0);
        QTest::mouseClick(m->Command1, Qt::LeftButton);
        EXPECT_FALSE(aperta(m));
        EXPECT_EQ(riga(db, c.numero), std::to_string(c.numero) +
                                          "|C.30|Abete rosso|2.5|0.0|0.4|0.0|0.0|0.0|11000.125|-0.75|0.0|0.0|1500.0");
    }
    EXPECT_EQ(conta(db), "42");
}

// Every shipped material opened on a modify card and saved without a touch: not a byte of the table
// changes, whatever the values' digits.
TEST_F(Scheda, AShippedMaterialSavedUnchangedKeepsItsRowToTheByte) {
    const std::string tabella = "SELECT group_concat(r, char(10)) FROM (SELECT rowid || ':' || Numero || '|' || "
                                "quote(Classe) || '|' || quote(Descrizione) || '|' || quote(Fmk) || '|' || "
                                "quote(Ft0k) || '|' || quote(Ft90k) || '|' || quote(Fc0k) || '|' || quote(Fc90k) || "
                                "'|' || quote(Fvk) || '|' || quote(E0mean) || '|' || quote(E05) || '|' || "
                                "quote(E90mean) || '|' || quote(Gmean) || '|' || quote(rok) AS r FROM Legno ORDER BY rowid)";
    const std::string prima = testdb::scalar(db, tabella);
    const QStringList numeri = QString::fromStdString(testdb::scalar(db, "SELECT group_concat(Numero) FROM Legno")).split(',');
    ASSERT_GT(numeri.size(), 30);
    ScriptedUi ui;
    for (const QString& n : numeri) {
        auto m = apri("Modifica", n.toLongLong());
        ASSERT_TRUE(aperta(m)) << n.toStdString();
        QTest::mouseClick(m->Command1, Qt::LeftButton);
        EXPECT_FALSE(aperta(m)) << n.toStdString();
    }
    EXPECT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(testdb::scalar(db, tabella), prima);
}

TEST_F(Scheda, TheCheckRefusesTheFirstFaultWithItsTextAndStoresNothing) {
    const struct {
        const char* numero;
        int box;            // a value box given a text of its own; 0 for none
        const char* valore; // its text
        QString messaggio;
        std::vector<int> azzerati; // empty value boxes that became "0" before the fault
    } casi[] = {
        {"", 0, "", kObbligatorio, {}},
        {"   ", 0, "", kObbligatorio, {}},
        {"0", 0, "", kIntero, {}},
        {"-3", 0, "", kIntero, {}},
        {"abc", 0, "", kIntero, {}},
        {"2,5", 0, "", kIntero, {}},
        {"2147483648", 0, "", kIntero, {}}, // beyond the numbers the joint window looks up
        {"50", 5, "abc", kValore, {2, 3, 4}},
        {"50", 2, "1,5E+39", kValore, {}}, // no single holds it
        {"50", 8, "1.000", kValore, {2, 3, 4, 5, 6, 7}}, // a thousands separator is no number
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.numero) + " / " + c.valore);
        ScriptedUi ui;
        auto s = nuova();
        s->Text2->setText(QString::fromUtf8(c.numero));
        s->Text1[1]->setText("Descrizione");
        if (c.box) s->Text1[static_cast<std::size_t>(c.box)]->setText(QString::fromUtf8(c.valore));
        QTest::mouseClick(s->Command1, Qt::LeftButton);

        expectBeepThenBox(ui, c.messaggio, ui::vbOKOnly, kTitolo);
        ASSERT_TRUE(aperta(s));
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
        EXPECT_EQ(s->Text2->text(), QString::fromUtf8(c.numero)) << "the user's text stays";
        for (int i = 2; i <= 12; ++i) {
            const bool azzerato = std::find(c.azzerati.begin(), c.azzerati.end(), i) != c.azzerati.end();
            const QString atteso = i == c.box ? QString::fromUtf8(c.valore) : (azzerato ? "0" : "");
            EXPECT_EQ(s->Text1[static_cast<std::size_t>(i)]->text(), atteso) << "box " << i;
        }
        if (c.box) {
            EXPECT_EQ(s->focusWidget(), s->Text1[static_cast<std::size_t>(c.box)]);
            EXPECT_EQ(s->Text1[static_cast<std::size_t>(c.box)]->selectedText(), QString::fromUtf8(c.valore));
        } else {
            EXPECT_EQ(s->focusWidget(), s->Command1) << "the number's messages leave the focus where the click put it";
        }
        EXPECT_EQ(conta(db), "40");
        s->modif = 0;
        s->close();
    }

    // A number pasted as "45,0" is material 45.
    ScriptedUi ui;
    auto s = nuova();
    compila(*s, "45,0", "", "", kUndici);
    QTest::mouseClick(s->Command1, Qt::LeftButton);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(riga(db, 45), "45|||24.0|14.5|0.4|21.0|2.5|4.0|11000.0|7400.0|370.0|690.0|350.0");
}

TEST_F(Scheda, NoSecondMaterialTakesANumberInUse) {
    ScriptedUi ui;
    const QString giaUsato = "Esiste già un Materiale con il Numero 6.";
    auto s = nuova();
    compila(*s, "6", "C24", "Doppione", kUndici);
    QTest::mouseClick(s->Command1, Qt::LeftButton);
    expectBeepThenBox(ui, giaUsato, ui::vbOKOnly, kTitolo);
    EXPECT_TRUE(aperta(s));
    EXPECT_EQ(s->focusWidget(), s->Text2);
    EXPECT_EQ(s->Text2->selectedText(), "6");
    EXPECT_EQ(conta(db, "Numero=6"), "1");

    // A changed number on a modify card is refused the same way; an unchanged one is the card's own.
    const std::string prima = riga(db, 7);
    ui.clear();
    auto m = apri("Modifica", 7);
    m->Text2->setText("6");
    m->Text1[1]->setText("Cambiata");
    QTest::mouseClick(m->Command1, Qt::LeftButton);
    expectBeepThenBox(ui, giaUsato, ui::vbOKOnly, kTitolo);
    EXPECT_TRUE(aperta(m));
    EXPECT_EQ(riga(db, 7), prima);
    ui.clear();
    m->Text2->setText("7");
    QTest::mouseClick(m->Command1, Qt::LeftButton);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_FALSE(aperta(m));
    EXPECT_EQ(riga(db, 7), "7|C27|Cambiata|27.0|16.5|0.4|22.0|2.5|4.0|11500.0|7700.0|380.0|720.0|360.0");
    EXPECT_EQ(conta(db), "40");
}

// Closing a card with unsaved changes: every answer, in both modes that ask, for a check that
// passes, a check that fails and a save that fails. The card closes only when nothing is lost.
TEST_F(Scheda, TheClosePromptNeverLosesAnEdit) {
    enum Esito { Passa, ControlloFallito, RegistrazioneFallita };
    const QString attenzione = "Attenzione!\n";
    const QString salvare = "\nSalvare la Scheda Materiale prima di Uscire?";
    const QString rigaNuova = "La Scheda non è stata registrata. ";
    const QString rigaModifica = "Le modifiche apportate alla Scheda non sono state registrate. ";
    const struct {
        bool nuova;
        int risposta;
        Esito esito;
        bool resta;               // the card stays open
        bool registrata;          // the change reached the file
        const char* secondoInizio; // the beginning of the message after the prompt; nullptr for none
    } casi[] = {
        {true, ui::vbYes, Passa, false, true, nullptr},
        {true, ui::vbYes, ControlloFallito, true, false, "Inserire Numero del Materiale."},
        {true, ui::vbYes, RegistrazioneFallita, true, false, "Impossibile Registrare Materiale.\n\n"},
        {true, ui::vbNo, Passa, false, false, nullptr},
        {true, ui::vbNo, ControlloFallito, false, false, nullptr},
        {true, ui::vbNo, RegistrazioneFallita, false, false, nullptr},
        {true, ui::vbCancel, Passa, true, false, nullptr},
        {true, ui::vbCancel, ControlloFallito, true, false, nullptr},
        {true, ui::vbCancel, RegistrazioneFallita, true, false, nullptr},
        {false, ui::vbYes, Passa, false, true, nullptr},
        {false, ui::vbYes, ControlloFallito, true, false, "Inserire Numero del Materiale."},
        {false, ui::vbYes, RegistrazioneFallita, true, false, "Impossibile effettuare Registrazione Modifica Materiale.\n\n"},
        {false, ui::vbNo, Passa, false, false, nullptr},
        {false, ui::vbNo, ControlloFallito, false, false, nullptr},
        {false, ui::vbNo, RegistrazioneFallita, false, false, nullptr},
        {false, ui::vbCancel, Passa, true, false, nullptr},
        {false, ui::vbCancel, ControlloFallito, true, false, nullptr},
        {false, ui::vbCancel, RegistrazioneFallita, true, false, nullptr},
    };
    CnMateriali->BusyTimeout(50);
    int k = 0;
    for (const auto& c : casi) {
        SCOPED_TRACE(::testing::Message() << "case " << k++);
        const std::string prima = riga(db, 6);
        ScriptedUi ui;
        auto s = c.nuova ? nuova() : apri("Modifica", 6);
        ASSERT_TRUE(aperta(s));
        if (c.nuova) compila(*s, "60", "Cx", "Nuovo", kUndici);
        const QString cambiata = QString("Descrizione cambiata %1").arg(k);
        s->Text1[1]->setText(cambiata);
        if (c.esito == ControlloFallito) s->Text2->setText("");
        sqlite3* altro = nullptr;
        if (c.esito == RegistrazioneFallita) { // another connection is writing
            ASSERT_EQ(sqlite3_open(db.toUtf8().constData(), &altro), SQLITE_OK);
            ASSERT_EQ(sqlite3_exec(altro, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        }
        ui.answer(c.risposta);
        s->close(); // the close box, the main window's closing: every closing passes the prompt

        const auto boxes = ui.msgBoxes();
        ASSERT_GE(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].prompt, attenzione + (c.nuova ? rigaNuova : rigaModifica) + salvare);
        EXPECT_EQ(boxes[0].style, ui::vbYesNoCancel + ui::vbInformation);
        EXPECT_EQ(boxes[0].title, kTitolo);
        if (c.secondoInizio) {
            ASSERT_EQ(boxes.size(), 2u);
            EXPECT_TRUE(boxes[1].prompt.startsWith(QString::fromUtf8(c.secondoInizio))) << boxes[1].prompt.toStdString();
            EXPECT_EQ(boxes[1].title, kTitolo);
        } else {
            EXPECT_EQ(boxes.size(), 1u);
        }
        EXPECT_EQ(aperta(s), c.resta);
        if (c.resta) {
            EXPECT_EQ(s->Text1[1]->text(), cambiata) << "the edit is still there";
        }
        if (c.nuova)
            EXPECT_EQ(conta(db, "Numero=60"), c.registrata ? "1" : "0");
        else
            EXPECT_EQ(riga(db, 6) == prima, !c.registrata) << riga(db, 6);
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
        if (altro) {
            sqlite3_exec(altro, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close(altro);
        }
        if (s) {
            s->modif = 0;
            s->close();
        }
        testdb::exec(db, "DELETE FROM Legno WHERE Numero=60");
    }

    // A change of the number alone asks too; view and delete cards never ask.
    ScriptedUi ui;
    auto m = apri("Modifica", 8);
    m->Text2->setText("80");
    ui.answer(ui::vbCancel);
    m->close();
    EXPECT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_TRUE(aperta(m));
    for (const char* modo : {"Visualizza", "Elimina"}) {
        ui.clear();
        auto s = apri(modo, 8);
        ASSERT_TRUE(aperta(s)) << modo;
        s->close();
        EXPECT_TRUE(ui.calls().empty()) << modo;
        EXPECT_FALSE(aperta(s)) << modo;
    }
    EXPECT_EQ(conta(db, "Numero=8"), "1");
}

TEST_F(Scheda, ASaveWhileAnotherProgramHoldsTheDatabaseLosesNothingAndGoesThroughOnceItLetsGo) {
    ScriptedUi ui;
    CnMateriali->BusyTimeout(300);
    auto s = nuova();
    compila(*s, "70", "C70", "Durante il blocco", kUndici);
    {
        testdb::LockHolder altro(db, testdb::LockHolder::Writing);
        QTest::mouseClick(s->Command1, Qt::LeftButton);
        const auto boxes = ui.msgBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_TRUE(boxes[0].prompt.startsWith("Impossibile Registrare Materiale.\n\n")) << boxes[0].prompt.toStdString();
        EXPECT_TRUE(boxes[0].prompt.contains("bloccato da un altro programma")) << boxes[0].prompt.toStdString();
        EXPECT_EQ(boxes[0].style, ui::vbOKOnly);
        EXPECT_EQ(boxes[0].title, kTitolo);
        EXPECT_TRUE(aperta(s));
        EXPECT_EQ(s->Text2->text(), "70");
        EXPECT_EQ(s->Text1[1]->text(), "Durante il blocco");
        EXPECT_EQ(s->Text1[3]->text(), "14,5");
        // The wait ran under the hourglass, and the message came with the ordinary pointer.
        bool clessidra = false;
        for (const Call& c : ui.calls()) clessidra |= c.kind == Call::MousePointer && c.style == ui::vbHourglass;
        EXPECT_TRUE(clessidra);
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
    }
    EXPECT_EQ(conta(db, "Numero=70"), "0");
    ui.clear();
    QTest::mouseClick(s->Command1, Qt::LeftButton);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_FALSE(aperta(s));
    EXPECT_EQ(riga(db, 70), "70|C70|Durante il blocco|24.0|14.5|0.4|21.0|2.5|4.0|11000.0|7400.0|370.0|690.0|350.0");
    EXPECT_EQ(testdb::integrity(db), "ok");
}

TEST_F(Scheda, TwoCardsOnOneMaterialNeverOverwriteEachOther) {
    ScriptedUi ui;
    auto a = apri("Modifica", 6);
    auto b = apri("Modifica", 6);
    auto d = apri("Elimina", 6);
    ASSERT_TRUE(aperta(a) && aperta(b) && aperta(d));
    EXPECT_EQ(NumSchedeAperte, 3);
    a->Text1[2]->setText("30");
    QTest::mouseClick(a->Command1, Qt::LeftButton);
    EXPECT_FALSE(aperta(a));

    b->Text1[3]->setText("15");
    QTest::mouseClick(b->Command1, Qt::LeftButton);
    auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].prompt.startsWith("Impossibile effettuare Registrazione Modifica Materiale.\n\n"));
    EXPECT_TRUE(boxes[0].prompt.contains("modificata da un altro utente")) << boxes[0].prompt.toStdString();
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly + ui::vbCritical);
    EXPECT_TRUE(aperta(b)) << "the refused edit stays on screen";
    EXPECT_EQ(b->Text1[3]->text(), "15");

    ui.clear();
    QTest::mouseClick(d->Command1, Qt::LeftButton);
    boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].prompt.startsWith("Impossibile Eliminare Materiale.\n\nErrore nell'Eliminazione della scheda "
                                           "dal Database.\n\n"));
    EXPECT_EQ(boxes[0].style, ui::vbOKOnly + ui::vbCritical);
    EXPECT_EQ(boxes[0].title, kTitolo);
    EXPECT_TRUE(aperta(d));
    EXPECT_EQ(riga(db, 6), "6|C24|Conifera C24|30.0|14.5|0.4|21.0|2.5|4.0|11000.0|7400.0|370.0|690.0|350.0");

    // A card opened on what is there now deletes it; no second question.
    ui.clear();
    auto e = apri("Elimina", 6);
    QTest::mouseClick(e->Command1, Qt::LeftButton);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_FALSE(aperta(e));
    EXPECT_EQ(conta(db, "Numero=6"), "0");
    EXPECT_EQ(conta(db), "39");
}

TEST_F(Scheda, TheOpenersCaptionsAndMessages) {
    ScriptedUi ui;
    testdb::exec(db, "UPDATE Legno SET Classe='  GL24h ' WHERE Numero=29; INSERT INTO Legno (Numero, Classe) VALUES (7, 'bis');");
    const struct {
        const char* modo;
        const char* numero;
        QString titoloFinestra; // "" when no card opens
        QString messaggio;
        int stile;
        QString titolo;
    } casi[] = {
        {"Visualizza", "29", "Visualizza Scheda Materiale (LEGNO): GL24h", "", 0, ""},
        {"Modifica", "29", "Modifica Scheda Materiale (LEGNO): GL24h", "", 0, ""},
        {"Elimina", "29", "Elimina Scheda Materiale (LEGNO): GL24h", "", 0, ""},
        {"Modifica", "12345", "", "Il Legno N.12345 non è stato trovato nel database.\n", 16, "Legno non trovato."},
        {"Visualizza", "29 or 1=1", "", "Il Legno N.29 or 1=1 non è stato trovato nel database.\n", 16, "Legno non trovato."},
        {"Modifica", "7", "",
         "Database Corrupted. Sono state trovate N= 2 tipologie di Legno aventi lo stesso Numero.\nContattare "
         "Amministratore Server",
         16, "Database con Duplicati"},
        {"visualizza", "29", "", "", 0, ""},
    };
    for (const auto& c : casi) {
        SCOPED_TRACE(std::string(c.modo) + " " + c.numero);
        ui.clear();
        SchedaLegnoCorrente = nullptr;
        QString modo = QString::fromUtf8(c.modo), numero = QString::fromUtf8(c.numero);
        ApriSchedaLegno(modo, numero);
        QPointer<SchedaLegno> s = SchedaLegnoCorrente;
        if (c.messaggio.isEmpty()) {
            EXPECT_TRUE(ui.calls().empty());
        } else {
            expectBeepThenBox(ui, c.messaggio, c.stile, c.titolo);
        }
        EXPECT_EQ(aperta(s), !c.titoloFinestra.isEmpty());
        if (!s) continue;
        EXPECT_EQ(s->windowTitle(), c.titoloFinestra);
        EXPECT_EQ(s->modif, 0);
        EXPECT_EQ(s->Text1[1]->text(), "Lamellare omogeneo GL24h");
        EXPECT_EQ(s->Text1[0]->text(), "  GL24h ") << "the box shows the field as it is";
        const bool modifica = QString(c.modo) == "Modifica";
        EXPECT_EQ(s->Text2->isReadOnly(), !modifica);
        EXPECT_EQ(s->Text1[12]->isReadOnly(), !modifica);
        EXPECT_EQ(s->Text1[5]->palette().color(QPalette::Base) == QColor(0xE0, 0xE0, 0xE0), !modifica);
        EXPECT_EQ(s->Command1->isHidden(), QString(c.modo) == "Visualizza");
        EXPECT_EQ(s->Command1->text(), QString(c.modo) == "Elimina" ? "Conferma Elimina"
                                                      : modifica              ? "Registra Modifica"
                                                                               : "Registra");
        EXPECT_EQ(s->Command2->text(), QString(c.modo) == "Elimina" ? "Annulla" : "Esci");
        EXPECT_EQ(s->rs_OneLeg->RecordCount(), 1);
    }

    // A failed look-up says why.
    ui.clear();
    ChiudiDatabaseMateriali();
    QString modo = "Modifica", numero = "29";
    ApriSchedaLegno(modo, numero);
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_TRUE(ui.msgBoxes()[0].prompt.startsWith("Errore N. 3709 nella lettura del Database.\n\n"));
    EXPECT_EQ(ui.msgBoxes()[0].style, ui::vbOKOnly);
    EXPECT_TRUE(ui.msgBoxes()[0].title.isNull()) << "the program's title";
}

TEST_F(Scheda, ANewCardProposesFromTheListAndCountsTheCardsOpen) {
    ScriptedUi ui;
    std::shared_ptr<data::Recordset> lista;
    QString errore;
    ApriRecordset(lista, "Select * from Legno ", errore);
    lista->Filter("Descrizione like 'Latifoglia%'");
    lista->MoveFirst();
    SchedaLegnoNuova(lista);
    QPointer<SchedaLegno> a = SchedaLegnoCorrente;
    EXPECT_EQ(a->Text2->text(), "27") << "the highest visible number + 1, although 27 is taken";
    EXPECT_EQ(lista->Fields("Numero").Value().toLongLong(), 26) << "the list stands on its last row";
    EXPECT_EQ(a->windowTitle(), "Nuovo Materiale (LEGNO): Scheda N. 1");

    std::shared_ptr<data::Recordset> vuota, nessuna;
    ApriRecordset(vuota, "Select * From Legno where Numero =0", errore);
    SchedaLegnoNuova(vuota);
    QPointer<SchedaLegno> b = SchedaLegnoCorrente;
    EXPECT_EQ(b->Text2->text(), "");
    EXPECT_EQ(b->windowTitle(), "Nuovo Materiale (LEGNO): Scheda N. 2");
    SchedaLegnoNuova(nessuna); // a list whose recordset failed to open
    EXPECT_EQ(SchedaLegnoCorrente->Text2->text(), "");
    EXPECT_EQ(SchedaLegnoCorrente->windowTitle(), "Nuovo Materiale (LEGNO): Scheda N. 3");
    b->close();
    EXPECT_FALSE(aperta(b));
    EXPECT_EQ(NumSchedeAperte, 2);
    SchedaLegnoNuova(vuota);
    EXPECT_EQ(SchedaLegnoCorrente->windowTitle(), "Nuovo Materiale (LEGNO): Scheda N. 3");
    EXPECT_TRUE(ui.calls().empty()) << "closing a card nobody typed in asks nothing";
}

TEST_F(Scheda, AKeyboardWalkThroughANewCard) {
    ScriptedUi ui;
    auto s = nuova();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s));
    EXPECT_EQ(QApplication::focusWidget(), s->Text2) << "an opened card has the focus in the number box";
    s->Text2->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), "7,1.5"); // no separator in a material number
    EXPECT_EQ(s->Text2->text(), "715");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const char* const testi[13] = {"C.7", "Walk", "1.25", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11"};
    for (int i = 0; i <= 12; ++i) {
        ASSERT_EQ(QApplication::focusWidget(), s->Text1[static_cast<std::size_t>(i)]) << i;
        QTest::keyClicks(QApplication::focusWidget(), testi[i]);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_EQ(QApplication::focusWidget(), s->Command1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_FALSE(aperta(s));
    EXPECT_EQ(riga(db, 715), "715|C.7|Walk|1.25|2.0|3.0|4.0|5.0|6.0|7.0|8.0|9.0|10.0|11.0");

    // A view card: its last box hands the focus to "Esci", which closes it.
    auto v = apri("Visualizza", 715);
    ASSERT_TRUE(QTest::qWaitForWindowActive(v));
    v->Text1[12]->setFocus();
    QTest::keyClick(v->Text1[12], Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), v->Command2);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(aperta(v));
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(Scheda, TextsFromTheDatabaseStayWholeAndTheLimitsBindOnlyTyping) {
    ScriptedUi ui;
    const QString classe = "Classe lunga 18 ch";
    const QString descrizione = QString("Descrizione ") + QString(70, QChar('x'));
    testdb::exec(db, "UPDATE Legno SET Classe='" + classe.toStdString() + "', Descrizione='" + descrizione.toStdString() +
                         "' WHERE Numero=9");
    auto m = apri("Modifica", 9);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m));
    for (QLineEdit* b : {m->Text1[0], m->Text1[1]}) EXPECT_EQ(b->cursorPosition(), 0) << "shown from its beginning";
    EXPECT_EQ(m->Text1[0]->text(), classe);
    m->Text1[0]->setFocus();
    EXPECT_EQ(m->Text1[1]->text(), descrizione);
    QTest::keyClick(m->Text1[0], Qt::Key_End);
    QTest::keyClicks(m->Text1[0], "zz"); // a full box takes nothing more
    EXPECT_EQ(m->Text1[0]->text(), classe);
    QTest::keyClick(m->Text1[0], Qt::Key_Backspace); // but it can be shortened
    EXPECT_EQ(m->Text1[0]->text(), classe.chopped(1));
    m->Text1[0]->setText(classe);
    m->Text1[2]->setText("36");
    QTest::mouseClick(m->Command1, Qt::LeftButton);
    EXPECT_FALSE(aperta(m));
    EXPECT_EQ(testdb::scalar(db, "SELECT Classe || '|' || Descrizione || '|' || Fmk FROM Legno WHERE Numero=9"),
              (classe + "|" + descrizione + "|36.0").toStdString());

    auto s = nuova();
    ASSERT_TRUE(QTest::qWaitForWindowActive(s));
    for (QLineEdit* b : {s->Text2, s->Text1[0], s->Text1[1]}) {
        b->setFocus();
        b->selectAll();
        QTest::keyClicks(b, b == s->Text2 ? "123456789012" : b == s->Text1[0] ? "ABCDEFGHIJKL" : QString(60, QChar('d')));
    }
    EXPECT_EQ(s->Text2->text().size(), 10);
    EXPECT_EQ(s->Text1[0]->text(), "ABCDEFGHIJ");
    EXPECT_EQ(s->Text1[1]->text().size(), 50);
}

TEST_F(Scheda, InTheMainWindowsAreaTheFrameClosesOnlyWithTheCard) {
    ScriptedUi ui;
    QMdiArea area;
    area.show();
    materials::ImpostaAreaFinestre(&area);
    auto s = nuova();
    ASSERT_EQ(area.subWindowList().size(), 1);
    QMdiSubWindow* cornice = area.subWindowList().front();
    EXPECT_EQ(cornice->widget(), s.data());
    compila(*s, "", "Nel riquadro", "", kUndici);
    ui.answer(ui::vbYes);
    cornice->close(); // the frame's close box: the check refuses, everything stays
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ui.msgBoxes().size(), 2u);
    EXPECT_EQ(area.subWindowList().size(), 1);
    EXPECT_TRUE(aperta(s));
    s->Text2->setText("90");
    ui.answer(ui::vbYes);
    cornice->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_FALSE(s);
    EXPECT_EQ(conta(db, "Numero=90 AND Classe='Nel riquadro'"), "1");

    auto v = apri("Visualizza", 90);
    ASSERT_EQ(area.subWindowList().size(), 1);
    QTest::mouseClick(v->Command2, Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_TRUE(area.subWindowList().isEmpty()) << "Esci takes the frame along";
    materials::ImpostaAreaFinestre(nullptr);
}
