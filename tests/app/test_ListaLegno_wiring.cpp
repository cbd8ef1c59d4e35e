// The materials list as the program opens it: from the menu "Materiali" and the joint window's
// "Tabella Materiali", inside the main window, with its cards among joint windows; and how the
// program's message boxes break lines.
#include "AppTestSupport.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "app/frmNodi.h"
#include "materials/FrmListaLegno.h"
#include "materials/ModLignar2_Legno.h"
#include "materials/SchedaLegno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/basic/Basic.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Settings.h"
#include "platform/ui/Ui.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <gtest/gtest.h>

#include "tests/data/TestDb.h"

using testing_support::ScriptedUi;

namespace {

int finestreLista(frmMain* f) {
    int n = 0;
    for (QMdiSubWindow* s : f->mdiArea()->subWindowList()) n += qobject_cast<FrmListaLegno*>(s->widget()) != nullptr;
    return n;
}

class ListaDalProgramma : public ::testing::Test {
protected:
    void SetUp() override {
        app_testing::AzzeraProgramma();
        settings::DeleteSetting("Tecnavo", "ListaLegname");
    }
    void TearDown() override {
        frmMain::ImpostaUscita({});
        app_testing::AzzeraProgramma();
        settings::DeleteSetting("Tecnavo", "ListaLegname");
    }
    frmMain* avvia() {
        EXPECT_TRUE(Main());
        frmMain* f = MainForm();
        f->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(f));
        ui.clear();
        return f;
    }
    ScriptedUi ui;
};

TEST_F(ListaDalProgramma, BothOpenersGiveTheOneListBroughtToTheFront) {
    frmMain* f = avvia();
    ASSERT_TRUE(f->mnuMateriali->isEnabled());
    f->mnuMateriali->trigger();
    FrmListaLegno* lista = materials::ListaLegnoAperta();
    ASSERT_TRUE(lista);
    EXPECT_EQ(lista->Cornice()->mdiArea(), f->mdiArea());
    EXPECT_EQ(f->mdiArea()->activeSubWindow(), lista->Cornice());
    EXPECT_GT(lista->DataGrid1->RowCount(), 0);
    f->mnuMateriali->trigger();
    EXPECT_EQ(materials::ListaLegnoAperta(), lista);
    EXPECT_EQ(finestreLista(f), 1);

    NuovoNodo(frmNodi::Tipo::CatenaPuntone);
    ASSERT_TRUE(FormNodo);
    EXPECT_NE(f->mdiArea()->activeSubWindow(), lista->Cornice());
    ASSERT_TRUE(FormNodo->Command1->isEnabled());
    FormNodo->Command1->click();
    EXPECT_EQ(materials::ListaLegnoAperta(), lista);
    EXPECT_EQ(f->mdiArea()->activeSubWindow(), lista->Cornice());
    EXPECT_EQ(finestreLista(f), 1);

    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(ListaDalProgramma, WithoutADatabaseTheErrorShowsAtTheOpeningAndNotAtEveryActivation) {
    // The user's data folder cannot be made (a file stands in its way): the start-up copy fails
    // and the program runs on without a connection.
    QTemporaryDir dati;
    QFile ostacolo(dati.filePath("file"));
    ASSERT_TRUE(ostacolo.open(QIODevice::WriteOnly));
    ostacolo.close();
    const QByteArray datiPrima = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", ostacolo.fileName().toLocal8Bit());
    ChiudiDatabaseMateriali(); // what an earlier test left open; a new process has none
    frmMain* f = avvia();
    ASSERT_FALSE(CnMateriali);
    f->mnuMateriali->trigger();
    auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& b : boxes) {
        EXPECT_TRUE(b.prompt.startsWith(QStringLiteral("Errore N. 3709 nella lettura del Database.\n\n")));
        EXPECT_EQ(b.style, ui::vbOKOnly);
        EXPECT_EQ(b.effectiveTitle, QStringLiteral("Tecnavo"));
    }
    ui.clear();

    // The main window coming back (after a message box, another program) is not the list's activation.
    for (int volta = 0; volta < 2; ++volta) {
        QWidget altrove;
        altrove.show();
        altrove.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&altrove));
        f->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(f));
    }
    f->mnuMateriali->trigger();
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(ui.beeps(), 0);
    ChiudiDatabaseMateriali();
    qputenv("XDG_DATA_HOME", datiPrima);
}

