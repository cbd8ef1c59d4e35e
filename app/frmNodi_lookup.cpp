// The joint window: the material look-up of a member, which fills the member's material list with
// the 13 rows of its material, or with the one row that says why not.
#include "app/frmNodi.h"

#include "materials/modLignar2_Gen.h"
#include "platform/basic/Error.h"
#include "platform/data/Data.h"
#include "platform/ui/Controls.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVariant>

#include <memory>

namespace {

// The rows of a member's material list: label and field, in the order the readers expect.
struct RigaMat {
    const char* etichetta;
    const char* campo; // nullptr: the row's value is the number looked up
};

const RigaMat RigheMatAsta[13] = {
    {"N°", nullptr},        {"Descrizione", "Descrizione"}, {"Fmk", "Fmk"},         {"Ft,0,k", "Ft0k"},
    {"Ft,90,k", "Ft90k"},   {"Fc,0,k", "Fc0k"},             {"Fc,90,k", "Fc90k"},   {"Fvk", "Fvk"},
    {"E0,mean", "E0mean"},  {"E0,05", "E05"},               {"E90,mean", "E90mean"}, {"Gmean", "Gmean"},
    {"Massa", "rok"},
};

// A field's value as the list shows it: text unchanged, numbers with two decimals by the locale.
// A field without a value shows nothing.
QString testoCampo(data::Recordset& rs, const char* campo, bool numero) {
    const QVariant v = rs.Fields(QString::fromLatin1(campo)).Value();
    if (v.isNull() || !v.isValid()) return QString();
    if (!numero) return v.toString();
    bool ok = false;
    const double x = v.toDouble(&ok);
    return ok ? basic::Format(x, QStringLiteral("0.00")) : v.toString();
}

} // namespace

void frmNodi::messaggioMat(QTreeWidget* listW, const QString& messaggio) {
    ui::ListClear(listW);
    QTreeWidgetItem* riga = ui::ListAddItem(listW, messaggio);
    // The column keeps its designed width, which cuts a long message: the row shows it whole.
    riga->setToolTip(0, messaggio);
    ui::ListSetColumnWidthTwips(listW, 0, 2100);
}

void frmNodi::CaricaDatiMat(QTreeWidget*& listW, Long& nMat) {
    ui::ListClear(listW);
    ui::ListSetToolTip(listW, QString());
    ui::ListSetColumnWidthTwips(listW, 0, 900);
    ui::ListSetColumnWidthTwips(listW, 1, 1400);
    if (nMat <= 0) return;

    const QString numero = basic::CStr(static_cast<long long>(nMat));
    const QString sql = QStringLiteral("Select * From Legno Where Numero=") + numero;
    std::shared_ptr<data::Recordset> rs;
    QString errore;
    ApriRecordset(rs, sql, errore);
    if (!basic::Trim(errore).isEmpty() || !rs) {
        messaggioMat(listW, errore);
        return;
    }
    try {
        if (rs->RecordCount() <= 0) {
            messaggioMat(listW, QStringLiteral("Materiale Insesistente nel DataBase"));
            return;
        }
        for (int r = 0; r < 13; ++r) {
            QTreeWidgetItem* item = ui::ListAddItem(listW, QString::fromUtf8(RigheMatAsta[r].etichetta));
            const QString valore =
                r == 0 ? numero : testoCampo(*rs, RigheMatAsta[r].campo, /*numero=*/r >= 2);
            ui::ListSetSubItem(item, valore);
            if (r == 1)
                ui::ListSetToolTip(listW, QStringLiteral("Materiale N.") + basic::Str(static_cast<long long>(nMat)) +
                                              QStringLiteral(") ") + valore);
        }
    } catch (const platform::Error& e) {
        // A table edited by other means (a field missing): say so in the list, as a failed read.
        ui::ListSetToolTip(listW, QString());
        messaggioMat(listW, TestoErroreLettura(e.number(), QString::fromStdString(e.description())));
    }
}

void frmNodi::txtMatAsta_Change() {
    if (txtMatAsta->isReadOnly()) return;
    Command8->setEnabled(true);
    const int k = SSTab2->currentIndex() + 1;
    if (k < 1 || k > NumeroAste) return;
    QTreeWidget* listW = LstMatAsta[k];
    Long nMat = 0;
    try {
        nMat = basic::CLng(basic::Val(txtMatAsta->text()));
    } catch (const platform::Error&) {
        // No material can carry a number beyond the range of a whole number.
        ui::ListSetToolTip(listW, QString());
        ui::ListSetColumnWidthTwips(listW, 1, 1400);
        messaggioMat(listW, QStringLiteral("Materiale Insesistente nel DataBase"));
        return;
    }
    CaricaDatiMat(listW, nMat);
}
