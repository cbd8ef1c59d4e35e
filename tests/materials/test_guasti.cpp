// The materials windows while something happens to the database under them: a read-only folder,
// a file read-only at start, the file deleted, another file renamed over it, a full disk. Each
// fault is met where a user meets it, with the list and three cards open: its reason in Italian,
// nothing stored lost, and everything working again once the fault is gone, without a restart.
// Every row is read back through SQLite directly.
#include "Schede.h"

#include "ScriptedUi.h"
#include "materials/Finestre.h"
#include "materials/FrmListaLegno.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Settings.h"
#include "tests/data/Rights.h"

#include <QAction>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>
#include <cstring>
#include <functional>
#include <sys/mount.h>
#include <sys/resource.h>

using schede::aperta;
using schede::compila;
using schede::righe;
using testing_support::ScriptedUi;

namespace {

const QString kLettura = "Errore N.-2147467259 nella lettura del Database.\n\n";
const QStringList kUndici = {"24", "14,5", "0,4", "21", "2,5", "4", "11000", "7400", "370", "690", "350"};
const std::string kAltri = "Numero NOT IN (7, 9, 41)"; // the rows no card touches

const char* const kDiscoModo = "CAPREO_TEST_DISCO_MODO";
const char* const kDiscoCartella = "CAPREO_TEST_DISCO_CARTELLA";

QString motivoCartella() {
    return "la cartella che contiene il database è in sola lettura, e ogni registrazione vi deve creare un file di "
           "appoggio. Renderla scrivibile e riprovare (attempt to write a readonly database).";
}
QString motivoFile() {
    return "il file del database è in sola lettura. Renderlo scrivibile e riprovare (attempt to write a readonly "
           "database).";
}
QString motivoMancante(const QString& db) {
    return "il file del database '" + db +
           "' non c'è più: è stato eliminato, spostato o rinominato. Rimetterlo al suo posto e riprovare.";
}
QString motivoSostituito(const QString& db) {
    return "il file del database '" + db + "' è stato sostituito da un altro file mentre il programma lo usava. ";
}

bool rendiScrivibile(const QString& path, bool si) {
    const QFile::Permissions lettura = QFile::ReadOwner | QFile::ReadUser | QFile::ExeOwner | QFile::ExeUser;
    const QFile::Permissions scrittura = QFile::WriteOwner | QFile::WriteUser;
    const bool cartella = QFileInfo(path).isDir();
    const QFile::Permissions base = cartella ? lettura : (QFile::ReadOwner | QFile::ReadUser);
    return QFile::setPermissions(path, si ? base | scrittura : base);
}

// What goes wrong, and when; the reasons a read and a write then give ("" where they go on).
struct Guasto {
    std::function<void()> allAvvio = [] {};
    std::function<void()> durante = [] {};
    std::function<void()> via = [] {};
    QString motivoLettura;
    QString motivoScrittura;
};

class Guasti : public ::testing::TestWithParam<const char*> {
protected:
    // The cards are typed with decimal commas.
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    void TearDown() override { schede::chiudiTutto(area); }

    // The working database in the folder, copied from the shipped archive and opened as the
    // program opens it, and the list open in the main window's area.
    void avvia(const QString& inCartella, const Guasto& g) {
        cartella = inCartella;
        db = cartella + "/MaterialiQor.dms";
        ASSERT_TRUE(QDir().mkpath(cartella));
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/LignarQOR.DEF", db));
        ASSERT_TRUE(rendiScrivibile(db, true));
        g.allAvvio();
        PercorsoDbMateriali = db;
        ApriDatabaseMateriali();
        ASSERT_TRUE(CnMateriali);
        settings::DeleteSetting(QStringLiteral("Tecnavo"), QStringLiteral("ListaLegname"));
        area.resize(1400, 1000);
        area.show();
        materials::ImpostaAreaFinestre(&area);
        NumSchedeAperte = 0;
        materials::MostraListaLegno();
        lista = materials::ListaLegnoAperta();
        ASSERT_TRUE(lista);
        ASSERT_EQ(lista->DataGrid1->RowCount(), 40);
        ASSERT_TRUE(ui.msgBoxes().empty());
    }

    QPointer<SchedaLegno> apri(const char* modo, const char* numero) {
        QString m = modo, n = numero;
        SchedaLegnoCorrente = nullptr;
        ApriSchedaLegno(m, n);
        return SchedaLegnoCorrente;
    }

