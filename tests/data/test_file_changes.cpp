// The database file handled as people handle files while the program has it open: copied over in
// place (also while a save waits for another program's lock), emptied and put back, swapped while
// it is being opened, left read-only with a journal of a killed program, written with text that is
// not UTF-8 by another tool. For each, what a read and a card's save do meanwhile; the whole table
// as SQLite stores it, every row the save did not touch unchanged; and the connection and its
// recordsets working again once the fault is gone.
#include "Errors.h"
#include "Rights.h"
#include "TestDb.h"

#include "platform/data/ConnectionImpl.h"

#include <QFile>
#include <QThread>

#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string_view>
#include <thread>
#include <unistd.h>

namespace {

using Tabella = std::map<long long, std::vector<std::string>>; // rowid -> fields

const char* const kCampi[] = {"Numero", "Classe", "Descrizione", "Fmk", "Ft0k", "Ft90k", "Fc0k",
                              "Fc90k", "Fvk", "E0mean", "E05", "E90mean", "Gmean", "rok"};
constexpr int kNumCampi = 14;

// Every row of table Legno as SQLite stores it, read by SQLite alone: each field as its storage
// class and its exact content, text and blobs as their bytes, reals to their last digit.
Tabella tabella(const QString& path) {
    std::string sql = "SELECT rowid";
    for (const char* c : kCampi)
        sql += std::string(", typeof(") + c + ") || ':' || CASE typeof(" + c + ") WHEN 'real' THEN printf('%.17g', " +
               c + ") WHEN 'integer' THEN " + c + " WHEN 'null' THEN '' ELSE hex(" + c + ") END";
    sql += " FROM Legno";
    Tabella t;
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                auto& riga = t[sqlite3_column_int64(st, 0)];
                for (int i = 1; i <= kNumCampi; ++i) riga.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(st, i)));
            }
        }
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return t;
}

QByteArray contenuto(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(illeggibile)");
}

