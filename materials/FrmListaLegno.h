#pragma once
// The materials list: every row of table Legno in a grid, narrowed by the beginning of the
// description, with a toolbar that opens a material card for a new material or for the current
// row. It reads the table again each time it becomes the active window and each time a card
// closes, so that what a card saved shows up even when another window takes the focus, and it
// keeps its placement in the settings store.
#include <QString>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QLineEdit;
class QMdiSubWindow;
class QToolBar;

namespace data {
class Recordset;
}
namespace ui {
class DataGrid;
}

class FrmListaLegno : public QWidget {
    Q_OBJECT
public:
    explicit FrmListaLegno(QWidget* parent = nullptr);
    ~FrmListaLegno() override;

    // Controls under their design names. Toolbar1's buttons are Buttons[1..9] (index 0 unused);
    // 1, 6 and 8 are separators.
    QToolBar* Toolbar1 = nullptr;
    std::array<QAction*, 10> Buttons{};
    QLineEdit* Text1 = nullptr; // archive line
    QLineEdit* Text2 = nullptr; // "Filtro:"
    QLineEdit* Text3 = nullptr; // description filter
    ui::DataGrid* DataGrid1 = nullptr;

    std::shared_ptr<data::Recordset> rsListaLegno;

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Resize();
    void Form_KeyPress(int& KeyAscii);
    void Form_QueryUnload();
    void Form_Unload();
    void Text3_Change();
    void Toolbar1_ButtonClick(int Index);
    void DataGrid1_DblClick();

    // The card openers the toolbar and the grid call (SchedaLegnoNuova, ApriSchedaLegno). Tests put
    // recorders in their place; empty functions restore the real ones.
    using ApriNuova = std::function<void(std::shared_ptr<data::Recordset>& rs)>;
    using ApriEsistente = std::function<void(QString& modo, QString& numero)>;
    static void ImpostaApriSchede(ApriNuova nuova, ApriEsistente esistente);

    // The frame that holds the window inside the main window's area, or none.
    QMdiSubWindow* Cornice() const;
    // Window state (0 normal, 1 minimized, 2 maximized) and placement in twips, of the frame when
    // there is one, as the settings store keeps them.
    int WindowState() const;
    void SetWindowState(int state);
    double Top() const;
    double Left() const;
    double Width() const;
    double Height() const;
    void SetTop(double twips);
    void SetLeft(double twips);
    void SetWidth(double twips);
    void SetHeight(double twips);

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void posizionaoggetti();
    void Requery_Lista();
    void Imposta_DataGrid();
    void Salva_Parametri_Registro_ListaLegname();
    void Leggi_Parametri_Registro_ListaLegname();

    // The filter the box's text asks for; "" for every row.
    QString criterioFiltro() const;
    // The re-read of an activation and of a card's closing: the filter in the box applies again,
    // and the material that was current stays so while it is still shown.
    void rileggi();
    // The re-read asked for, unless one has run since; put off while a mouse button is down.
    void rileggiInAttesa();
    // A card has closed: one re-read once the closing is over, none when an activation came first.
    void schedaChiusa();
    // The value of Numero in the row the grid shows as current, as text with no blank; "" when
    // there is none.
    QString NumeroCorrente() const;
    void ApriScheda(const QString& modo);
    void chiudi();
    void seguiAttivazione(QMdiSubWindow* attiva);
    QWidget* finestra();
    const QWidget* finestra() const;

    bool caricata_ = false;
    bool chiusa_ = false;
    bool inResize_ = false;
    bool riletturaInAttesa_ = false;
    QMdiSubWindow* attivaPrima_ = nullptr; // the sub-window active before, null ones not counted
};

namespace materials {

// The one materials list of the program: created when needed, shown modeless and brought to the
// front. Opening it again while it is open only brings it to the front.
void MostraListaLegno();
// The list window when it is open, else nullptr.
FrmListaLegno* ListaLegnoAperta();

} // namespace materials