    // The one message the last step showed; "" when it showed none.
    std::string messaggio() const {
        const auto boxes = ui.msgBoxes();
        EXPECT_LE(boxes.size(), 1u);
        return boxes.empty() ? std::string() : boxes.back().prompt.toStdString();
    }

    // With the list and a new, a modify and a delete card open, the fault strikes. The list's
    // re-read and each card's confirm button each say why they fail, and leave the file and the
    // user's text as they were. With the fault gone, each goes through.
    void percorri(const Guasto& g) {
        QPointer<SchedaLegno> modifica = apri("Modifica", "7");
        ASSERT_TRUE(modifica);
        modifica->Text1[2]->setText("28,5");
        QPointer<SchedaLegno> elimina = apri("Elimina", "9");
        ASSERT_TRUE(elimina);
        lista->Buttons[2]->trigger();
        QPointer<SchedaLegno> nuova = SchedaLegnoCorrente;
        ASSERT_TRUE(nuova);
        EXPECT_EQ(nuova->Text2->text(), "41");
        compila(*nuova, "41", "C99", "Registrata durante il guasto", kUndici);
        const std::string altri = righe(db, kAltri);
        const std::string tutte = righe(db, "1");
        ASSERT_FALSE(altri.empty());

        g.durante();
        ui.clear();
        lista->Buttons[7]->trigger();
        if (g.motivoLettura.isEmpty()) {
            EXPECT_EQ(messaggio(), "");
            EXPECT_EQ(lista->DataGrid1->RowCount(), 40);
        } else {
            EXPECT_EQ(messaggio(), (kLettura + "Impossibile eseguire \"Select * from Legno\": " + g.motivoLettura).toStdString());
            EXPECT_EQ(lista->DataGrid1->RowCount(), 0);
        }
        const struct {
            QPointer<SchedaLegno>& scheda;
            QString atteso;
        } passi[] = {
            {nuova, "Impossibile Registrare Materiale.\n\n" +
                        (g.motivoLettura.isEmpty()
                             ? "Impossibile aggiungere la riga: " + g.motivoScrittura
                             : kLettura + "Impossibile eseguire \"Select * From Legno where Numero=41\": " + g.motivoLettura)},
            {modifica, "Impossibile effettuare Registrazione Modifica Materiale.\n\nImpossibile salvare la riga: " +
                           g.motivoScrittura},
            {elimina, "Impossibile Eliminare Materiale.\n\nErrore nell'Eliminazione della scheda dal Database.\n\n"
                      "Impossibile eliminare la riga: " +
                          g.motivoScrittura},
        };
        for (const auto& p : passi) {
            ui.clear();
            QTest::mouseClick(p.scheda->Command1, Qt::LeftButton);
            EXPECT_EQ(messaggio(), p.atteso.toStdString());
            EXPECT_TRUE(aperta(p.scheda)) << p.atteso.toStdString();
        }
        EXPECT_EQ(nuova->Text1[1]->text(), "Registrata durante il guasto");
        EXPECT_EQ(modifica->Text1[2]->text(), "28,5");
        if (QFile::exists(db)) {
            EXPECT_EQ(righe(db, "1"), tutte);
        }

        g.via();
        ui.clear();
        lista->Buttons[7]->trigger();
        EXPECT_EQ(messaggio(), "");
        EXPECT_EQ(lista->DataGrid1->RowCount(), 40);
        for (const auto& p : passi) {
            ui.clear();
            QTest::mouseClick(p.scheda->Command1, Qt::LeftButton);
            EXPECT_EQ(messaggio(), "");
            EXPECT_FALSE(aperta(p.scheda));
        }
        EXPECT_EQ(righe(db, kAltri), altri);
        EXPECT_EQ(schede::riga(db, 41),
                  "41|C99|Registrata durante il guasto|24.0|14.5|0.4|21.0|2.5|4.0|11000.0|7400.0|370.0|690.0|350.0");
        EXPECT_EQ(testdb::scalar(db, "SELECT Fmk FROM Legno WHERE Numero=7"), "28.5");
        EXPECT_EQ(schede::conta(db, "Numero=9"), "0");
        EXPECT_EQ(testdb::integrity(db), "ok");
        ui.clear();
        lista->Buttons[7]->trigger();
        EXPECT_EQ(messaggio(), "");
        EXPECT_EQ(lista->DataGrid1->RowCount(), 40);
    }

