#pragma once
// What the material-card tests share: a working database copied from the shipped archive and
// opened as the program opens it, cards found and filled as a user would, and the rows read back
// through SQLite directly, never through the code under test.
#include "Locale.h"
#include "materials/Finestre.h"
#include "materials/ModLignar2_Legno.h"
#include "materials/SchedaLegno.h"
#include "materials/modLignar2_Gen.h"
#include "tests/data/TestDb.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

namespace schede {

// Every field of the rows that match where, "|" between fields, one line per row in the order of
// Numero and then of rowid; "" when there is none.
inline std::string righe(const QString& db, const std::string& where) {
    const std::string campi = "Numero||'|'||ifnull(Classe,'∅')||'|'||ifnull(Descrizione,'∅')||'|'||Fmk||'|'||Ft0k||'|'||"
                              "Ft90k||'|'||Fc0k||'|'||Fc90k||'|'||Fvk||'|'||E0mean||'|'||E05||'|'||E90mean||'|'||"
                              "Gmean||'|'||rok";
    return testdb::scalar(db, "SELECT group_concat(r, char(10)) FROM (SELECT " + campi + " AS r FROM Legno WHERE " + where +
                                  " ORDER BY Numero, rowid)");
}

// Every field of the material's rows.
inline std::string riga(const QString& db, long long numero) { return righe(db, "Numero=" + std::to_string(numero)); }

inline std::string conta(const QString& db, const std::string& where = "1") {
    return testdb::scalar(db, "SELECT count(*) FROM Legno WHERE " + where);
}

// Whether the card is still open, once the deletions that closing posted have run.
inline bool aperta(const QPointer<SchedaLegno>& s) {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return s && s->isVisible();
}

// Writes a text into a box as code does (the change handlers run).
inline void scrivi(QLineEdit* box, const QString& testo) { box->setText(testo); }

// Fills a card: number, class, description and the eleven values in box order.
inline void compila(SchedaLegno& s, const QString& numero, const QString& classe, const QString& descrizione,
                    const QStringList& valori) {
    s.Text2->setText(numero);
    s.Text1[0]->setText(classe);
    s.Text1[1]->setText(descrizione);
    for (int i = 0; i < 11; ++i) s.Text1[static_cast<std::size_t>(i + 2)]->setText(valori.value(i));
}

// Closes every window of the main window's area without asking (no card keeps unsaved changes),
// and the database.
inline void chiudiTutto(QMdiArea& area) {
    for (QMdiSubWindow* s : area.subWindowList())
        if (auto* scheda = qobject_cast<SchedaLegno*>(s->widget())) scheda->modif = 0;
    area.closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    materials::ImpostaAreaFinestre(nullptr);
    ChiudiDatabaseMateriali();
    PercorsoDbMateriali.clear();
}

// A working database for one test, opened as CnMateriali, with no card left open afterwards.
class Archivio : public ::testing::Test {
protected:
    testing_support::LocaleGuard italiano{testing_support::LocaleGuard::italian()};
    void SetUp() override {
        ASSERT_TRUE(tmp.isValid());
        db = tmp.filePath("MaterialiQor.dms");
        ASSERT_TRUE(QFile::copy(QCoreApplication::applicationDirPath() + "/LignarQOR.DEF", db));
        QFile::setPermissions(db, QFile::ReadOwner | QFile::WriteOwner);
        PercorsoDbMateriali = db;
        ApriDatabaseMateriali();
        ASSERT_TRUE(CnMateriali);
        NumSchedeAperte = 0;
    }
    void TearDown() override {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* s = qobject_cast<SchedaLegno*>(w)) {
                s->modif = 0;
                s->close();
            }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ChiudiDatabaseMateriali();
        PercorsoDbMateriali.clear();
    }

    // Opens a card on an existing material as the list does.
    QPointer<SchedaLegno> apri(const char* modo, long long numero) {
        QString m = QString::fromLatin1(modo), n = QString::number(numero);
        SchedaLegnoCorrente = nullptr;
        ApriSchedaLegno(m, n);
        return SchedaLegnoCorrente;
    }
    // A new card, proposed from the whole list.
    QPointer<SchedaLegno> nuova() {
        std::shared_ptr<data::Recordset> lista;
        QString errore;
        ApriRecordset(lista, "Select * from Legno ", errore);
        SchedaLegnoNuova(lista);
        return SchedaLegnoCorrente;
    }

    QTemporaryDir tmp;
    QString db;
};

} // namespace schede
