#pragma once
// The joint window: one window per joint, in which the user describes the joint, starts its
// verification and reads its report. The window works on the joint whose number its label
// lblNodoCorrente shows; apart from its controls it keeps no state of its own.
//
// The window spreads over several files, one per concern: frmNodi.cpp (construction, layout and
// wiring of the controls, load/unload, buttons), frmNodi_setup.cpp (joint-type set-up, picture
// chooser, section type, member tabs), frmNodi_lookup.cpp (material look-up), frmNodi_input.cpp
// (typed-key filters, change handlers, the Enter focus chain, coefficient defaults),
// frmNodi_check.cpp (the ordered input check), frmNodi_run.cpp (registration and verification
// run), frmNodi_report.cpp (the verification report), frmNodi_refill.cpp (refilling from the
// joint).
#include "platform/basic/Basic.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <optional>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class frmNodiPicture;
namespace QOR_TRBNS18 {
class _clsNodo;
}

class frmNodi : public QWidget {
    Q_OBJECT
public:
    explicit frmNodi(QWidget* parent = nullptr);
    ~frmNodi() override;

    // Empties the window, selects the joint's type and, for a joint whose members are registered,
    // writes its inputs, members and report back. The first use of the window loads it.
    void compilaTextDatiNodo(Integer& nn);

    // Member positions run 1..6; the arrays below are indexed as designed, index 0 unused where the
    // design starts at 1.
    static constexpr int NumeroAste = 6;

    // ---- top line and buttons ----
    QLabel* lblTitolo = nullptr;
    QLabel* lblNodoCorrente = nullptr;
    QLabel* lblTipo = nullptr;
    QComboBox* cmbTipoNodo = nullptr;
    QPushButton* Command1 = nullptr; // "Tabella Materiali"
    QPushButton* Command2 = nullptr; // "Help"
    QPushButton* Command8 = nullptr; // "Verifica"
    QPushButton* Command9 = nullptr; // "Esci"

    QTabWidget* SSTab1 = nullptr; // "Dati Unione", "Relazione di Verifica", "Coefficienti Normativa"

    // ---- tab "Dati Unione": the pictures ----
    QStackedWidget* stkPicture = nullptr; // the one place shared by the chooser and the drawings
    frmNodiPicture* PicTipoNodi = nullptr;
    std::array<frmNodiPicture*, 4> ImgTipoUnione{};
    std::array<frmNodiPicture*, 4> PicNodo{};

    // ---- tab "Dati Unione": the joint's notch data ----
    QGroupBox* FrameParamNodo = nullptr;
    std::array<QLabel*, 5> lblMis{};
    std::array<QLineEdit*, 5> txtMis{};
    QLabel* lblReaz = nullptr;
    QLineEdit* txtReaz = nullptr;
    QLabel* lblLapp = nullptr;
    QLineEdit* txtLapp = nullptr;

    // ---- tab "Dati Unione": the members ----
    std::array<QGroupBox*, NumeroAste + 1> FrameAsta{}; // 0 = the member area, k = member k
    QStackedWidget* stkAsta = nullptr;                  // the one place of FrameAsta(1..6)
    // Elements 0 ("Asta N.") and 3, 11, 16, 21, 26, 31 ("Tipo Sezione" of members 1..6).
    std::array<QLabel*, 32> lblAsta{};
    QTabWidget* SSTab2 = nullptr; // member tabs "1".."6"
    QLineEdit* Text1 = nullptr;   // name of the member of the selected tab
    QLineEdit* Text2 = nullptr;   // "Materiale N°"
    QLineEdit* txtMatAsta = nullptr;
    std::array<QComboBox*, NumeroAste + 1> ComboAsta{};
    std::array<QLabel*, NumeroAste + 1> lblBase{};
    std::array<QLineEdit*, NumeroAste + 1> txtBAsta{};
    std::array<QLabel*, NumeroAste + 1> lblAltezza{};
    std::array<QLineEdit*, NumeroAste + 1> txtHAsta{};
    std::array<QLabel*, NumeroAste + 1> lblAngAsta{};
    std::array<QLineEdit*, NumeroAste + 1> txtAngAsta{};
    std::array<QLabel*, NumeroAste + 1> lblNAsta{};
    std::array<QLineEdit*, NumeroAste + 1> txtNAsta{};
    std::array<QTreeWidget*, NumeroAste + 1> LstMatAsta{};

    // ---- tab "Relazione di Verifica" ----
    QTextEdit* RichTextBox1 = nullptr;

    // ---- tab "Coefficienti Normativa" ----
    QGroupBox* Frame2 = nullptr;
    QLabel* Label55 = nullptr;
    std::array<QLabel*, 9> lblCoefMat{};
    std::array<QLineEdit*, 9> txtCoefMat{};
    QLabel* Label18 = nullptr;
    std::array<QLabel*, 3> Label11{}; // element 2 used
    std::array<QLineEdit*, 4> txtCoefCar{};
    QGroupBox* Frame11 = nullptr;
    std::array<QRadioButton*, 4> Option2{};

