// Start-up of the materials database (working file from the shipped archive, the one connection,
// its three messages) and ApriRecordset, against temporary program and user-data folders.
#include "materials/modLignar2_Gen.h"

#include "ScriptedUi.h"
#include "tests/data/LockHolder.h"
#include "platform/basic/Error.h"
#include "platform/ui/Files.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using testing_support::Call;
using testing_support::ScriptedUi;

namespace {

const QString kLF = QStringLiteral("\n");

QByteArray hashOf(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

class StartUp : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        program = tmp.filePath("programma");
        userData = tmp.filePath("dati");
        ASSERT_TRUE(QDir().mkpath(program));
        oldDataHome = qgetenv("XDG_DATA_HOME");
        qputenv("XDG_DATA_HOME", userData.toLocal8Bit());
        files::SetAppPathOverride(program);
        ChiudiDatabaseMateriali();
        PercorsoDbMateriali.clear();
        PercorsoArchivioDef.clear();
        working = userData + "/Tecnavo/Capreo2018/MaterialiQor.dms";
        archive = program + "/LignarQOR.DEF";
    }
    void TearDown() override {
        ChiudiDatabaseMateriali();
        PercorsoDbMateriali.clear();
        PercorsoArchivioDef.clear();
        files::SetAppPathOverride(QString());
        qputenv("XDG_DATA_HOME", oldDataHome);
    }
    void shipArchive() {
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/LignarQOR.DEF", archive));
        QFile::setPermissions(archive, QFile::ReadOwner | QFile::WriteOwner);
    }
    static void writeRandom(const QString& path) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QByteArray bytes(4096, '\0');
        for (auto& b : bytes) b = static_cast<char>(QRandomGenerator::global()->bounded(256));
        f.write(bytes);
    }
    // After a failed start-up every statement the program passes gives an error text and leaves
    // the caller's recordset alone.
    void expectEveryLookUpFails(ScriptedUi& ui) {
        const auto callsBefore = ui.calls().size();
        for (const char* sql : {"Select * from Legno ", "Select * From Legno where Numero=12",
                                "Select * From Legno Where Numero=12", "Select * From Legno where Numero =0"}) {
            SCOPED_TRACE(sql);
            auto sentinel = std::make_shared<data::Recordset>();
            auto rs = sentinel;
            QString errore = "vecchio";
            ApriRecordset(rs, QString::fromUtf8(sql), errore);
            EXPECT_TRUE(errore.startsWith("Errore N. 3709 nella lettura del Database.\n\n")) << errore.toStdString();
            EXPECT_FALSE(errore.endsWith(kLF));
            EXPECT_GT(errore.size(), QString("Errore N. 3709 nella lettura del Database.\n\n").size());
            EXPECT_EQ(rs, sentinel);
            EXPECT_EQ(rs->State(), data::adStateClosed);
        }
        EXPECT_EQ(ui.calls().size(), callsBefore) << "ApriRecordset shows nothing itself";
    }

    QTemporaryDir tmp;
    QString program, userData, working, archive;
    QByteArray oldDataHome;
};

} // namespace

