// The joint window: the verification report of the window's joint.
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"
#include "platform/basic/Error.h"
#include "platform/ui/Controls.h"

#include <QLabel>
#include <QTextEdit>

void frmNodi::CreaRelVerNodi(QTextEdit* Rich) {
    // The title and the joint-type line; the body of the report follows the verification run.
    std::shared_ptr<QOR_TRBNS18::_clsNodo> nodo;
    try {
        const Integer nNodo = basic::CInt(basic::Val(lblNodoCorrente->text()));
        if (GenVerNodi) nodo = GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(nNodo);
    } catch (const platform::Error&) {
        nodo = nullptr;
    }
    ui::RichClear(Rich);
    ui::RichSetFontName(Rich, QStringLiteral("Times New Roman"));
    ui::RichSetFontSize(Rich, 12);
    ui::RichSetTitle(Rich, true);
    ui::RichAppend(Rich, QStringLiteral(" VERIFICA NODO N.") + lblNodoCorrente->text() + QLatin1Char('\n'));
    ui::RichSetTitle(Rich, false);
    ui::RichSetFontName(Rich, QStringLiteral("Courier New"));
    ui::RichSetFontSize(Rich, 8);
    ui::RichAppend(Rich, QStringLiteral(" "));
    ui::RichSetHeading(Rich, true);
    ui::RichAppend(Rich, QStringLiteral("Tipologia Nodo:          ") +
                             (nodo ? QString::fromStdString(nodo->TipoNodo()) : QString()) + QLatin1Char('\n'));
    ui::RichSetHeading(Rich, false);
}