// The rows the grid shows, one line each, its cells joined by "|".
std::string righeMostrate(const FrmListaLegno* l) {
    QStringList righe;
    for (long r = 1; r <= l->DataGrid1->RowCount(); ++r) {
        QStringList celle;
        for (int c = 0; c < l->DataGrid1->ColumnCount(); ++c) celle << l->DataGrid1->CellText(r, c);
        righe << celle.join(QLatin1Char('|'));
    }
    return righe.join(QLatin1Char('\n')).toStdString();
}

// The rows of table Legno whose description begins with prefisso, read by SQLite directly in the
// list's order (by number), each as the grid shows it: the eleven values by the list's mask.
std::string righeTabella(const QString& db, const std::string& prefisso) {
    std::string campi = "Numero||'|'||ifnull(Classe,'')||'|'||ifnull(Descrizione,'')";
    for (const char* v : {"Fmk", "Ft0k", "Ft90k", "Fc0k", "Fc90k", "Fvk", "E0mean", "E05", "E90mean", "Gmean", "rok"})
        campi += std::string("||'|'||ifnull(") + v + ",'')";
    const std::string testo = testdb::scalar(db, "SELECT group_concat(r, char(10)) FROM (SELECT " + campi +
                                                     " AS r FROM Legno WHERE Descrizione LIKE '" + prefisso +
                                                     "%' ORDER BY Numero, rowid)");
    QStringList righe;
    for (const QString& riga : QString::fromStdString(testo).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        QStringList celle = riga.split(QLatin1Char('|'));
        for (qsizetype c = 3; c < celle.size(); ++c)
            if (!celle[c].isEmpty()) celle[c] = basic::Format(basic::Val(celle[c]), QStringLiteral("##,#0.00 "));
        righe << celle.join(QLatin1Char('|'));
    }
    return righe.join(QLatin1Char('\n')).toStdString();
}

// A data folder of its own for the length of a scope: the program starts on a fresh working
// database there.
class CartellaDati {
public:
    CartellaDati() : prima_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", dir_.path().toLocal8Bit());
        ChiudiDatabaseMateriali(); // what an earlier test left open; a new process has none
    }
    ~CartellaDati() {
        app_testing::AzzeraProgramma();
        ChiudiDatabaseMateriali();
        qputenv("XDG_DATA_HOME", prima_);
    }
    CartellaDati(const CartellaDati&) = delete;
    CartellaDati& operator=(const CartellaDati&) = delete;

private:
    QTemporaryDir dir_;
    QByteArray prima_;
};

