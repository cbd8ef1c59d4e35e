#include "app/frmMain.h"

#include "app/ModuloCapreo.h"
#include "app/Version.h"
#include "app/frmNodi.h"
#include "materials/Finestre.h"
#include "materials/FrmListaLegno.h"
#include "platform/basic/Basic.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Ui.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QEvent>
#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>

#include <algorithm>

#include <cstdlib>

namespace {

// Ends the process on the spot: no window closes, nothing is saved.
void uscitaImmediata() { std::_Exit(0); }

std::function<void()>& uscita() {
    static std::function<void()> f = uscitaImmediata;
    return f;
}

// Sizes of the static design, in twips.
constexpr double LarghezzaPannello = 2520; // picNewNodo, docked to the left edge
constexpr double LarghezzaLista = 2340;    // ListView1
constexpr double AltezzaLabel3 = 240;

// The classic 16-colour palette entries the background uses.
const QColor Nero(0, 0, 0);          // 0
const QColor Blu(0, 0, 255);         // 9
const QColor Bianco(255, 255, 255);  // 15
const QColor VerdeAcqua(0, 128, 128); // 3

// The background colour of Picture6: the grey of a multi-document window's empty area, on which
// the white version line stays readable.
const QColor FondoPicture6(171, 171, 171);

const QString TitoloSfondo = QStringLiteral("VERIFICA STATI LIMITE - Unioni in Legno");

} // namespace

void frmMain::ImpostaUscita(std::function<void()> f) { uscita() = f ? std::move(f) : uscitaImmediata; }

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Lentiro - S.L.U."));
    setAttribute(Qt::WA_DeleteOnClose);

    MDIClient = new QMdiArea(this);
    MDIClient->setObjectName(QStringLiteral("MDIClient"));
    MDIClient->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    MDIClient->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // A child that closes hands the activation back to the child active before it (a card to the
    // list it was opened from), not to the next child in creation order.
    MDIClient->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(MDIClient);
    // The materials list and cards open as child windows of this area.
    materials::ImpostaAreaFinestre(MDIClient);

    // picNewNodo: a panel docked to the left edge, neither movable nor closable.
    dockNewNodo = new QDockWidget(this);
    dockNewNodo->setObjectName(QStringLiteral("dockNewNodo"));
    dockNewNodo->setFeatures(QDockWidget::NoDockWidgetFeatures);
    dockNewNodo->setAllowedAreas(Qt::LeftDockWidgetArea);
    dockNewNodo->setTitleBarWidget(new QWidget(dockNewNodo));
    picNewNodo = new QWidget(dockNewNodo);
    picNewNodo->setObjectName(QStringLiteral("picNewNodo"));
    picNewNodo->setFixedWidth(ui::TwipsToPixelsX(LarghezzaPannello));
    picNewNodo->setMinimumHeight(200); // its controls are placed by hand: the dock needs a floor
    picNewNodo->setAutoFillBackground(true);
    dockNewNodo->setWidget(picNewNodo);
    addDockWidget(Qt::LeftDockWidgetArea, dockNewNodo);

    Label3 = new QLabel(QStringLiteral("Crea Nodo   [Double Click]"), picNewNodo);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setGeometry(0, 0, picNewNodo->width(), ui::TwipsToPixelsY(AltezzaLabel3));

    ListView1 = new QListWidget(picNewNodo);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setViewMode(QListView::IconMode);
    ListView1->setMovement(QListView::Static);
    ListView1->setResizeMode(QListView::Adjust);
    ListView1->setFlow(QListView::TopToBottom);
    ListView1->setWrapping(false);
    ListView1->setWordWrap(true);
    ListView1->setIconSize(QSize(64, 48));
    ListView1->setSpacing(4);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const int lw = ui::TwipsToPixelsX(LarghezzaLista);
    ListView1->setGeometry(0, 0, lw, 200);
    ListView1->setGridSize(QSize(lw - 12, 96));
    ListView1->viewport()->installEventFilter(this);

    Picture2 = new QLabel(picNewNodo);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setFixedSize(142, 99);
    Picture2->setPixmap(QIcon(QStringLiteral(":/images/logo.svg")).pixmap(QSize(142, 99)));

    Picture6 = new QLabel(picNewNodo);
    Picture6->setObjectName(QStringLiteral("Picture6"));
    Picture6->setVisible(false);

    ImgLstTravix = {
        QIcon(QStringLiteral(":/images/icona_catena.svg")),
        QIcon(QStringLiteral(":/images/icona_saette.svg")),
        QIcon(QStringLiteral(":/images/icona_saetta.svg")),
        QIcon(QStringLiteral(":/images/icona_puntoni.svg")),
    };

    // Three entries side by side on the menu bar, no submenus: choosing one acts at once.
    mnuMateriali = menuBar()->addAction(QStringLiteral("Materiali"));
    mnuMateriali->setObjectName(QStringLiteral("mnuMateriali"));
    mnuHelp = menuBar()->addAction(QStringLiteral("Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuEsci = menuBar()->addAction(QStringLiteral("Esci"));
    mnuEsci->setObjectName(QStringLiteral("mnuEsci"));
    connect(mnuMateriali, &QAction::triggered, this, [this] { mnuMateriali_Click(); });
    connect(mnuHelp, &QAction::triggered, this, [this] { mnuHelp_Click(); });
    connect(mnuEsci, &QAction::triggered, this, [this] { mnuEsci_Click(); });
}

frmMain::~frmMain() = default;

// The load step runs on the first show, before the window appears.
void frmMain::setVisible(bool visible) {
    const bool primaVolta = visible && !caricata_;
    if (primaVolta) {
        caricata_ = true;
        Form_Load();
    }
    QMainWindow::setVisible(visible);
    // The docked panel only takes its height once the window is on screen; without a window manager
    // no activation follows the show, so the load's layout is completed here.
    if (primaVolta) displaycambia();
}

bool frmMain::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) Form_Activate();
    return QMainWindow::event(e);
}