TEST(MaterialsPaths, WorkingDatabaseAndShippedArchiveForAProgramFolder) {
    const struct {
        const char* folder;
        const char* working;
        const char* archive;
    } cases[] = {
        {"C:\\Programmi\\Nodi", "C:\\MaterialiQor.dms", "C:\\Programmi\\Nodi\\LignarQOR.DEF"},
        {"D:\\", "D:\\MaterialiQor.dms", "D:\\LignarQOR.DEF"},
        {"E:/x", "E:/MaterialiQor.dms", "E:/x\\LignarQOR.DEF"},
        {"\\\\server\\share", "\\\\\\MaterialiQor.dms", "\\\\server\\share\\LignarQOR.DEF"},
        {"C:", "C:\\MaterialiQor.dms", "C:\\LignarQOR.DEF"},
        // No drive: the user's data folder holds the working database.
        {"/opt/capreo/bin", "/home/u/.local/share/Tecnavo/Capreo2018/MaterialiQor.dms", "/opt/capreo/bin/LignarQOR.DEF"},
        {"/", "/home/u/.local/share/Tecnavo/Capreo2018/MaterialiQor.dms", "/LignarQOR.DEF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        EXPECT_EQ(PercorsoDbPer(c.folder, "/home/u/.local/share/Tecnavo/Capreo2018/"), QString::fromUtf8(c.working));
        EXPECT_EQ(PercorsoArchivioPer(c.folder), QString::fromUtf8(c.archive));
    }
}

TEST(MaterialsErrorText, NumberJoinedWithABlankUnlessNegative) {
    EXPECT_EQ(TestoErroreLettura(3709, "Descrizione."), "Errore N. 3709 nella lettura del Database.\n\nDescrizione.");
    EXPECT_EQ(TestoErroreLettura(-2147467259, "x"), "Errore N.-2147467259 nella lettura del Database.\n\nx");
    EXPECT_EQ(TestoErroreLettura(0, ""), "Errore N. 0 nella lettura del Database.\n\n");
}

TEST_F(StartUp, FirstStartCopiesTheArchiveAndOpensTheConnection) {
    ScriptedUi ui;
    shipArchive();
    QFile::setPermissions(archive, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther); // installed read-only
    const QByteArray shipped = hashOf(archive);
    InizializzaDatabaseMateriali();

    EXPECT_TRUE(ui.calls().empty());
    EXPECT_EQ(PercorsoDbMateriali, working);
    EXPECT_EQ(PercorsoArchivioDef, archive);
    ASSERT_TRUE(CnMateriali);
    EXPECT_EQ(CnMateriali->State(), data::adStateOpen);
    EXPECT_EQ(CnMateriali->CursorLocation(), data::adUseClient);
    EXPECT_EQ(hashOf(working), shipped);
    EXPECT_TRUE(QFile::permissions(working) & QFile::WriteOwner) << "the working copy must be writable";

    std::shared_ptr<data::Recordset> rs;
    QString errore = "x";
    ApriRecordset(rs, "Select * from Legno ", errore);
    EXPECT_EQ(errore, "");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->RecordCount(), 40);
    EXPECT_EQ(rs->Sort(), "Numero");
    EXPECT_EQ(rs->Fields("Numero").Value().toLongLong(), 1);
    EXPECT_EQ(hashOf(archive), shipped) << "the archive is never changed";
}

TEST_F(StartUp, SecondStartKeepsTheWorkingFileAndItsChanges) {
    {
        ScriptedUi ui;
        shipArchive();
        InizializzaDatabaseMateriali();
        ASSERT_TRUE(ui.calls().empty());
        std::shared_ptr<data::Recordset> rs;
        QString errore;
        ApriRecordset(rs, "Select * From Legno where Numero=6", errore);
        ASSERT_EQ(errore, "");
        rs->Fields("Descrizione").Value("Abete del Trentino");
        rs->Update();
        ApriRecordset(rs, "Select * From Legno where Numero =0", errore);
        rs->AddNew();
        rs->Fields("Numero").Value("41");
        rs->Fields("Fmk").Value(" 2.5");
        rs->Update();
        ChiudiDatabaseMateriali(); // the process ends
    }
    // A different archive would show if it were copied again; a missing one must not matter.
    writeRandom(archive);
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ScriptedUi ui;
        InizializzaDatabaseMateriali();
        EXPECT_TRUE(ui.calls().empty());
        ASSERT_TRUE(CnMateriali);
        std::shared_ptr<data::Recordset> rs;
        QString errore;
        ApriRecordset(rs, "Select * From Legno Where Numero=6", errore);
        ASSERT_EQ(errore, "");
        EXPECT_EQ(rs->Fields("Descrizione").Value().toString(), "Abete del Trentino");
        ApriRecordset(rs, "Select * From Legno Where Numero=41", errore);
        ASSERT_EQ(rs->RecordCount(), 1);
        EXPECT_DOUBLE_EQ(rs->Fields("Fmk").Value().toDouble(), 2.5);
        ChiudiDatabaseMateriali();
        QFile::remove(archive);
    }
}

