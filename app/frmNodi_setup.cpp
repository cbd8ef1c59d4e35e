// The joint window: joint-type set-up, picture chooser, section type of a member and the change of
// member tab.
#include "app/frmNodi.h"

#include "app/frmNodi_picture.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Ui.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>

namespace {

// What choosing a joint type sets on the window.
struct SetupTipo {
    int disegno;                // PicNodo index brought to the front
    int aste;                   // member tabs shown
    const char* nomi[3];        // member names by position
    const char* lblMis[5];      // captions of lblMis(1..4); nullptr hides label and box
    bool reazione;              // reaction and bearing shown
    bool nascondiN[4];          // axial force hidden, by member 1..3
    int angoloNascosto;         // member whose angle is hidden, 0 for none
    bool angolo90;              // the hidden angle is the king post's fixed 90
};

// In the order of frmNodi::Tipo.
const SetupTipo kSetup[4] = {
    {0, 2, {"Catena", "Puntone", ""}, {nullptr, "[cm.]  tv =", "Lv =", nullptr, nullptr}, true,
     {false, true, false, false}, 1, false},
    {1, 3, {"Puntone Inferiore", "Puntone Superiore", "Saetta"}, {nullptr, "[cm.]  tv =", nullptr, nullptr, nullptr},
     false, {false, true, true, false}, 0, false},
    {2, 3, {"Puntone Sx", "Monaco", "Puntone Dx"}, {nullptr, "[cm.]  tv1=", "Lv1=", "tv2=", "Lv2="}, false,
     {false, false, true, false}, 2, true},
    {3, 3, {"Saetta Sx", "Monaco", "Saetta Dx"}, {nullptr, "[cm.]  tv1=", "Lv1=", "tv2=", "Lv2="}, false,
     {false, false, true, false}, 2, true},
};

// The position of a joint type in the tables in the order of frmNodi::Tipo; -1 for Nessuno.
int posizione(frmNodi::Tipo t) {
    const int i = static_cast<int>(t);
    return i >= 0 && i < 4 ? i : -1;
}

const SetupTipo* setupDi(frmNodi::Tipo t) {
    const int i = posizione(t);
    return i < 0 ? nullptr : &kSetup[i];
}

} // namespace

const std::array<QString, 4>& frmNodi::TipiNodo() {
    static const std::array<QString, 4> tipi = {
        QStringLiteral("Catena Puntone a Dente Semplice"), QStringLiteral("Puntone Saetta a Dente Semplice"),
        QStringLiteral("Monaco Puntoni a Dente Semplice"), QStringLiteral("Monaco Saette a Dente Semplice")};
    return tipi;
}

frmNodi::Tipo frmNodi::TipoDi(const QString& testo) {
    const auto& tipi = TipiNodo();
    for (size_t i = 0; i < tipi.size(); ++i)
        if (tipi[i] == testo) return static_cast<Tipo>(i);
    return Tipo::Nessuno;
}

QString frmNodi::TestoDi(Tipo t) {
    const int i = posizione(t);
    return i < 0 ? QString() : TipiNodo()[static_cast<size_t>(i)];
}

std::optional<QString> frmNodi::NomeAsta(Tipo tipo, int k) {
    const SetupTipo* s = setupDi(tipo);
    if (!s) return std::nullopt;
    if (k < 1 || k > 3) return QString();
    return QString::fromUtf8(s->nomi[k - 1]);
}

frmNodi::Tipo frmNodi::tipoScelto() const { return TipoDi(cmbTipoNodo->currentText()); }