// Two joint windows open, one of them minimized: however a card closes, the list it was opened
// from is active and in front again, not the joint window created first. The list follows each
// card's save, and a card button acts on the row the grid shows current when it is clicked, even
// when that row is gone.
TEST_F(ListaDalProgramma, AmongJointWindowsTheListFollowsEveryCardAndItsButtonsActOnTheRowShown) {
    CartellaDati dati;
    frmMain* f = avvia();
    ASSERT_TRUE(CnMateriali);
    const QString db = PercorsoDbMateriali;
    QMdiArea* area = f->mdiArea();
    std::vector<QMdiSubWindow*> nodi;
    for (int i = 0; i < 2; ++i) {
        NuovoNodo(frmNodi::Tipo::CatenaPuntone);
        ASSERT_TRUE(FormNodo);
        nodi.push_back(qobject_cast<QMdiSubWindow*>(FormNodo->parentWidget()));
    }
    nodi[0]->showMinimized();
    f->mnuMateriali->trigger();
    FrmListaLegno* lista = materials::ListaLegnoAperta();
    ASSERT_TRUE(lista);

    auto digita = [](QLineEdit* box, const QString& testo) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, testo);
    };
    auto clic = [](QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); };
    auto pulsante = [&](int indice) { return lista->Toolbar1->widgetForAction(lista->Buttons[static_cast<std::size_t>(indice)]); };
    auto clicRiga = [&](const QString& numero) {
        for (long r = 1; r <= lista->DataGrid1->RowCount(); ++r)
            if (lista->DataGrid1->CellText(r, 0) == numero) {
                const QModelIndex cella = lista->DataGrid1->model()->index(static_cast<int>(r - 1), 2);
                QTest::mouseClick(lista->DataGrid1->viewport(), Qt::LeftButton, {},
                                  lista->DataGrid1->visualRect(cella).center());
            }
    };
    // The card that a click opens; none when it opened none.
    auto schedaDa = [&](QWidget* w) -> SchedaLegno* {
        SchedaLegnoCorrente = nullptr;
        clic(w);
        return SchedaLegnoCorrente;
    };
    // What follows a click once the program is idle again: closed frames gone, posted work done.
    auto assesta = [] {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QApplication::processEvents();
        }
    };
    auto corrente = [&] {
        const long r = lista->DataGrid1->CurrentRow();
        return r ? lista->DataGrid1->CellText(r, 0) : QString();
    };
    // After a card closes, the list is again the active child and the one in front.
    auto listaDavanti = [&](const char* chiusura) {
        EXPECT_EQ(area->activeSubWindow(), lista->Cornice()) << chiusura;
        QMdiSubWindow* sopra = nullptr;
        for (QMdiSubWindow* s : area->subWindowList(QMdiArea::StackingOrder))
            if (s->isVisible()) sopra = s;
        EXPECT_EQ(sopra, lista->Cornice()) << chiusura;
    };

    digita(lista->Text3, QStringLiteral("Lat"));
    ASSERT_EQ(lista->DataGrid1->RowCount(), 14);

    // "Registra" on a new card.
    SchedaLegno* nuova = schedaDa(pulsante(2));
    ASSERT_TRUE(nuova);
    digita(nuova->Text2, QStringLiteral("41"));
    digita(nuova->Text1[0], QStringLiteral("D90"));
    digita(nuova->Text1[1], QStringLiteral("Latifoglia di prova"));
    for (int i = 2; i <= 12; ++i) digita(nuova->Text1[static_cast<std::size_t>(i)], QString::number(i * 100));
    clic(nuova->Command1);
    assesta();
    ASSERT_EQ(testdb::scalar(db, "SELECT count(*) FROM Legno WHERE Numero=41"), "1");
    EXPECT_EQ(righeMostrate(lista), righeTabella(db, "Lat"));
    EXPECT_EQ(corrente(), QStringLiteral("26")) << "the row the proposal of the number moved to";
    listaDavanti("Registra");

    // "Registra Modifica" on the row the user highlights.
    clicRiga(QStringLiteral("41"));
    SchedaLegno* modifica = schedaDa(pulsante(4));
    ASSERT_TRUE(modifica);
    EXPECT_EQ(modifica->Text2->text(), QStringLiteral("41"));
    digita(modifica->Text1[1], QStringLiteral("Latifoglia di prova, rivista"));
    digita(modifica->Text1[5], QStringLiteral("23.5"));
    clic(modifica->Command1);
    assesta();
    ASSERT_EQ(testdb::scalar(db, "SELECT Fc0k FROM Legno WHERE Numero=41"), "23.5");
    EXPECT_EQ(righeMostrate(lista), righeTabella(db, "Lat"));
    EXPECT_EQ(corrente(), QStringLiteral("41"));
    listaDavanti("Registra Modifica");

    // "Conferma Elimina": the row goes, and the current row is one the table holds.
    SchedaLegno* elimina = schedaDa(pulsante(5));
    ASSERT_TRUE(elimina);
    EXPECT_EQ(elimina->Text2->text(), QStringLiteral("41"));
    clic(elimina->Command1);
    assesta();
    ASSERT_EQ(testdb::scalar(db, "SELECT count(*) FROM Legno WHERE Numero=41"), "0");
    EXPECT_EQ(righeMostrate(lista), righeTabella(db, "Lat"));
    const QString mostrata = corrente();
    ASSERT_FALSE(mostrata.isEmpty());
    EXPECT_EQ(testdb::scalar(db, "SELECT count(*) FROM Legno WHERE Numero=" + mostrata.toStdString()), "1");
    listaDavanti("Conferma Elimina");

    // "Visualizza" acts on that row.
    SchedaLegno* vista = schedaDa(pulsante(3));
    ASSERT_TRUE(vista);
    EXPECT_EQ(vista->Text2->text(), mostrata);
    clic(vista->Command2);
    assesta();
    listaDavanti("Esci");

    // The card's close box: its frame closes.
    SchedaLegno* chiusa = schedaDa(pulsante(3));
    ASSERT_TRUE(chiusa);
    qobject_cast<QMdiSubWindow*>(chiusa->parentWidget())->close();
    assesta();
    listaDavanti("close box");

    // Another program deletes the row shown current while a joint window is in front: the click
    // that brings the list back acts on that row, which is gone, and on no other.
    clicRiga(QStringLiteral("16"));
    ASSERT_EQ(corrente(), QStringLiteral("16"));
    area->setActiveSubWindow(nodi[1]);
    testdb::exec(db, "DELETE FROM Legno WHERE Numero=16");
    EXPECT_FALSE(schedaDa(pulsante(3)));
    const auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("Il Legno N.16 non è stato trovato nel database.\n"));
    assesta();
    EXPECT_EQ(righeMostrate(lista), righeTabella(db, "Lat"));
    EXPECT_EQ(area->subWindowList().size(), 3) << "two joint windows and the list, no card";
}

