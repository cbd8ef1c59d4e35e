#include "app/ModuloCapreo.h"

#include "app/frmMain.h"
#include "app/frmNodi.h"
#include "materials/modLignar2_Gen.h"
#include "platform/basic/Error.h"
#include "platform/component/Component.h"
#include "platform/ui/Files.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Ui.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <cmath>
#include <exception>

using namespace QOR_TRBNS18;

std::shared_ptr<_clsGenVerNodi> GenVerNodi;
std::shared_ptr<_clsNodo> NodoCorrente;
Single PiGrecoSingolo = 0;
QPointer<frmNodi> FormNodo;

QString IndirizzoHelp() { return files::AppPath() + QStringLiteral("/guida/Capreo2018.html"); }

namespace {
QPointer<frmMain> istanzaMain;
} // namespace

frmMain* MainForm() {
    if (!istanzaMain) istanzaMain = new frmMain;
    return istanzaMain;
}

bool Main() {
    PiGrecoSingolo = static_cast<Single>(std::atan(1.0) * 4);
    InizializzaDatabaseMateriali();
    MainForm()->show(); // its load step runs before the show returns
    try {
        CreaOggettiCalcolo();
    } catch (const platform::Error& e) {
        ui::MostraErroreDiSistema(e.number(), QString::fromStdString(e.description()));
        return false;
    } catch (const std::exception& e) {
        ui::MostraErroreDiSistema(platform::err::CannotCreateObject, QString::fromLocal8Bit(e.what()));
        return false;
    }
    return true;
}

void CreaOggettiCalcolo() {
    GenVerNodi = component::CreateObjectAs<_clsGenVerNodi>(ProgIdGenVerNodi);
    NodoCorrente = component::CreateObjectAs<_clsNodo>(ProgIdNodo);
}

void DistruggiOggettiCalcolo() {
    try {
        GenVerNodi.reset();
    } catch (...) {
    }
    try {
        NodoCorrente.reset();
    } catch (...) {
    }
    FormNodo.clear();
}

void NuovoNodo(frmNodi::Tipo TipoNodo) {
    // Without the engine object there is nobody to create the joint: an error, not a crash.
    if (!GenVerNodi) platform::Raise(platform::err::ObjectNotSet);
    auto* finestra = new frmNodi;
    FormNodo = finestra;
    QMdiSubWindow* cornice = MainForm()->mdiArea()->addSubWindow(finestra);
    // A joint window that closes itself ("Esci") takes its frame along instead of leaving it empty.
    // Queued: when the frame itself is the one closing, it is gone by then and nothing happens.
    QObject::connect(finestra, &QObject::destroyed, cornice, &QMdiSubWindow::close, Qt::QueuedConnection);
    try {
        // The engine knows a joint type by its name.
        std::string tipo = frmNodi::TestoDi(TipoNodo).toStdString();
        GenVerNodi->CreaNodo(tipo);
        const auto nodi = GenVerNodi->Nodi();
        NodoCorrente = nodi->ItemAs<_clsNodo>(nodi->Count());
        Integer numero = basic::CInt(GenVerNodi->Nodi()->Count());
        MostraNodo(numero);
    } catch (...) {
        delete cornice; // a window that never showed its joint must not linger hidden
        throw;
    }
    // Each new joint window opens a title bar's height below and to the right of the one opened
    // before it, so that none hides another completely; back at the corner when it would leave
    // the area (a window larger than the area: when its title bar would).
    QMdiArea* area = MainForm()->mdiArea();
    const QList<QMdiSubWindow*> cornici = area->subWindowList(QMdiArea::CreationOrder);
    for (auto it = cornici.crbegin(); it != cornici.crend(); ++it) {
        QMdiSubWindow* ultima = *it;
        if (ultima == cornice || !qobject_cast<frmNodi*>(ultima->widget()) || ultima->isHidden()) continue;
        const int passo = cornice->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, cornice);
        QPoint posizione = ultima->pos() + QPoint(passo, passo);
        const QSize spazio = area->viewport()->size();
        const QSize dimensione = cornice->size();
        const auto fuori = [passo](int inizio, int lato, int disponibile) {
            return lato <= disponibile ? inizio + lato > disponibile : inizio + passo > disponibile;
        };
        if (fuori(posizione.x(), dimensione.width(), spazio.width()) ||
            fuori(posizione.y(), dimensione.height(), spazio.height()))
            posizione = QPoint(0, 0);
        cornice->move(posizione);
        break;
    }
    cornice->show();
    finestra->show();
}

void MostraNodo(Integer& nNodo) {
    // The number first: the refill's report is about the joint the label names.
    FormNodo->lblNodoCorrente->setText(basic::CStr(nNodo));
    FormNodo->compilaTextDatiNodo(nNodo);
}

void ApriDocumento(QString& documento) {
    ui::PuntatoreOccupato occupato;
    ui::DoEvents();

    const bool fileLocale = !(documento.left(4) == QStringLiteral("http") || documento.left(6) == QStringLiteral("mailto"));
    if (fileLocale) {
        QString trovato;
        try {
            trovato = files::Dir(documento);
        } catch (...) {
        }
        if (trovato.isEmpty()) {
            ui::Beep();
            ui::MsgBox(QStringLiteral("Il file specificato:") + QChar(10) + documento + QChar(10) +
                           QStringLiteral("Non esiste nell'Archivio Server."),
                       ui::vbOKOnly);
            return;
        }
    }

    long risultato = 0;
    bool errore = false;
    try {
        risultato = ui::ShellExecute(MainForm(), QStringLiteral("open"), documento, nullptr, files::AppPath(), 5);
    } catch (...) {
        errore = true;
    }
    if (errore)
        ui::MsgBox(QStringLiteral("Impossibile aprire il file associato.") + QChar(10) +
                       QStringLiteral("Nessun Programma installato in Windows è in grado di aprire il file suddetto."),
                   ui::vbOKOnly);
    if (risultato <= 32) {
        QString messaggio;
        switch (risultato) {
        case 2: messaggio = QStringLiteral("File non trovato."); break;
        case 3: messaggio = QStringLiteral("Percorso non trovato"); break;
        case 5: messaggio = QStringLiteral("Accesso negato"); break;
        case 8: messaggio = QStringLiteral("Memoria insufficiente per aprire il file"); break;
        case 11: messaggio = QStringLiteral("Invalid EXE file or error in EXE image"); break;
        case 26: messaggio = QStringLiteral("A sharing violation occurred"); break;
        case 27: messaggio = QStringLiteral("Incomplete or invalid file association"); break;
        case 28: messaggio = QStringLiteral("DDE Time out"); break;
        case 29: messaggio = QStringLiteral("DDE transaction failed"); break;
        case 30: messaggio = QStringLiteral("DDE busy"); break;
        case 31:
            messaggio = QStringLiteral("Nessun Programma installato nel PC è dedicato ad aprire file con estensione ") +
                        documento.right(4).toUpper();
            break;
        case 32: messaggio = QStringLiteral("DLL not found"); break;
        default: messaggio = QStringLiteral("Errore non individuabile nell'apertura del File"); break;
        }
        ui::MsgBox(messaggio, ui::vbOKOnly);
    }
}