void frmNodi::cmbTipoNodo_Click() {
    const QString t = cmbTipoNodo->currentIndex() < 0 ? QString() : cmbTipoNodo->currentText();

    FrameAsta[1]->setEnabled(true);
    stkAsta->setCurrentWidget(FrameAsta[1]);

    Command8->setEnabled(true);
    Command8->setText(QStringLiteral("Verifica"));
    RichTextBox1->setPlainText(QStringLiteral("Esegui Verifica"));

    FrameParamNodo->setEnabled(true);
    for (int k = 1; k <= 4; ++k) {
        lblMis[k]->setVisible(true);
        lblMis[k]->setEnabled(true);
        txtMis[k]->setVisible(true);
    }
    for (QLabel* l : {lblReaz, lblLapp}) {
        l->setEnabled(true);
        l->setVisible(true);
    }
    txtReaz->setVisible(true);
    txtLapp->setVisible(true);

    for (QWidget* w : std::initializer_list<QWidget*>{FrameAsta[0], lblAsta[0], lblAsta[3], Text2, SSTab2, lblBase[1],
                                                      lblAltezza[1], lblAngAsta[1], lblNAsta[1]})
        w->setEnabled(true);

    for (int k = 1; k <= NumeroAste; ++k) {
        lblNAsta[k]->setVisible(true);
        txtNAsta[k]->setVisible(true);
        txtAngAsta[k]->setText(QString());
        lblAngAsta[k]->setVisible(true);
        txtAngAsta[k]->setVisible(true);
    }
    Text1->setText(QString());

    int n = 0;
    const SetupTipo* setup = setupDi(tipoScelto());
    if (t.isEmpty()) {
        stkPicture->setCurrentWidget(PicTipoNodi);
        FrameParamNodo->setEnabled(false);
        for (int k = 1; k <= 4; ++k) lblMis[k]->setEnabled(false);
        lblReaz->setEnabled(false);
        lblLapp->setEnabled(false);
        for (QWidget* w : std::initializer_list<QWidget*>{FrameAsta[0], lblAsta[0], lblAsta[3], Text2, SSTab2,
                                                          lblBase[1], lblAltezza[1], lblAngAsta[1], lblNAsta[1]})
            w->setEnabled(false);
        Command8->setText(QStringLiteral("Seleziona Tipo Unione"));
        Command8->setEnabled(false);
        RichTextBox1->setPlainText(QStringLiteral("Selezionare Tipo di Unione"));
    } else if (setup) {
        const SetupTipo& s = *setup;
        stkPicture->setCurrentWidget(PicNodo[s.disegno]);
        Text1->setText(QString::fromUtf8(s.nomi[0]));
        for (int k = 1; k <= 4; ++k) {
            if (s.lblMis[k]) {
                lblMis[k]->setText(QString::fromUtf8(s.lblMis[k]));
            } else {
                lblMis[k]->setVisible(false);
                txtMis[k]->setVisible(false);
            }
        }
        if (!s.reazione) {
            for (QWidget* w : std::initializer_list<QWidget*>{lblReaz, txtReaz, lblLapp, txtLapp}) w->setVisible(false);
        }
        for (int k = 1; k <= 3; ++k) {
            if (s.nascondiN[k]) {
                lblNAsta[k]->setVisible(false);
                txtNAsta[k]->setVisible(false);
            }
        }
        if (s.angoloNascosto > 0) {
            const int k = s.angoloNascosto;
            if (s.angolo90) txtAngAsta[k]->setText(QStringLiteral("90"));
            lblAngAsta[k]->setVisible(false);
            txtAngAsta[k]->setVisible(false);
        }
        n = s.aste;
    }

    if (n > 0) {
        const int prima = SSTab2->currentIndex();
        for (int i = 0; i < ui::TabCount(SSTab2); ++i) ui::SetTabVisible(SSTab2, i, i < n);
        // Hiding tabs may have moved the selection silently; selecting tab 0 is what counts.
        if (SSTab2->currentIndex() != 0)
            ui::SetCurrentTab(SSTab2, 0);
        else if (prima != 0)
            SSTab2_Click(prima);
    }
    Text1->raise();
    if (!basic::Trim(t).isEmpty()) txtMis[1]->setFocus();
}

// ---------------------------------------------------------------- picture chooser

void frmNodi::ImgTipoUnione_MouseMove(int Index) {
    for (frmNodiPicture* img : ImgTipoUnione) img->setBorderStyle(0);
    ImgTipoUnione[Index]->setBorderStyle(1);
}

void frmNodi::PicTipoNodi_MouseMove() {
    for (frmNodiPicture* img : ImgTipoUnione) img->setBorderStyle(0);
}

void frmNodi::ImgTipoUnione_MouseUp(int Index) {
    ImgTipoUnione[Index]->setBorderStyle(0);
    cmbTipoNodo->setCurrentIndex(Index);
}

// ---------------------------------------------------------------- section type

void frmNodi::ComboAsta_Click(int Index) {
    Command8->setEnabled(true);
    const QString sezione = ComboAsta[Index]->currentText();
    if (sezione == QLatin1String("Rettangolare")) {
        lblBase[Index]->setText(QStringLiteral("B (cm)"));
        lblAltezza[Index]->setVisible(true);
        txtHAsta[Index]->setVisible(true);
    }
    if (sezione == QLatin1String("Circolare")) {
        lblBase[Index]->setText(QStringLiteral("R (cm)"));
        lblAltezza[Index]->setVisible(false);
        txtHAsta[Index]->setVisible(false);
    }
}

// ---------------------------------------------------------------- member tabs

Long frmNodi::numeroMateriale(int k) const {
    if (k < 1 || k > NumeroAste || ui::ListCount(LstMatAsta[k]) < 1) return 0;
    // Row 1 holds the number of a found material; the one-row messages leave it empty.
    const std::optional<double> v = basic::TryCDbl(ui::ListSubItemText(LstMatAsta[k], 1));
    if (!v || !(*v >= 1) || *v > 2147483647.0) return 0;
    return static_cast<Long>(*v);
}

void frmNodi::SSTab2_Click(int PreviousTab) {
    (void)PreviousTab;
    const int k = SSTab2->currentIndex() + 1;
    if (k < 1 || k > NumeroAste) return;

    const Long m = numeroMateriale(k);
    if (m < 1) {
        txtMatAsta->setText(QString());
        // A member without material takes over the material of the member before it.
        const Long p = k >= 2 ? numeroMateriale(k - 1) : 0;
        if (p >= 1) txtMatAsta->setText(basic::CStr(static_cast<long long>(p)));
    } else {
        // Its list is already loaded: show the number without looking it up again.
        txtMatAsta->setReadOnly(true);
        txtMatAsta->setText(basic::CStr(static_cast<long long>(m)));
        txtMatAsta->setReadOnly(false);
    }

    stkAsta->setCurrentWidget(FrameAsta[k]);

    const std::optional<QString> nome = NomeAsta(tipoScelto(), k);
    if (nome) {
        Text1->setText(*nome);
    } else {
        ui::Beep();
        ui::MsgBox(QStringLiteral("Attenzione!") + QLatin1Char('\n') +
                       QStringLiteral("Il Tipo di nodo selezionato non è ancora implementato nella Classe"),
                   ui::vbOKOnly);
    }
    Text1->raise();
}