    QTemporaryDir tmp;
    QString cartella, db;
    QMdiArea area;
    ScriptedUi ui;
    FrmListaLegno* lista = nullptr;
};

TEST_P(Guasti, EachSaysWhyInItalianLosesNothingAndWorksOnceGone) {
    // Bound as a user is, also when the tests run as the superuser.
    testdb::RightsBind diritti;
    const QString nome = GetParam();
    const QString qui = tmp.filePath("archivio");
    const QString copia = tmp.filePath("copia.dms");
    const QString path = qui + "/MaterialiQor.dms";
    Guasto g;
    if (nome == "CartellaInSolaLettura") {
        g.durante = [&] { ASSERT_TRUE(rendiScrivibile(qui, false)); };
        g.via = [&] { ASSERT_TRUE(rendiScrivibile(qui, true)); };
        g.motivoScrittura = motivoCartella();
    } else if (nome == "FileInSolaLetturaAllAvvio") {
        g.allAvvio = [&] { ASSERT_TRUE(rendiScrivibile(path, false)); };
        g.via = [&] { ASSERT_TRUE(rendiScrivibile(path, true)); };
        g.motivoScrittura = motivoFile();
    } else if (nome == "FileEliminato") {
        g.durante = [&] {
            ASSERT_TRUE(QFile::copy(path, copia));
            ASSERT_TRUE(QFile::remove(path));
        };
        g.via = [&] { ASSERT_TRUE(QFile::copy(copia, path)); };
        g.motivoLettura = g.motivoScrittura = motivoMancante(path);
    }
    avvia(qui, g);
    percorri(g);
}

INSTANTIATE_TEST_SUITE_P(Database, Guasti,
                         ::testing::Values("CartellaInSolaLettura", "FileInSolaLetturaAllAvvio", "FileEliminato"));

// A full disk is met in a process of its own: on a small file system mounted for it where the
// system lets a user do that (a private mount namespace), else under a limit on the size of the
// files it writes.
TEST_F(Guasti, ADiskFullSaysWhyLosesNothingAndWorksOnceThereIsRoomAgain) {
    QProcess prova;
    prova.start("unshare", {"-Urm", "mount", "-t", "tmpfs", "-o", "size=64k", "tmpfs", tmp.path()});
    const bool tmpfs = prova.waitForFinished(10000) && prova.exitStatus() == QProcess::NormalExit && prova.exitCode() == 0;
    SCOPED_TRACE(tmpfs ? "a full file system" : "a file-size limit");

    QProcess figlio;
    auto env = QProcessEnvironment::systemEnvironment();
    env.insert(kDiscoModo, tmpfs ? "tmpfs" : "limite");
    env.insert(kDiscoCartella, tmp.filePath("disco"));
    figlio.setProcessEnvironment(env);
    figlio.setProcessChannelMode(QProcess::MergedChannels);
    const QStringList filtro = {QCoreApplication::applicationFilePath(),
                                "--gtest_filter=Guasti.ADiskFullInAProcessOfItsOwn"};
    if (tmpfs)
        figlio.start("unshare", QStringList{"-Urm"} + filtro);
    else
        figlio.start(filtro.front(), filtro.mid(1));
    ASSERT_TRUE(figlio.waitForFinished(120000));
    const QString uscita = QString::fromUtf8(figlio.readAll());
    EXPECT_EQ(figlio.exitCode(), 0) << uscita.toStdString();
    EXPECT_TRUE(uscita.contains("[  PASSED  ] 1 test.") && !uscita.contains("SKIPPED")) << uscita.toStdString();
}

TEST_F(Guasti, ADiskFullInAProcessOfItsOwn) {
    const QByteArray modo = qgetenv(kDiscoModo);
    if (modo.isEmpty()) GTEST_SKIP() << "run only in the process the disk-full test starts";
    const QString qui = qEnvironmentVariable(kDiscoCartella);
    ASSERT_TRUE(QDir().mkpath(qui));
    Guasto g;
    rlimit limite{};
    const QString riempitivo = qui + "/riempitivo";
    if (modo == "tmpfs") {
        ASSERT_EQ(::mount("tmpfs", QFile::encodeName(qui).constData(), "tmpfs", 0, "size=512k"), 0) << std::strerror(errno);
        g.durante = [&] {
            QFile f(riempitivo);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            const QByteArray blocco(4096, 'x');
            while (f.write(blocco) == blocco.size() && f.flush()) {
            }
        };
        g.via = [&] { ASSERT_TRUE(QFile::remove(riempitivo)); };
        g.motivoScrittura = "il disco è pieno. Liberare spazio e riprovare (database or disk is full).";
    } else {
        std::signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limite), 0);
        g.durante = [&] {
            rlimit nessuno = limite;
            nessuno.rlim_cur = 0;
            ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &nessuno), 0);
        };
        g.via = [&] { ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limite), 0); };
        g.motivoScrittura = "il file ha raggiunto la dimensione massima che il sistema consente. Liberare spazio o "
                            "alzare il limite e riprovare (disk I/O error).";
    }
    avvia(qui, g);
    percorri(g);
}