TEST_F(StartUp, MissingArchiveAndWorkingFileShowTheMissingArchiveMessage) {
    ScriptedUi ui;
    InizializzaDatabaseMateriali();
    ASSERT_EQ(ui.calls().size(), 2u);
    EXPECT_EQ(ui.calls()[0].kind, Call::Beep);
    const Call& box = ui.calls()[1];
    EXPECT_EQ(box.kind, Call::MsgBox);
    EXPECT_EQ(box.prompt, "Impossibile gestire il database dei materiali.\n\nIl file distribuito con il programma: \r" +
                              archive +
                              "\r\nnon esiste.\n\nCopiare tale file nella directory di installazione del software o "
                              "reinstallare lo stesso.\n");
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.title, "ERRORE SISTEMA SOFTWARE");
    EXPECT_FALSE(CnMateriali);
    EXPECT_EQ(PercorsoDbMateriali, working) << "the working path stays although the file does not exist";
    EXPECT_FALSE(QFile::exists(working));
    expectEveryLookUpFails(ui);
}

TEST_F(StartUp, AFailedCopyShowsTheCopyFailureMessage) {
    ScriptedUi ui;
    shipArchive();
    // The user's data folder cannot be made: a file stands where it should be.
    QDir().mkpath(userData);
    {
        QFile block(userData + "/Tecnavo");
        ASSERT_TRUE(block.open(QIODevice::WriteOnly));
    }
    InizializzaDatabaseMateriali();
    ASSERT_EQ(ui.calls().size(), 2u);
    EXPECT_EQ(ui.calls()[0].kind, Call::Beep);
    const Call& box = ui.calls()[1];
    EXPECT_EQ(box.kind, Call::MsgBox);
    const QString head = "Impossibile gestire il database dei materiali.\n\nErrore nella inizializzazione dello stesso \r" +
                         working + "\r\n";
    EXPECT_TRUE(box.prompt.startsWith(head)) << box.prompt.toStdString();
    EXPECT_TRUE(box.prompt.endsWith("\n\n"));
    EXPECT_TRUE(box.prompt.contains("Impossibile creare la cartella " + QFileInfo(working).absolutePath() +
                                    ": un file occupa il posto di una cartella del percorso ("))
        << "the copy's error says why in Italian: " << box.prompt.toStdString();
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.title, "ERRORE CREAZIONE DATABASE MATERIALI");
    EXPECT_FALSE(CnMateriali);
    EXPECT_EQ(PercorsoDbMateriali, working);
    expectEveryLookUpFails(ui);
}

TEST_F(StartUp, AWorkingFileThatIsNoDatabaseShowsTheOpenFailureAndTheProgramRunsOn) {
    ScriptedUi ui;
    shipArchive();
    writeRandom(working);
    const QByteArray before = hashOf(working);
    InizializzaDatabaseMateriali();
    ASSERT_EQ(ui.calls().size(), 1u) << "no beep before the open-failure message";
    const Call& box = ui.calls()[0];
    EXPECT_EQ(box.kind, Call::MsgBox);
    EXPECT_FALSE(box.prompt.trimmed().isEmpty());
    EXPECT_FALSE(box.prompt.startsWith("Errore N."));
    EXPECT_EQ(box.style, 0);
    EXPECT_EQ(box.title, "Sub: Apri Database Materiali");
    EXPECT_EQ(PercorsoDbMateriali, "");
    EXPECT_FALSE(CnMateriali);
    EXPECT_EQ(hashOf(working), before) << "the working file is never replaced";
    expectEveryLookUpFails(ui);
}

