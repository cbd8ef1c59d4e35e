#pragma once
// Shared by the joint-window tests: a loaded window, a materials database of a few records, and
// reading the window the way a user sees it.
#include "app/frmNodi.h"
#include "materials/modLignar2_Gen.h"
#include "platform/ui/Controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <memory>
#include <string>

namespace frmnodi_test {

// A loaded joint window with no joint type chosen.
inline std::unique_ptr<frmNodi> nuovaFinestra() {
    auto w = std::make_unique<frmNodi>();
    w->setAttribute(Qt::WA_DeleteOnClose, false); // the test owns it
    w->Form_Load();
    return w;
}

inline void scegliTipo(frmNodi& w, int indice) { w.cmbTipoNodo->setCurrentIndex(indice); }

// A working materials database in a temporary folder, opened as the program opens it; closed and
// forgotten at the end of the test.
class DatabaseMateriali {
public:
    DatabaseMateriali() {
        path_ = dir_.path() + "/MaterialiQor.dms";
        exec("CREATE TABLE Legno (Numero INTEGER, Classe TEXT, Descrizione TEXT, Fmk REAL, Ft0k REAL, Ft90k REAL,"
             " Fc0k REAL, Fc90k REAL, Fvk REAL, E0mean REAL, E05 REAL, E90mean REAL, Gmean REAL, rok REAL);"
             "INSERT INTO Legno VALUES (7, 'C24', 'Abete C24', 24, 14.5, 0.4, 21, 2.5, 4, 11000, 7400, 370, 690, 350);"
             "INSERT INTO Legno VALUES (12, 'GL24h', 'Abete', 24, 16.5, 0.4, 24, 2.7, 3.456, 11600, 9400, 390, 720,"
             " 380);"
             "INSERT INTO Legno (Numero) VALUES (13);");
        PercorsoDbMateriali = path_;
        ApriDatabaseMateriali();
    }
    ~DatabaseMateriali() {
        ChiudiDatabaseMateriali();
        CnMateriali = nullptr;
        PercorsoDbMateriali.clear();
    }
    void exec(const std::string& sql) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(path_.toUtf8().constData(), &db), SQLITE_OK);
        char* msg = nullptr;
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &msg), SQLITE_OK) << (msg ? msg : "");
        sqlite3_free(msg);
        sqlite3_close(db);
    }
    const QString& path() const { return path_; }

private:
    QTemporaryDir dir_;
    QString path_;
};

inline QString valore(QTreeWidget* lst, int riga) { return ui::ListSubItemText(lst, riga); }
inline QString etichetta(QTreeWidget* lst, int riga) { return ui::ListItemText(lst, riga); }

} // namespace frmnodi_test
