#pragma once
// The materials database: start-up (working file from the shipped archive), the one connection
// and the opening of recordsets on table Legno.
#include "platform/data/Data.h"

#include <QString>
#include <memory>

// Program-wide state of the materials database.
extern QString PercorsoDbMateriali;                    // working database; "" after a failed opening
extern QString PercorsoArchivioDef;                    // shipped archive beside the program
extern std::shared_ptr<data::Connection> CnMateriali;  // the one connection, or none

// Where the two files lie for a program folder. On a drive ("C:\Programmi\Nodi") the working
// database sits at the drive's root; where there is no drive (the folder begins with "/") it sits
// in the per-user data folder cartellaDatiUtente.
QString PercorsoArchivioPer(const QString& cartellaProgramma);
QString PercorsoDbPer(const QString& cartellaProgramma, const QString& cartellaDatiUtente);
// The per-user data folder of the program (created when missing).
QString CartellaDatiUtente();

// Texts of the start-up's missing-archive and copy-failure messages.
QString TestoArchivioMancante(const QString& percorsoArchivio);
QString TestoCopiaFallita(const QString& percorsoDb, const QString& descrizione);
// "Errore N." + number + " nella lettura del Database." + LF LF + description.
QString TestoErroreLettura(long numero, const QString& descrizione);

void InizializzaDatabaseMateriali();
void ImpostaPercorsoArchivio();
void ApriDatabaseMateriali();
void ChiudiDatabaseMateriali();

// Opens sql as a static recordset sorted on Numero into rs and sets errore to "". On failure rs is
// left untouched and errore holds "Errore N." + number + " nella lettura del Database." + LF LF +
// description.
void ApriRecordset(std::shared_ptr<data::Recordset>& rs, const QString& sql, QString& errore);