TEST_F(Guasti, AnotherFileRenamedOverTheDatabaseIsSaidThenUsedAndOneThatIsNoDatabaseIsNeverWritten) {
    testdb::RightsBind diritti;
    avvia(tmp.filePath("archivio"), Guasto{});
    QPointer<SchedaLegno> modifica = apri("Modifica", "7");
    ASSERT_TRUE(modifica);
    modifica->Text1[2]->setText("28,5");

    // A copy that holds one material more takes the working file's name.
    const QString altro = tmp.filePath("altro.dms");
    ASSERT_TRUE(QFile::copy(db, altro));
    testdb::exec(altro, "INSERT INTO Legno (Numero, Classe, Descrizione) VALUES (77, 'X', 'Solo nel nuovo file');");
    ASSERT_TRUE(QFile::remove(db));
    ASSERT_TRUE(QFile::rename(altro, db));
    ui.clear();
    lista->Buttons[7]->trigger();
    EXPECT_EQ(messaggio(), (kLettura + "Impossibile eseguire \"Select * from Legno\": " + motivoSostituito(db) +
                            "Ora si usa il file presente a quel percorso: ripetere l'operazione.")
                               .toStdString());
    ui.clear();
    lista->Buttons[7]->trigger();
    EXPECT_EQ(messaggio(), "");
    EXPECT_EQ(lista->DataGrid1->RowCount(), 41);
    // The card opened on the old file saves into the file the user sees, its row being the same.
    QTest::mouseClick(modifica->Command1, Qt::LeftButton);
    EXPECT_EQ(messaggio(), "");
    EXPECT_FALSE(aperta(modifica));
    EXPECT_EQ(testdb::scalar(db, "SELECT Fmk FROM Legno WHERE Numero=7"), "28.5");
    EXPECT_EQ(schede::conta(db, "Numero=77"), "1");

    // A file that is no database takes the name: it is said, and the file is never written.
    const QString buono = tmp.filePath("buono.dms");
    ASSERT_TRUE(QFile::rename(db, buono));
    {
        QFile testo(db);
        ASSERT_TRUE(testo.open(QIODevice::WriteOnly));
        testo.write(QByteArray("Numero;Descrizione\n1;Abete\n").repeated(300));
    }
    const QByteArray contenuto = [&] {
        QFile f(db);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    const QString nonValido = "Impossibile leggere il database '" + db + "': il file non è un database valido (file is not a database).";
    ui.clear();
    lista->Buttons[7]->trigger();
    EXPECT_EQ(messaggio(), (kLettura + "Impossibile eseguire \"Select * from Legno\": " + motivoSostituito(db) +
                            "Il nuovo file non si può usare: " + nonValido)
                               .toStdString());
    lista->Buttons[2]->trigger();
    QPointer<SchedaLegno> nuova = SchedaLegnoCorrente;
    ASSERT_TRUE(nuova);
    compila(*nuova, "78", "C78", "Dopo il file sbagliato", kUndici);
    ui.clear();
    QTest::mouseClick(nuova->Command1, Qt::LeftButton);
    EXPECT_EQ(messaggio(), ("Impossibile Registrare Materiale.\n\n" + kLettura + nonValido).toStdString());
    EXPECT_TRUE(aperta(nuova));
    QFile dopo(db);
    ASSERT_TRUE(dopo.open(QIODevice::ReadOnly));
    EXPECT_EQ(dopo.readAll(), contenuto);
    dopo.close();

    // The database put back: the card saves into it.
    ASSERT_TRUE(QFile::remove(db));
    ASSERT_TRUE(QFile::rename(buono, db));
    ui.clear();
    QTest::mouseClick(nuova->Command1, Qt::LeftButton);
    EXPECT_EQ(messaggio(), "");
    EXPECT_FALSE(aperta(nuova));
    EXPECT_EQ(schede::conta(db), "42");
    EXPECT_EQ(testdb::integrity(db), "ok");
}

} // namespace
