#include "materials/modLignar2_Gen.h"

#include "platform/basic/Basic.h"
#include "platform/basic/Error.h"
#include "platform/ui/Files.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <QStandardPaths>

#include <exception>

QString PercorsoDbMateriali;
QString PercorsoArchivioDef;
std::shared_ptr<data::Connection> CnMateriali;

namespace {

const QString kNomeDb = QStringLiteral("MaterialiQor.dms");
const QString kNomeArchivio = QStringLiteral("LignarQOR.DEF");
const QChar CR(13);
const QChar LF(10);

bool senzaUnita(const QString& cartella) { return cartella.startsWith(QLatin1Char('/')); }

QString descrizioneDi(const std::exception& e) {
    if (const auto* pe = dynamic_cast<const platform::Error*>(&e)) return QString::fromStdString(pe->description());
    return QString::fromUtf8(e.what());
}

} // namespace

QString PercorsoArchivioPer(const QString& cartellaProgramma) {
    if (senzaUnita(cartellaProgramma))
        return cartellaProgramma.endsWith(QLatin1Char('/')) ? cartellaProgramma + kNomeArchivio
                                                            : cartellaProgramma + QLatin1Char('/') + kNomeArchivio;
    if (cartellaProgramma.endsWith(QLatin1Char('\\'))) return cartellaProgramma + kNomeArchivio;
    return cartellaProgramma + QLatin1Char('\\') + kNomeArchivio;
}

QString PercorsoDbPer(const QString& cartellaProgramma, const QString& cartellaDatiUtente) {
    if (senzaUnita(cartellaProgramma)) {
        // No drive root to write to: the working database is the user's own.
        QString cartella = cartellaDatiUtente.isEmpty() ? cartellaProgramma : cartellaDatiUtente;
        while (cartella.size() > 1 && cartella.endsWith(QLatin1Char('/'))) cartella.chop(1);
        return cartella == QLatin1String("/") ? cartella + kNomeDb : cartella + QLatin1Char('/') + kNomeDb;
    }
    const QChar terzo = cartellaProgramma.size() >= 3 ? cartellaProgramma.at(2) : QChar();
    if (terzo == QLatin1Char('\\') || terzo == QLatin1Char('/')) return cartellaProgramma.left(3) + kNomeDb;
    return cartellaProgramma.left(2) + QLatin1Char('\\') + kNomeDb;
}

QString CartellaDatiUtente() {
    const QString cartella = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (!cartella.isEmpty()) QDir().mkpath(cartella); // a failure shows later, as a failed copy
    return cartella;
}

QString TestoArchivioMancante(const QString& percorsoArchivio) {
    return QStringLiteral("Impossibile gestire il database dei materiali.") + LF + LF +
           QStringLiteral("Il file distribuito con il programma: ") + CR + percorsoArchivio + CR + LF +
           QStringLiteral("non esiste.") + LF + LF +
           QStringLiteral("Copiare tale file nella directory di installazione del software o reinstallare lo stesso.") +
           LF;
}

QString TestoCopiaFallita(const QString& percorsoDb, const QString& descrizione) {
    return QStringLiteral("Impossibile gestire il database dei materiali.") + LF + LF +
           QStringLiteral("Errore nella inizializzazione dello stesso ") + CR + percorsoDb + CR + LF + descrizione + LF +
           LF;
}

QString TestoErroreLettura(long numero, const QString& descrizione) {
    return QStringLiteral("Errore N.") + basic::Str(numero) + QStringLiteral(" nella lettura del Database.") + LF + LF +
           descrizione;
}

void ImpostaPercorsoArchivio() {
    PercorsoDbMateriali = QString();
    PercorsoArchivioDef = PercorsoArchivioPer(files::AppPath());
}

void InizializzaDatabaseMateriali() {
    ImpostaPercorsoArchivio();
    const QString cartella = files::AppPath();
    PercorsoDbMateriali = PercorsoDbPer(cartella, senzaUnita(cartella) ? CartellaDatiUtente() : QString());

    if (basic::Trim(files::Dir(PercorsoDbMateriali)).isEmpty()) {
        if (basic::Trim(files::Dir(PercorsoArchivioDef)).isEmpty()) {
            ui::Beep();
            ui::MsgBox(TestoArchivioMancante(PercorsoArchivioDef), ui::vbOKOnly, QStringLiteral("ERRORE SISTEMA SOFTWARE"));
            return;
        }
        try {
            files::FileCopy(PercorsoArchivioDef, PercorsoDbMateriali);
        } catch (const std::exception& e) {
            ui::Beep();
            ui::MsgBox(TestoCopiaFallita(PercorsoDbMateriali, descrizioneDi(e)), ui::vbOKOnly,
                       QStringLiteral("ERRORE CREAZIONE DATABASE MATERIALI"));
            return;
        }
    }
    ApriDatabaseMateriali();
}

void ApriDatabaseMateriali() {
    try {
        CnMateriali = std::make_shared<data::Connection>();
        CnMateriali->CursorLocation(data::adUseClient);
        CnMateriali->Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source=") + PercorsoDbMateriali +
                              QStringLiteral(";"),
                          QString(), QString(), -1);
    } catch (const std::exception& e) {
        ui::MsgBox(descrizioneDi(e), ui::vbOKOnly, QStringLiteral("Sub: Apri Database Materiali"));
        PercorsoDbMateriali = QString();
        ChiudiDatabaseMateriali();
    }
}

void ChiudiDatabaseMateriali() {
    try {
        if (CnMateriali && CnMateriali->State() == data::adStateOpen) CnMateriali->Close();
    } catch (const std::exception&) {
        // Closing is best effort; the object is dropped below in any case.
    }
    CnMateriali.reset();
}

void ApriRecordset(std::shared_ptr<data::Recordset>& rs, const QString& sql, QString& errore) {
    auto locale = std::make_shared<data::Recordset>();
    errore = QString();
    try {
        locale->Open(sql, CnMateriali, data::adOpenStatic, data::adLockPessimistic, data::adCmdText);
    } catch (const platform::Error& e) {
        errore = TestoErroreLettura(e.number(), QString::fromStdString(e.description()));
        return;
    } catch (const std::exception& e) {
        errore = TestoErroreLettura(platform::err::InvalidCall, QString::fromUtf8(e.what()));
        return;
    }
    rs = std::move(locale);
    try {
        rs->Sort(QStringLiteral("Numero"));
    } catch (const std::exception&) {
        // A set without Numero stays in the order it was read.
    }
}