    // The defaults of the coefficient boxes, by box index.
    static QString DefaultCoefMat(int Index);
    static QString DefaultCoefCar(int Index);

    // ---- handlers ----
    void Form_Load();
    void Form_Unload();
    void cmbTipoNodo_Click();
    void ImgTipoUnione_MouseMove(int Index);
    void ImgTipoUnione_MouseUp(int Index);
    void PicTipoNodi_MouseMove();
    void ComboAsta_Click(int Index);
    void SSTab2_Click(int PreviousTab);
    void Command1_Click();
    void Command2_Click();
    void Command8_Click();
    void Command9_Click();
    void txtMatAsta_Change();
    // Any edit of a joint or member input makes "Verifica" available again.
    void txtMis_Change(int Index);
    void txtReaz_Change();
    void txtLapp_Change();
    void txtBAsta_Change(int Index);
    void txtHAsta_Change(int Index);
    void txtAngAsta_Change(int Index);
    void txtNAsta_Change(int Index);
    void txtCoefMat_Change(int Index);
    void txtCoefCar_Change(int Index);
    void Option2_Click(int Index);

    void txtMis_KeyPress(int Index, int& KeyAscii);
    void txtReaz_KeyPress(int& KeyAscii);
    void txtLapp_KeyPress(int& KeyAscii);
    void txtBAsta_KeyPress(int Index, int& KeyAscii);
    void txtHAsta_KeyPress(int Index, int& KeyAscii);
    void txtAngAsta_KeyPress(int Index, int& KeyAscii);
    void txtNAsta_KeyPress(int Index, int& KeyAscii);
    void txtMatAsta_KeyPress(int& KeyAscii);
    void txtCoefMat_KeyPress(int Index, int& KeyAscii);
    void txtCoefCar_KeyPress(int Index, int& KeyAscii);
    void cmbTipoNodo_KeyPress(int& KeyAscii);
    void ComboAsta_KeyPress(int Index, int& KeyAscii);
    void SSTab2_KeyPress(int& KeyAscii);
    void txtCoefMat_LostFocus(int Index);
    void txtCoefCar_LostFocus(int Index);

    // Lists material nMat of table Legno in listW (13 rows), or the reason why not (one row).
    void CaricaDatiMat(QTreeWidget*& listW, Long& nMat);

    // The ordered input check: procedi True on entry; at the first fault the beep, the faulty
    // box focused (its member's tab in front), procedi False and the message in msg.
    void controlladati(bool& procedi, QString& msg);

    // The verification run: the check, the joint and its members to the engine, the run.
    void AcquisisciDatiNodo(bool& procedi);
    void AvviaVerifica(bool& procedi);
    // kmod and caption of the selected service class (0 and "" when none is selected).
    Single valKmod();
    QString strClasse();

    // Writes the verification report of the window's joint into Rich.
    void CreaRelVerNodi(QTextEdit* Rich);

    // The joint types in list order; Nessuno for a text that is none of the four. Whatever
    // depends on the type chooses by this, never by the caption.
    enum class Tipo { Nessuno = -1, CatenaPuntone, PuntoneSaetta, MonacoPuntoni, MonacoSaette };
    // The joint-type texts in list order. A text is also the type's name in the engine (what
    // CreaNodo receives, what the joint's TipoNodo holds and the report prints): TipoDi and TestoDi
    // are the only ways between the two.
    static const std::array<QString, 4>& TipiNodo();
    static Tipo TipoDi(const QString& testo);
    static QString TestoDi(Tipo t); // "" for Nessuno
    static bool Monaco(Tipo t) { return t == Tipo::MonacoPuntoni || t == Tipo::MonacoSaette; }
    // The member name of position k (1-based) for a joint type; "" when the type has none there,
    // and no value at all for Nessuno.
    static std::optional<QString> NomeAsta(Tipo tipo, int k);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildTopLine();
    QWidget* buildTabDatiUnione();
    QWidget* buildMemberFrame(int k);
    QWidget* buildTabRelazione();
    QWidget* buildTabCoefficienti();
    void wire();
    // "Verifica" available again, once a joint type is chosen: a coefficient of the run changed.
    void riarmaSeTipoScelto();
    // The one-row message of a failed look-up.
    void messaggioMat(QTreeWidget* listW, const QString& messaggio);
    // The whole number in the value column of row 1 of a member's list; 0 when it holds none.
    Long numeroMateriale(int k) const;
    // The joint type chosen in the list; Nessuno while none is.
    Tipo tipoScelto() const;

    bool loaded_ = false;
    bool unloaded_ = false;

    // ---- the verification run and the report ----
    // The window's joint number: the number its label shows.
    Integer numeroNodo() const;
    // The window's joint in the engine's registry (error 9 when there is none of that number).
    std::shared_ptr<QOR_TRBNS18::_clsNodo> nodoFinestra() const;
    // The body of the report for the four joint types, its block "Coefficienti Normativi:" and
    // its block "Aste Collegate:".
    void creaRelVerNodiCapriataDenteSemplice(QTextEdit* Rich);
    void CreaRelValNorm(QTextEdit* Rich);
    void CreaRelParamAste(QTextEdit* Rich);
};