// Writes bytes into the file in place, as "cat altro > file" does: the same file, new content.
void scriviSulPosto(const QString& path, const QByteArray& bytes) {
    // File times move in clock ticks; a user never types the next command within one.
    QThread::msleep(20);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

struct Scena {
    QTemporaryDir dir;
    QString db = dir.filePath("MaterialiQor.dms");
    QString altro = dir.filePath("altro.dms");
    QString vecchio = dir.filePath("vecchio.dms"); // the file first at the path, kept to be looked at
    QByteArray salvato;                           // bytes put aside to be written back
    std::function<void()> mentreAttende;          // done while the card's save waits for a lock
};

// The card's save: every field written as the card writes it, one of them changed.
void salvaComeScheda(data::Recordset& rs, const char* campo, const QVariant& valore) {
    for (int i = 0; i < rs.FieldCount(); ++i) {
        data::Field f = rs.Fields(i);
        f.Value(f.Name() == QLatin1String(campo) ? valore : f.Value());
    }
    rs.Update();
}

// What the list shows of each row, in the order of Numero: the number and Fmk, the field the cases
// change.
std::string letto(const std::shared_ptr<data::Connection>& cn) {
    auto rs = testdb::query(cn, "Select * from Legno ");
    rs->Sort("Numero");
    std::string out;
    for (long i = 1; i <= rs->RecordCount(); ++i)
        out += rs->ValueAt(i, 0).toString().toStdString() + ":" + rs->ValueAt(i, 3).toString().toStdString() + " ";
    return out;
}
std::string lettoDaSqlite(const QString& path) {
    return testdb::scalar(path, "SELECT group_concat(n, ' ') || ' ' FROM (SELECT Numero || ':' || ifnull(printf('%g', Fmk), '') "
                                "AS n FROM Legno ORDER BY Numero, rowid)");
}

// What a step raises: "" for nothing, else its description.
std::string errore(const std::function<void()>& f) {
    const auto e = testing_support::RaisedError(f);
    return e ? e->description() : std::string();
}

struct Caso {
    const char* nome = "";
    std::function<void(Scena&)> prima = {};  // before the connection opens
    std::function<void(Scena&)> aperta = {}; // between SQLite's open and the check of which file it is
    // With the card's row read, before its save; the program's own save of another row is the
    // second argument's to make.
    std::function<void(Scena&, const std::function<void()>&)> durante = {};
    long long numero;                        // the card's material
    const char* campo;                       // the field it changes; nullptr: it deletes the row
    QVariant valore;
    const char* atteso;                      // the field as stored afterwards
    const char* erroreLettura;               // what a read says meanwhile ("" it works)
    const char* erroreSalva;                 // what the save says meanwhile ("" it goes through)
    std::function<void(Scena&)> via = {};    // the fault gone
    bool rilegge = false;                    // the card must read its row again before a new save
    std::function<void(Scena&)> nellOpen = {}; // inside SQLite's own open(), right before it opens the file
    // Another program holds the write lock when the card saves, and lets go while the save waits
    // (or only once the save has given up waiting); meanwhile it does Scena::mentreAttende.
    enum { Libero, Rilascia, Trattiene } blocco = Libero;
};

// The other program of Caso::blocco: holds the write lock from before the card's save, does its
// deed once the save surely waits, and lets go then, or when it goes.
struct AltroProgramma {
    sqlite3* h = nullptr;
    std::thread filo;
    AltroProgramma(const QString& path, const std::function<void()>& intanto, bool trattiene) {
        sqlite3_open_v2(QFile::encodeName(path).constData(), &h, SQLITE_OPEN_READWRITE, nullptr);
        EXPECT_EQ(sqlite3_exec(h, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        filo = std::thread([=, this] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            intanto();
            if (!trattiene) sqlite3_close(std::exchange(h, nullptr)); // its transaction rolled back
        });
    }
    ~AltroProgramma() {
        filo.join();
        sqlite3_close(h);
    }
};

// SQLite's open() of the working file, with the case's deed done right before it, once.
std::function<void()> primaDellOpen;
int (*openVero)(const char*, int, int) = nullptr;
int openConScambio(const char* nome, int flags, int modo) {
    if (primaDellOpen && std::string_view(nome).ends_with("/MaterialiQor.dms")) std::exchange(primaDellOpen, nullptr)();
    return openVero(nome, flags, modo);
}

// What a program killed in the middle of a save leaves beside the file: its journal, written whole
// (it waited for no sync), the file itself not yet touched.
void lasciaGiornale(Scena& s) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(s.db), &h, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(h, "PRAGMA synchronous=OFF; BEGIN; UPDATE Legno SET Fmk=Fmk+1;", nullptr, nullptr, nullptr),
              SQLITE_OK);
    ASSERT_TRUE(QFile::copy(s.db + "-journal", s.altro));
    sqlite3_exec(h, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(h);
    ASSERT_TRUE(QFile::rename(s.altro, s.db + "-journal"));
}

void latino1(const QString& db) {
    // "Faggio è" and "Larice ò" in Latin-1, as another tool wrote them.
    testdb::exec(db, "UPDATE Legno SET Classe=CAST(X'46616767696f20e8' AS TEXT), "
                     "Descrizione=CAST(X'4c617269636520f2' AS TEXT) WHERE Numero=10;");
}

// A copy P of the working file, then each saved once, the working file by the program and P by
// another program (material numero's Fmk), then "cat P > file": at once, or while the card's save
// waits for a lock.
std::function<void(Scena&, const std::function<void()>&)> copiaScrittaSulPosto(int numero, bool mentreAttende = false) {
    return [numero, mentreAttende](Scena& s, const std::function<void()>& salvaDelProgramma) {
        ASSERT_TRUE(QFile::copy(s.db, s.altro));
        salvaDelProgramma();
        testdb::exec(s.altro, "UPDATE Legno SET Fmk=99 WHERE Numero=" + std::to_string(numero) + ";");
        const auto sulPosto = [&s] { scriviSulPosto(s.db, contenuto(s.altro)); };
        if (mentreAttende)
            s.mentreAttende = sulPosto;
        else
            sulPosto();
    };
}

const Caso kCasi[] = {
    {"CopiaScrittaSulPosto", {}, {}, copiaScrittaSulPosto(20), 30, "Fmk", " 7", "real:7", "", "", {}},
    {"CopiaScrittaSulPostoSullaRigaDellaScheda", {}, {}, copiaScrittaSulPosto(30), 30, "Fmk", " 7", "real:7", "",
     "Impossibile salvare: la riga è stata modificata da un altro utente dopo la lettura. Rileggere i dati.", {}, true},
    {.nome = "CopiaScrittaSulPostoMentreIlSalvataggioAttende", .durante = copiaScrittaSulPosto(20, true), .numero = 30,
     .campo = "Fmk", .valore = " 7", .atteso = "real:7", .erroreLettura = "", .erroreSalva = "", .blocco = Caso::Rilascia},
    {.nome = "CopiaScrittaSulPostoSullaRigaDellaSchedaMentreIlSalvataggioAttende",
     .durante = copiaScrittaSulPosto(30, true), .numero = 30, .campo = "Fmk", .valore = " 7", .atteso = "real:7",
     .erroreLettura = "",
     .erroreSalva = "Impossibile salvare: la riga è stata modificata da un altro utente dopo la lettura. Rileggere i dati.",
     .rilegge = true, .blocco = Caso::Rilascia},
    // The save gives up waiting; the copy written meanwhile is others' work, never the program's.
    {.nome = "CopiaScrittaSulPostoMentreIlSalvataggioAttendeInvano", .durante = copiaScrittaSulPosto(20, true),
     .numero = 30, .campo = "Fmk", .valore = " 7", .atteso = "real:7", .erroreLettura = "",
     .erroreSalva = "il database è bloccato da un altro programma", .blocco = Caso::Trattiene},
    {"SvuotatoERimesso", {}, {},
     [](Scena& s, const std::function<void()>& salvaDelProgramma) {
         salvaDelProgramma();
         s.salvato = contenuto(s.db);
         scriviSulPosto(s.db, {});
     },
     30, "Fmk", " 7", "real:7", "non contiene la tabella Legno", "non contiene la tabella Legno",
     [](Scena& s) { scriviSulPosto(s.db, s.salvato); }},
    {"AltroFileRinominatoSopraMentreSiApre",
     [](Scena& s) {
         ASSERT_TRUE(QFile::copy(s.db, s.altro));
         testdb::exec(s.altro, "INSERT INTO Legno (Numero, Descrizione, Fmk) VALUES (77, 'Solo nel nuovo', 1);");
         ASSERT_EQ(::link(QFile::encodeName(s.db), QFile::encodeName(s.vecchio)), 0); // the same file, another name
     },
     [](Scena& s) { ASSERT_EQ(std::rename(QFile::encodeName(s.altro), QFile::encodeName(s.db)), 0); },
     {}, 30, "Fmk", " 7", "real:7", "", "", {}},
    {"CollegamentoSimbolicoRiorientatoMentreSiApre",
     [](Scena& s) {
         ASSERT_TRUE(QFile::rename(s.db, s.vecchio));
         ASSERT_TRUE(QFile::copy(s.vecchio, s.altro));
         testdb::exec(s.altro, "INSERT INTO Legno (Numero, Descrizione, Fmk) VALUES (77, 'Solo nel nuovo', 1);");
         ASSERT_TRUE(QFile::link(s.vecchio, s.db)); // a symbolic link
     },
     [](Scena& s) {
         const QString nuovo = s.dir.filePath("collegamento");
         ASSERT_TRUE(QFile::link(s.altro, nuovo));
         ASSERT_EQ(std::rename(QFile::encodeName(nuovo), QFile::encodeName(s.db)), 0);
     },
     {}, 30, "Fmk", " 7", "real:7", "", "", {}},
    // A sync tool swapping versions: the path names another file during SQLite's open(), and the
    // working file again right after, so that before and after the open the path names the same.
    {.nome = "AltroFileAlPostoDuranteLOpenDiSqlite",
     .prima =
         [](Scena& s) {
             ASSERT_TRUE(QFile::copy(s.db, s.vecchio));
             testdb::exec(s.vecchio, "INSERT INTO Legno (Numero, Descrizione, Fmk) VALUES (77, 'Solo nel vecchio', 1);");
             ASSERT_EQ(::link(QFile::encodeName(s.db), QFile::encodeName(s.altro)), 0);
         },
     .aperta = [](Scena& s) { ASSERT_EQ(std::rename(QFile::encodeName(s.altro), QFile::encodeName(s.db)), 0); },
     .numero = 30, .campo = "Fmk", .valore = " 7", .atteso = "real:7", .erroreLettura = "", .erroreSalva = "",
     .nellOpen =
         [](Scena& s) {
             const QString scambio = s.dir.filePath("scambio");
             ASSERT_EQ(::link(QFile::encodeName(s.vecchio), QFile::encodeName(scambio)), 0);
             ASSERT_EQ(std::rename(QFile::encodeName(scambio), QFile::encodeName(s.db)), 0);
         }},
    // Neither can be read at start, nor the card's row: reads work as soon as the rights allow.
    {"SolaLetturaConIlGiornaleDiUnProgrammaInterrotto",
     [](Scena& s) {
         lasciaGiornale(s);
         ASSERT_TRUE(QFile::setPermissions(s.db, QFile::ReadOwner | QFile::ReadUser));
     },
     {}, {}, 30, "Fmk", " 7", "real:7", "il file del database è in sola lettura", "",
     [](Scena& s) { ASSERT_TRUE(QFile::setPermissions(s.db, QFile::ReadOwner | QFile::WriteOwner)); }},
    {"CartellaInSolaLetturaConIlGiornaleDiUnProgrammaInterrotto",
     [](Scena& s) {
         lasciaGiornale(s);
         ASSERT_TRUE(QFile::setPermissions(s.dir.path(), QFile::ReadOwner | QFile::ExeOwner));
     },
     {}, {}, 30, "Fmk", " 7", "real:7", "la cartella che contiene il database è in sola lettura", "",
     [](Scena& s) {
         ASSERT_TRUE(QFile::setPermissions(s.dir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
     }},
    {"TestoNonUtf8EAltroCampoCambiato", [](Scena& s) { latino1(s.db); }, {}, {}, 10, "Descrizione", "Faggio nuovo",
     "text:46616767696F206E756F766F", "", "", {}},
    {"TestoNonUtf8Eliminato", [](Scena& s) { latino1(s.db); }, {}, {}, 10, nullptr, {}, nullptr, "", "", {}},
};

void PrintTo(const Caso& c, std::ostream* os) { *os << c.nome; }

class FileSottoIlProgramma : public ::testing::TestWithParam<Caso> {};

} // namespace

TEST_P(FileSottoIlProgramma, TheSaveTouchesOnlyItsRowAndAllWorksOnceTheFaultIsGone) {
    testdb::RightsBind diritti; // a read-only file binds the superuser too
    const Caso& c = GetParam();
    Scena s;
    testdb::makeMaterials(s.db);
    if (c.prima) c.prima(s);
    ASSERT_FALSE(HasFatalFailure());
    const Tabella vecchio = tabella(s.vecchio);
    int aperture = 0;
    data::Connection::Impl::afterOpenForTests = [&] {
        if (c.aperta && aperture++ == 0) c.aperta(s);
    };
    sqlite3_vfs* vfs = sqlite3_vfs_find(nullptr);
    if (c.nellOpen) {
        openVero = reinterpret_cast<int (*)(const char*, int, int)>(vfs->xGetSystemCall(vfs, "open"));
        primaDellOpen = [&] { c.nellOpen(s); };
        vfs->xSetSystemCall(vfs, "open", reinterpret_cast<sqlite3_syscall_ptr>(openConScambio));
    }
    const auto cn = testdb::open(s.db);
    data::Connection::Impl::afterOpenForTests = nullptr;
    vfs->xSetSystemCall(vfs, "open", nullptr);
    primaDellOpen = nullptr;
    ASSERT_FALSE(HasFatalFailure());

    const QString dove = QStringLiteral("Select * From Legno where Numero=%1").arg(c.numero);
    // The card's row, when it can be read (a fault from the start may keep it from being read).
    std::shared_ptr<data::Recordset> scheda;
    errore([&] { scheda = testdb::query(cn, dove); });
    if (c.durante) {
        c.durante(s, [&] { salvaComeScheda(*testdb::query(cn, "Select * From Legno where Numero=10"), "Fmk", " 11"); });
        ASSERT_FALSE(HasFatalFailure());
    }
    const auto salva = [&](data::Recordset& rs) {
        if (c.campo)
            salvaComeScheda(rs, c.campo, c.valore);
        else
            rs.Delete();
    };
    // The table as it must be after the card's save: as it was before, with only the card's
    // field changed, or its row gone.
    const auto conIlSalvataggio = [&](Tabella t, qlonglong rowid) {
        if (!c.campo) {
            t.erase(rowid);
            return t;
        }
        for (int i = 0; i < kNumCampi; ++i)
            if (std::string(kCampi[i]) == c.campo && t.count(rowid)) t[rowid][static_cast<std::size_t>(i)] = c.atteso;
        return t;
    };
    // The program reads first: SQLite opening the file for the test could mend what the program
    // must get over by itself.
    const auto controllaLettura = [&] {
        const std::string programma = letto(cn);
        EXPECT_EQ(programma, lettoDaSqlite(s.db));
    };

    // Meanwhile: the card's save first, as in "cat P > file" while a card is open, then a read.
    // The file as the save finds it: P when it is written while the save waits.
    const QString trovato = s.mentreAttende ? s.altro : s.db;
    const QByteArray bytes = contenuto(trovato);
    bool salvata = false;
    std::optional<AltroProgramma> altroProgramma;
    if (scheda) {
        const Tabella prima = tabella(trovato);
        const qlonglong rowid = scheda->Bookmark().toLongLong();
        if (c.blocco != Caso::Libero) {
            cn->BusyTimeout(1500);
            altroProgramma.emplace(s.db, s.mentreAttende, c.blocco == Caso::Trattiene);
        }
        const std::string salvataggio = errore([&] { salva(*scheda); });
        if (*c.erroreSalva) {
            EXPECT_NE(salvataggio.find(c.erroreSalva), std::string::npos) << salvataggio;
            EXPECT_EQ(contenuto(s.db), bytes) << "a refused save leaves the file as it was";
            if (c.campo) scheda->CancelUpdate();
        } else {
            EXPECT_EQ(salvataggio, "");
            EXPECT_EQ(tabella(s.db), conIlSalvataggio(prima, rowid));
            salvata = true;
        }
    } else {
        EXPECT_TRUE(*c.erroreLettura) << "the card's row could not be read";
    }
    const std::string lettura = errore(controllaLettura);
    if (*c.erroreLettura) {
        EXPECT_NE(lettura.find(c.erroreLettura), std::string::npos) << lettura;
    } else {
        EXPECT_EQ(lettura, "");
    }
    // The file no longer at the path is never written.
    if (QFile::exists(s.vecchio)) {
        EXPECT_EQ(tabella(s.vecchio), vecchio);
    }

    // The fault gone: reads work again first, without a save, then the card's save goes through.
    altroProgramma.reset();
    if (c.via) c.via(s);
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(errore(controllaLettura), "");
    if (!salvata) {
        if (!scheda || c.rilegge) scheda = testdb::query(cn, dove);
        const Tabella prima = tabella(s.db);
        const qlonglong rowid = scheda->Bookmark().toLongLong();
        EXPECT_EQ(errore([&] { salva(*scheda); }), "");
        EXPECT_EQ(tabella(s.db), conIlSalvataggio(prima, rowid));
    }
    EXPECT_EQ(errore(controllaLettura), "");
    EXPECT_EQ(testdb::integrity(s.db), "ok");
}

INSTANTIATE_TEST_SUITE_P(Database, FileSottoIlProgramma, ::testing::ValuesIn(kCasi),
                         [](const ::testing::TestParamInfo<Caso>& i) { return std::string(i.param.nome); });