void frmMain::closeEvent(QCloseEvent* e) {
    // The joint windows close first, as children of this window.
    MDIClient->closeAllSubWindows();
    if (!MDIClient->subWindowList().isEmpty()) {
        e->ignore();
        return;
    }
    Form_Unload();
    QMainWindow::closeEvent(e);
}

bool frmMain::eventFilter(QObject* watched, QEvent* e) {
    // The list's double-click counts wherever it lands, empty places included.
    if (watched == ListView1->viewport() && e->type() == QEvent::MouseButtonDblClick) {
        ListView1_DblClick();
        return true;
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::Form_Load() {
    setWindowState(windowState() | Qt::WindowMaximized);
    // Maximized before it is shown, so that the layout below already works on the final size.
    if (QScreen* s = screen()) setGeometry(s->availableGeometry());
    displaycambia();
    MostraTipiNodi();
}

void frmMain::Form_Activate() { displaycambia(); }

void frmMain::Form_Unload() { DistruggiOggettiCalcolo(); }

void frmMain::displaycambia() {
    if (windowState() & Qt::WindowMinimized) return;

    // Let the panel take the window's current height before the controls are placed on it.
    if (layout()) layout()->activate();
    const int pw = picNewNodo->width();
    const int ph = picNewNodo->height();
    Picture6->resize(frameGeometry().size());
    Picture2->move((pw - Picture2->width()) / 2, static_cast<int>(ph - 1.1 * Picture2->height()));
    ListView1->move((pw - ListView1->width()) / 2, ListView1->y());
    ListView1->move(ListView1->x(), ui::TwipsToPixelsY(240));
    ListView1->resize(ListView1->width(), std::max(0, ph - Picture2->height() - ui::TwipsToPixelsY(600)));
    Label3->resize(pw, Label3->height());

    ImpostaSfondo();
}

void frmMain::ImpostaSfondo() {
    // Picture6 cleared: its back colour only, print position at the top left.
    QSize dim = Picture6->size();
    if (dim.isEmpty()) dim = QSize(1, 1);
    immagine6_ = QPixmap(dim);
    immagine6_.fill(FondoPicture6);
    righeSfondo_.clear();

    MDIClient->setUpdatesEnabled(false);
    Picture6->setPixmap(immagine6_);
    MDIClient->setBackground(QBrush(immagine6_));

    QPainter p(&immagine6_);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont font(QStringLiteral("Courier New"), 8);
    font.setBold(false);
    font.setItalic(false);
    font.setUnderline(false);

    // Prints one line with its top at (x, y) twips, as a picture box prints.
    auto stampa = [&](const QString& testo, double x, double y) {
        p.setFont(font);
        const QFontMetrics fm(font, &immagine6_);
        p.drawText(ui::TwipsToPixelsX(x), ui::TwipsToPixelsY(y) + fm.ascent(), testo);
        righeSfondo_.push_back({testo, x, y});
    };
    auto imposta = [&](const QColor& colore, const QString& nome, int punti) {
        p.setPen(colore);
        font.setFamily(nome);
        font.setPointSize(punti);
    };

    // 1 and 2: the title, blue over black.
    imposta(Nero, QStringLiteral("Times New Roman"), 30);
    font.setBold(true);
    font.setItalic(false);
    font.setUnderline(false);
    stampa(TitoloSfondo, 200, 300);
    imposta(Blu, QStringLiteral("Times New Roman"), 30);
    font.setBold(true);
    font.setItalic(false);
    font.setUnderline(false);
    stampa(TitoloSfondo, 220, 320);
    const double larghezzaTitolo =
        ui::PixelsToTwipsX(QFontMetrics(font, &immagine6_).horizontalAdvance(TitoloSfondo));

    // 3: the version, right of the title.
    imposta(Bianco, QStringLiteral("Arial"), 16);
    font.setBold(true);
    font.setItalic(true);
    const QString versioneTesto = QStringLiteral(" Vers.") + basic::CStr(versione::Major) + QStringLiteral(".") +
                                  basic::CStr(versione::Minor);
    stampa(versioneTesto, 220 + larghezzaTitolo + 200, 620);

    // 4 and 5: what the program does, cyan over black.
    const QString descrizione = QStringLiteral(
        "Software di calcolo delle Unioni in Legno con il metodo di verifica della sicurezza agli stati limite.");
    imposta(Nero, QStringLiteral("Arial"), 14);
    font.setBold(true);
    stampa(descrizione, 200, 1420);
    imposta(VerdeAcqua, QStringLiteral("Arial"), 14);
    font.setBold(true);
    stampa(descrizione, 215, 1435);

    // 6: the code the verifications follow.
    imposta(Blu, QStringLiteral("Courier New"), 10);
    font.setBold(true);
    font.setItalic(false);
    font.setUnderline(true);
    stampa(QStringLiteral("D.M. 17/01/2018 Aggiornamento \"Norme Tecniche per le Costruzioni\""), 200, 1935);

    // 7 to 9: the verifications.
    imposta(Nero, QStringLiteral("Arial"), 10);
    font.setBold(false);
    font.setItalic(true);
    font.setUnderline(false);
    stampa(QStringLiteral("Verifica a Compressione Inclinata rispetto le fibrature"), 200, 2535);
    stampa(QStringLiteral("Verifica a Taglio - tallone"), 200, 2785);
    stampa(QStringLiteral("Verifica Appoggio - Compressione Perpendicolare alla fibratura"), 200, 3035);
    p.end();

    Picture6->setPixmap(immagine6_);
    MDIClient->setBackground(QBrush(immagine6_));
    MDIClient->setUpdatesEnabled(true);
}

namespace {
// The joint types in the list's own order, each with its 1-based position in ImgLstTravix.
struct VoceTipo {
    frmNodi::Tipo tipo;
    int icona;
};
constexpr VoceTipo kVociTipi[] = {
    {frmNodi::Tipo::CatenaPuntone, 1},
    {frmNodi::Tipo::MonacoSaette, 2},
    {frmNodi::Tipo::PuntoneSaetta, 3},
    {frmNodi::Tipo::MonacoPuntoni, 4},
};
} // namespace

void frmMain::MostraTipiNodi() {
    ListView1->clear();
    for (const VoceTipo& v : kVociTipi) {
        auto* item = new QListWidgetItem(ListView1);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable); // never editable in place
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        item->setIcon(ImgLstTravix.value(v.icona - 1));
        item->setText(frmNodi::TestoDi(v.tipo));
        item->setData(Qt::UserRole, static_cast<int>(v.tipo));
    }
}

void frmMain::ListView1_DblClick() {
    const QList<QListWidgetItem*> scelti = ListView1->selectedItems();
    const int conteggio = ListView1->count();
    const int posizione = scelti.isEmpty() ? 0 : ListView1->row(scelti.first()) + 1;
    if (posizione >= 1 && posizione <= conteggio) {
        const auto tipo = static_cast<frmNodi::Tipo>(ListView1->item(posizione - 1)->data(Qt::UserRole).toInt());
        // An error must not end the program from inside an event handler: it is reported instead.
        try {
            NuovoNodo(tipo);
        } catch (...) {
            ui::MostraEccezioneCorrente();
        }
    } else {
        ui::Beep();
    }
}

void frmMain::mnuMateriali_Click() { materials::MostraListaLegno(); }

void frmMain::mnuHelp_Click() {
    QString indirizzo = IndirizzoHelp();
    ApriDocumento(indirizzo);
}

void frmMain::mnuEsci_Click() { uscita()(); }