TEST_F(StartUp, AWorkingDatabaseWithoutTheMaterialsTableFailsAtOpening) {
    ScriptedUi ui;
    QDir().mkpath(QFileInfo(working).absolutePath());
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(working.toUtf8().constData(), &db), SQLITE_OK);
    sqlite3_exec(db, "CREATE TABLE Altro (x INTEGER);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    InizializzaDatabaseMateriali();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].title, "Sub: Apri Database Materiali");
    EXPECT_TRUE(ui.msgBoxes()[0].prompt.contains("Legno"));
    EXPECT_FALSE(CnMateriali);
    expectEveryLookUpFails(ui);
}

TEST_F(StartUp, ApriRecordsetSortsOnNumeroAndReportsFailuresAsText) {
    ScriptedUi ui;
    shipArchive();
    InizializzaDatabaseMateriali();
    ASSERT_TRUE(CnMateriali);

    // A row added out of order (and a duplicated number) still comes back in Numero order.
    std::shared_ptr<data::Recordset> rs;
    QString errore;
    ApriRecordset(rs, "Select * From Legno where Numero =0", errore);
    ASSERT_EQ(errore, "");
    EXPECT_EQ(rs->RecordCount(), 0) << "a statement that matches no row succeeds";
    rs->AddNew();
    rs->Fields("Numero").Value("3");
    rs->Fields("Descrizione").Value("Doppione");
    rs->Update();
    ApriRecordset(rs, "Select * from Legno ", errore);
    ASSERT_EQ(rs->RecordCount(), 41);
    long long previous = 0;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) {
        const long long n = rs->Fields("Numero").Value().toLongLong();
        EXPECT_LE(previous, n);
        previous = n;
    }
    ApriRecordset(rs, "Select * From Legno where Numero=3", errore);
    EXPECT_EQ(rs->RecordCount(), 2);

    // A failing statement: the database's number (negative, so no blank) and description.
    auto sentinel = rs;
    ApriRecordset(rs, "Select * From Legno Where Nessuno=12", errore);
    EXPECT_TRUE(errore.startsWith("Errore N.-2147467259 nella lettura del Database.\n\n")) << errore.toStdString();
    EXPECT_TRUE(errore.contains("Nessuno"));
    EXPECT_EQ(rs, sentinel);
    EXPECT_EQ(rs->RecordCount(), 2);
    ApriRecordset(rs, "Select * From Legno where Numero=5", errore);
    EXPECT_EQ(errore, "") << "a success clears the error text";
}

TEST_F(StartUp, ADatabaseLockedByAnotherProgramIsReportedAsLockedAndServesOnceFree) {
    ScriptedUi ui;
    shipArchive();
    InizializzaDatabaseMateriali();
    ChiudiDatabaseMateriali(); // the first run ends; the working file now exists
    std::shared_ptr<data::Recordset> rs;
    QString errore;
    {
        testdb::LockHolder altro(working, testdb::LockHolder::Exclusive);
        InizializzaDatabaseMateriali();
        EXPECT_TRUE(ui.calls().empty()) << "nothing to report: the file is sound";
        ASSERT_TRUE(CnMateriali);
        EXPECT_EQ(PercorsoDbMateriali, working);
        ApriRecordset(rs, "Select * From Legno Where Numero=6", errore);
        EXPECT_TRUE(errore.startsWith("Errore N.-2147467259 nella lettura del Database.\n\n")) << errore.toStdString();
        EXPECT_TRUE(errore.contains("bloccato da un altro programma")) << errore.toStdString();
        EXPECT_FALSE(errore.contains("non è un database valido"));
        EXPECT_FALSE(rs);
    }
    ApriRecordset(rs, "Select * From Legno Where Numero=6", errore);
    EXPECT_EQ(errore, "");
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->Fields("Classe").Value().toString(), "C24");
    EXPECT_TRUE(ui.calls().empty());
}
