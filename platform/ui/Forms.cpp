#include "platform/ui/Forms.h"

#include "platform/basic/Basic.h"
#include "platform/basic/Error.h"
#include "platform/ui/Ui.h"

#include <QLineEdit>
#include <QLocale>

#include <exception>
#include <new>

namespace ui {

void SelezionaTesto(QLineEdit* box) {
    if (!box) return;
    box->setFocus();
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void VirgolaDecimale(int& KeyAscii) {
    const QString separatore = QLocale().decimalPoint();
    if (KeyAscii == '.' && separatore.size() == 1) KeyAscii = separatore.at(0).unicode();
}

PuntatoreOccupato::PuntatoreOccupato() { SetMousePointer(vbHourglass); }
PuntatoreOccupato::~PuntatoreOccupato() { SetMousePointer(vbDefault); }

void MostraErroreDiSistema(long numero, const QString& descrizione) {
    MsgBox(QStringLiteral("Errore di run-time '") + basic::CStr(static_cast<long long>(numero)) + QStringLiteral("':") +
               QChar(10) + QChar(10) + descrizione,
           vbOKOnly + vbCritical);
}

void MostraEccezioneCorrente() {
    try {
        throw;
    } catch (const platform::Error& e) {
        MostraErroreDiSistema(e.number(), QString::fromStdString(e.description()));
    } catch (const std::bad_alloc&) {
        MostraErroreDiSistema(7, QString::fromStdString(platform::StandardDescription(7)));
    } catch (const std::exception& e) {
        const QString testo = QString::fromLocal8Bit(e.what());
        MostraErroreDiSistema(platform::err::InvalidCall,
                              testo.isEmpty() ? QString::fromStdString(platform::StandardDescription(5)) : testo);
    } catch (...) {
        MostraErroreDiSistema(platform::err::InvalidCall, QString::fromStdString(platform::StandardDescription(5)));
    }
}

} // namespace ui