TEST_F(ListaDalProgramma, EsciSavesNoPlacement) {
    frmMain* f = avvia();
    f->mnuMateriali->trigger();
    materials::ListaLegnoAperta()->Cornice()->move(40, 30);
    int uscite = 0;
    frmMain::ImpostaUscita([&] { ++uscite; });
    f->mnuEsci->trigger();
    EXPECT_EQ(uscite, 1);
    for (const char* chiave : {"Windowstate", "Top", "Left", "Width", "Height"})
        EXPECT_EQ(settings::GetSetting("Tecnavo", "ListaLegname", chiave, "-"), "-") << chiave;
}

// The real message box: its lines break at CR as at LF, and its text is never read as markup.
TEST(MessaggiDelProgramma, ACarriageReturnBreaksTheLine) {
    const struct {
        QString testo;
        QString righe;
    } casi[] = {
        {TestoArchivioMancante(QStringLiteral("C:\\Programmi\\Nodi\\LignarQOR.DEF")),
         QStringLiteral("Impossibile gestire il database dei materiali.\n\nIl file distribuito con il programma: \n"
                        "C:\\Programmi\\Nodi\\LignarQOR.DEF\nnon esiste.\n\nCopiare tale file nella directory di "
                        "installazione del software o reinstallare lo stesso.\n")},
        {QStringLiteral("a\rb\r\nc\n\rd"), QStringLiteral("a\nb\nc\n\nd")},
        {QStringLiteral("<b>Errore</b> & <i>x</i>"), QStringLiteral("<b>Errore</b> & <i>x</i>")},
    };
    for (const auto& c : casi) {
        QString mostrato;
        Qt::TextFormat formato = Qt::AutoText;
        QTimer::singleShot(0, [&] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                mostrato = box->text();
                formato = box->textFormat();
                box->button(QMessageBox::Ok)->click();
            }
        });
        EXPECT_EQ(ui::MsgBox(c.testo, ui::vbOKOnly, QStringLiteral("ERRORE SISTEMA SOFTWARE")), ui::vbOK);
        EXPECT_EQ(mostrato, c.righe);
        EXPECT_EQ(formato, Qt::PlainText);
    }
}

} // namespace
