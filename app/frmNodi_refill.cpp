// The joint window: refilling the window from its joint.
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"
#include "platform/basic/Error.h"
#include "platform/ui/Controls.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

namespace {
QString testo(Single x) { return basic::CStr(x); }
} // namespace

void frmNodi::compilaTextDatiNodo(Integer& nn) {
    Form_Load();
    // From here on the window works on joint nn, and its report and its runs read that number.
    lblNodoCorrente->setText(basic::CStr(nn));

    for (int k = 1; k <= 4; ++k) txtMis[k]->setText(QString());
    txtReaz->setText(QString());
    txtLapp->setText(QString());
    txtMatAsta->setText(QString());

    for (int i = 1; i <= SSTab2->count() && i <= NumeroAste; ++i) {
        ComboAsta[i]->setCurrentIndex(0);
        txtBAsta[i]->setText(QString());
        txtHAsta[i]->setText(QString());
        txtAngAsta[i]->setText(QString());
        txtNAsta[i]->setText(QString());
        LstMatAsta[i]->clear();
    }

    std::shared_ptr<QOR_TRBNS18::_clsNodo> nodo;
    try {
        if (GenVerNodi) nodo = GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(nn);
    } catch (const platform::Error&) {
        nodo = nullptr;
    }
    // Without a joint of that number the window stays empty, as for a joint without a type.
    const QString tipo = nodo ? QString::fromStdString(nodo->TipoNodo()) : QString();
    if (basic::Trim(tipo).isEmpty()) {
        cmbTipoNodo->setCurrentIndex(-1);
        return;
    }
    // The list holds the types in the order of Tipo.
    const Tipo scelto = TipoDi(tipo);
    if (scelto == Tipo::Nessuno) return;
    cmbTipoNodo->setCurrentIndex(static_cast<int>(scelto));
    if (!nodo->AsteReg()) return;

    if (scelto == Tipo::CatenaPuntone) {
        txtMis[1]->setText(testo(nodo->tv()));
        txtMis[2]->setText(testo(nodo->Lv()));
        txtReaz->setText(testo(nodo->ReazioneY()));
        txtLapp->setText(testo(nodo->LunghezzaAppoggio()));
    } else if (scelto == Tipo::PuntoneSaetta) {
        txtMis[1]->setText(testo(nodo->tv()));
    } else if (Monaco(scelto)) {
        txtMis[1]->setText(testo(nodo->tv()));
        txtMis[2]->setText(testo(nodo->Lv()));
        txtMis[3]->setText(testo(nodo->tvB()));
        txtMis[4]->setText(testo(nodo->LvB()));
    }

    const std::shared_ptr<component::Collection> aste = nodo->Asta();
    const int count = aste ? aste->Count() : 0;
    // The window has places for six members; a joint never has more.
    for (int i = 1; i <= count && i <= NumeroAste; ++i) {
        auto asta = aste->ItemAs<QOR_TRBNS18::_clsAsta>(i);
        if (!asta) continue;
        ComboAsta[i]->setCurrentIndex(asta->TipoSezione() == "Circolare" ? 1 : 0);
        txtBAsta[i]->setText(testo(asta->Base()));
        txtHAsta[i]->setText(testo(asta->Altezza()));
        txtAngAsta[i]->setText(testo(asta->Angolo()));
        txtNAsta[i]->setText(testo(asta->SforzoAssiale()));
        SSTab2->setCurrentIndex(i - 1);
        txtMatAsta->setText(QString());
        txtMatAsta->setText(basic::CStr(static_cast<long long>(asta->NumeroMateriale())));
    }

    CreaRelVerNodi(RichTextBox1);
}
