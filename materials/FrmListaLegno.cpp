#include "materials/FrmListaLegno.h"

#include "materials/Finestre.h"
#include "materials/ModLignar2_Legno.h"
#include "materials/modLignar2_Gen.h"
#include "platform/basic/Basic.h"
#include "platform/data/Data.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Forms.h"
#include "platform/ui/Settings.h"
#include "platform/ui/Twips.h"
#include "platform/ui/Ui.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHeaderView>
#include <QIcon>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScreen>
#include <QShortcut>
#include <QToolBar>

#include <algorithm>
#include <cmath>
#include <exception>
#include <optional>
#include <utility>

namespace {

const QString kSezione = QStringLiteral("ListaLegname");
const QString kStato = QStringLiteral("Windowstate");
const QString kTop = QStringLiteral("Top");
const QString kLeft = QStringLiteral("Left");
const QString kWidth = QStringLiteral("Width");
const QString kHeight = QStringLiteral("Height");

// The design placement of the window, in twips: wide enough for every column of the grid.
constexpr double kLeftDesign = 0;
constexpr double kTopDesign = 0;
constexpr double kWidthDesign = 15300;
constexpr double kHeightDesign = 6900;
// Below this a restored window could not show its toolbar: such a size is taken as garbage.
constexpr double kMinimoTwips = 1500;

constexpr double kLarghezzaFiltro = 2600;

QPointer<FrmListaLegno> istanza;

FrmListaLegno::ApriNuova& apriNuova() {
    static FrmListaLegno::ApriNuova f = SchedaLegnoNuova;
    return f;
}
FrmListaLegno::ApriEsistente& apriEsistente() {
    static FrmListaLegno::ApriEsistente f = ApriSchedaLegno;
    return f;
}

// The program's title: the settings store keeps the placement under it.
QString titolo() { return ui::AppTitle(); }

// Runs a function of its owner, after the event at hand, once no mouse button is down any more;
// then goes.
class DopoIlRilascio : public QObject {
public:
    DopoIlRilascio(QObject* owner, std::function<void()> f) : QObject(owner), f_(std::move(f)) {
        qApp->installEventFilter(this);
    }
    ~DopoIlRilascio() override {
        if (qApp) qApp->removeEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent*) override {
        // The release itself comes here before it reaches its widget, the buttons already up.
        if (!f_ || QGuiApplication::mouseButtons() != Qt::NoButton) return false;
        qApp->removeEventFilter(this);
        QMetaObject::invokeMethod(parent(), std::exchange(f_, {}), Qt::QueuedConnection);
        deleteLater();
        return false;
    }

private:
    std::function<void()> f_;
};

} // namespace

void FrmListaLegno::ImpostaApriSchede(ApriNuova nuova, ApriEsistente esistente) {
    apriNuova() = nuova ? std::move(nuova) : ApriNuova(SchedaLegnoNuova);
    apriEsistente() = esistente ? std::move(esistente) : ApriEsistente(ApriSchedaLegno);
}

FrmListaLegno::FrmListaLegno(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FrmListaLegno"));
    setWindowTitle(QStringLiteral("DataBase Materiale Legno"));
    setWindowIcon(QIcon(QStringLiteral(":/lista/visualizza.svg")));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(ui::TwipsToPixelsX(kWidthDesign), ui::TwipsToPixelsY(kHeightDesign));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);

    // The button's index decides its action; 1, 6 and 8 only separate.
    const struct {
        int indice;
        const char* suggerimento;
        const char* immagine;
    } pulsanti[] = {
        {2, "Nuovo Materiale (LEGNO)", "nuovo"},
        {3, "Visualizza", "visualizza"},
        {4, "Modifica", "modifica"},
        {5, "Elimina", "elimina"},
        {7, "Refresh Database", "aggiorna"},
        {9, "Chiudi Elenco", "chiudi"},
    };
    int prossimo = 0;
    for (int i = 1; i <= 9; ++i) {
        if (prossimo < 6 && pulsanti[prossimo].indice == i) {
            const auto& p = pulsanti[prossimo++];
            QAction* a = Toolbar1->addAction(QIcon(QStringLiteral(":/lista/%1.svg").arg(QLatin1String(p.immagine))),
                                             QString::fromUtf8(p.suggerimento));
            a->setToolTip(QString::fromUtf8(p.suggerimento));
            a->setObjectName(QStringLiteral("Button%1").arg(i));
            connect(a, &QAction::triggered, this, [this, i] { Toolbar1_ButtonClick(i); });
            Buttons[static_cast<std::size_t>(i)] = a;
        } else {
            Buttons[static_cast<std::size_t>(i)] = Toolbar1->addSeparator();
        }
    }

    Text2 = new QLineEdit(QStringLiteral("Filtro:"), Toolbar1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFrame(false);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text2->setFixedWidth(Text2->fontMetrics().horizontalAdvance(Text2->text()) + 12);
    Text2->setStyleSheet(QStringLiteral("background: transparent;"));
    Toolbar1->addWidget(Text2);

    Text3 = new QLineEdit(Toolbar1);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setToolTip(QStringLiteral("Seleziona Materiale la cui Descrizione inizia per ......"));
    Text3->setFixedWidth(ui::TwipsToPixelsX(kLarghezzaFiltro));
    Toolbar1->addWidget(Text3);
    Toolbar1->addSeparator();

    Text1 = new QLineEdit(Toolbar1);
    Text1->setObjectName(QStringLiteral("Text1"));
    // Nothing to type here: it tells which file the list shows.
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::ClickFocus);
    Text1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    Text1->setMinimumWidth(ui::TwipsToPixelsX(2000));
    Toolbar1->addWidget(Text1);

    DataGrid1 = new ui::DataGrid(this);
    DataGrid1->setObjectName(QStringLiteral("DataGrid1"));
    // The design's column widths are meant for a small, narrow grid font: with it "11.000,00 "
    // fits the 800 twips of a value column.
    QFont carattere = DataGrid1->font();
    carattere.setFamilies({QStringLiteral("Arial Narrow"), QStringLiteral("Liberation Sans Narrow")});
    carattere.setPointSizeF(8);
    DataGrid1->setFont(carattere);
    DataGrid1->horizontalHeader()->setFont(carattere);
    DataGrid1->setWordWrap(false);
    DataGrid1->verticalHeader()->setDefaultSectionSize(QFontMetrics(carattere).height() + 6);
    // Before the first layout: the design place under the toolbar.
    DataGrid1->setGeometry(ui::TwipsToPixelsX(100), Toolbar1->sizeHint().height() + ui::TwipsToPixelsY(100),
                           width() - ui::TwipsToPixelsX(200),
                           height() - Toolbar1->sizeHint().height() - ui::TwipsToPixelsY(200));
    Toolbar1->setGeometry(0, 0, width(), Toolbar1->sizeHint().height());

    connect(Text3, &QLineEdit::textChanged, this, [this] { Text3_Change(); });
    connect(DataGrid1, &ui::DataGrid::DblClick, this, [this] { DataGrid1_DblClick(); });

    // Esc closes the window wherever the focus stands in it: the grid and the boxes have no use for it.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        int tasto = 27;
        Form_KeyPress(tasto);
    });
}

FrmListaLegno::~FrmListaLegno() = default;

// ---------------------------------------------------------------- where the window stands

QMdiSubWindow* FrmListaLegno::Cornice() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

QWidget* FrmListaLegno::finestra() {
    if (QMdiSubWindow* c = Cornice()) return c;
    return this;
}
const QWidget* FrmListaLegno::finestra() const { return const_cast<FrmListaLegno*>(this)->finestra(); }

namespace {
// The space the window may take: the main window's work area, or the screen for a window of its own.
QRect spazioDisponibile(const QWidget* w) {
    if (qobject_cast<const QMdiSubWindow*>(w)) {
        if (const auto* area = qobject_cast<const QMdiArea*>(w->parentWidget()->parentWidget()))
            return QRect(QPoint(0, 0), area->viewport()->size());
    }
    if (const QScreen* s = w->screen()) return s->availableGeometry();
    return QRect();
}
} // namespace

int FrmListaLegno::WindowState() const {
    const Qt::WindowStates s = finestra()->windowState();
    if (s & Qt::WindowMinimized) return 1;
    if (s & Qt::WindowMaximized) return 2;
    return 0;
}

void FrmListaLegno::SetWindowState(int state) {
    QWidget* w = finestra();
    switch (state) {
    case 1: w->setWindowState((w->windowState() & ~Qt::WindowMaximized) | Qt::WindowMinimized); break;
    case 2: w->setWindowState((w->windowState() & ~Qt::WindowMinimized) | Qt::WindowMaximized); break;
    default: w->setWindowState(w->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)); break;
    }
}

double FrmListaLegno::Top() const { return ui::PixelsToTwipsY(finestra()->geometry().y()); }
double FrmListaLegno::Left() const { return ui::PixelsToTwipsX(finestra()->geometry().x()); }
double FrmListaLegno::Width() const { return ui::PixelsToTwipsX(finestra()->geometry().width()); }
double FrmListaLegno::Height() const { return ui::PixelsToTwipsY(finestra()->geometry().height()); }

void FrmListaLegno::SetTop(double twips) {
    QWidget* w = finestra();
    w->move(w->x(), ui::TwipsToPixelsY(twips));
}
void FrmListaLegno::SetLeft(double twips) {
    QWidget* w = finestra();
    w->move(ui::TwipsToPixelsX(twips), w->y());
}
void FrmListaLegno::SetWidth(double twips) {
    QWidget* w = finestra();
    w->resize(ui::TwipsToPixelsX(twips), w->height());
}
void FrmListaLegno::SetHeight(double twips) {
    QWidget* w = finestra();
    w->resize(w->width(), ui::TwipsToPixelsY(twips));
}

// ---------------------------------------------------------------- events

bool FrmListaLegno::event(QEvent* e) {
    // A window of its own becomes active by itself; inside the main window the area says which
    // child is active (seguiAttivazione).
    if (e->type() == QEvent::WindowActivate && !Cornice() && caricata_) Form_Activate();
    if (e->type() == QEvent::WindowStateChange && !Cornice())
        QMetaObject::invokeMethod(this, [this] { Form_Resize(); }, Qt::QueuedConnection);
    return QWidget::event(e);
}

void FrmListaLegno::showEvent(QShowEvent* e) {
    if (!caricata_) {
        caricata_ = true;
        QMdiArea* area = Cornice() ? materials::AreaFinestre() : nullptr;
        if (area) {
            Cornice()->installEventFilter(this);
            connect(area, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* w) { seguiAttivazione(w); });
        }
        QPointer<FrmListaLegno> lista(this);
        ImpostaDopoChiusuraScheda([lista] {
            if (lista) lista->schedaChiusa();
        });
        Form_Load();
        // The area makes a new child active before it shows it: that first activation follows the load.
        if (area && area->activeSubWindow() == Cornice()) seguiAttivazione(Cornice());
    }
    QWidget::showEvent(e);
}

void FrmListaLegno::seguiAttivazione(QMdiSubWindow* attiva) {
    // The main window losing and regaining the focus (a message box, another program) leaves the
    // same child active: that is no activation of the list.
    if (!attiva) return;
    const bool nuova = attiva == Cornice() && attivaPrima_ != attiva;
    attivaPrima_ = attiva;
    if (nuova && !chiusa_) Form_Activate();
}

void FrmListaLegno::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    posizionaoggetti();
    // Un-maximizing from inside the maximizing would fight the frame: it follows at once after.
    if (WindowState() == 2) QMetaObject::invokeMethod(this, [this] { Form_Resize(); }, Qt::QueuedConnection);
}

bool FrmListaLegno::eventFilter(QObject* watched, QEvent* e) {
    if (watched == Cornice() && e->type() == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(this, [this] { Form_Resize(); }, Qt::QueuedConnection);
    return QWidget::eventFilter(watched, e);
}

void FrmListaLegno::closeEvent(QCloseEvent* e) {
    if (!chiusa_) {
        chiusa_ = true;
        Form_QueryUnload();
        Form_Unload();
    }
    e->accept();
}

// ---------------------------------------------------------------- handlers

void FrmListaLegno::Form_Load() {
    Text1->setText(QStringLiteral("Archivio: ") + QChar(34) + basic::Trim(PercorsoDbMateriali) + QChar(34) +
                   QStringLiteral("   [ Valori in N/mm² ]"));
    Text1->setCursorPosition(0);
    Leggi_Parametri_Registro_ListaLegname();
    Requery_Lista();
    posizionaoggetti();
}

void FrmListaLegno::Form_Activate() {
    posizionaoggetti();
    riletturaInAttesa_ = true;
    rileggiInAttesa();
}

void FrmListaLegno::rileggiInAttesa() {
    if (!riletturaInAttesa_ || chiusa_) return;
    // A click that made the list active acts first on the rows the user pressed on: a button on
    // the material shown current, the grid on the row under the pointer. The rows change after.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        new DopoIlRilascio(this, [this] { rileggiInAttesa(); });
        return;
    }
    rileggi();
}

void FrmListaLegno::rileggi() {
    riletturaInAttesa_ = false;
    QVariant segnalibro;
    try {
        if (rsListaLegno && rsListaLegno->State() == data::adStateOpen && rsListaLegno->RecordCount() > 0)
            segnalibro = rsListaLegno->Bookmark();
    } catch (const std::exception&) {
        segnalibro = QVariant();
    }
    Requery_Lista();
    // The box still shows the filter: the rows shown follow it. A fresh read shows every row already.
    if (!criterioFiltro().isEmpty()) Text3_Change();
    try {
        if (segnalibro.isValid()) rsListaLegno->Bookmark(segnalibro);
    } catch (const std::exception&) {
        // Gone since (deleted on a card), or no longer let through by the filter: the list stays
        // on its first row.
    }
    DataGrid1->SyncToRecordset();
}

void FrmListaLegno::schedaChiusa() {
    if (chiusa_ || riletturaInAttesa_) return;
    riletturaInAttesa_ = true;
    // The work area settles which window is active only once the card's frame is gone; when that
    // is the list, its activation has read the table already.
    QMetaObject::invokeMethod(this, [this] { rileggiInAttesa(); }, Qt::QueuedConnection);
}

void FrmListaLegno::Form_Resize() {
    if (chiusa_ || inResize_) return;
    inResize_ = true;
    if (WindowState() == 2) {
        // Never left maximized: it takes the whole work area as a normal window.
        const QRect spazio = spazioDisponibile(finestra());
        SetWindowState(0);
        SetTop(0);
        SetLeft(0);
        if (spazio.isValid()) {
            SetWidth(ui::PixelsToTwipsX(spazio.width()));
            SetHeight(ui::PixelsToTwipsY(spazio.height()));
        }
    }
    posizionaoggetti();
    inResize_ = false;
}

void FrmListaLegno::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == 27) chiudi();
}

void FrmListaLegno::Form_QueryUnload() {
    // Losing the placement is no reason to keep the window open: the close always goes on.
    try {
        Salva_Parametri_Registro_ListaLegname();
    } catch (...) {
        ui::MostraEccezioneCorrente();
    }
}

void FrmListaLegno::Form_Unload() {
    ImpostaDopoChiusuraScheda({});
    DataGrid1->SetDataSource(nullptr);
    rsListaLegno.reset();
}

void FrmListaLegno::Text3_Change() {
    if (Text3->isReadOnly()) return;
    // A list that could not be read has nothing to narrow.
    if (!rsListaLegno || rsListaLegno->State() != data::adStateOpen) return;
    DataGrid1->setEnabled(false);
    try {
        // A new filter replaces the old one at once: clearing it first would read every row twice.
        rsListaLegno->Filter(criterioFiltro());
    } catch (const std::exception&) {
        // A refused filter leaves the one before in place: the list stays as it was, and usable.
    }
    DataGrid1->Refresh();
    DataGrid1->setEnabled(true);
}

QString FrmListaLegno::criterioFiltro() const {
    const QString testo = Text3->text();
    const QString ritagliato = basic::Trim(testo);
    if (ritagliato.isEmpty() || ritagliato == QStringLiteral("_")) return QString();
    // An apostrophe in the text is doubled, so that it stands for itself inside the quotes.
    QString prefisso = testo;
    prefisso.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QStringLiteral("Descrizione like '") + prefisso + QStringLiteral("%'");
}

void FrmListaLegno::Toolbar1_ButtonClick(int Index) {
    switch (Index) {
    case 2:
        try {
            apriNuova()(rsListaLegno);
        } catch (...) {
            ui::MostraEccezioneCorrente();
        }
        // The proposal of a new number moves the list to its last row: the grid follows.
        if (DataGrid1->DataSource() == rsListaLegno) {
            DataGrid1->SyncToRecordset();
        } else {
            DataGrid1->SetDataSource(rsListaLegno);
            Imposta_DataGrid();
        }
        break;
    case 3: ApriScheda(QStringLiteral("Visualizza")); break;
    case 4: ApriScheda(QStringLiteral("Modifica")); break;
    case 5: ApriScheda(QStringLiteral("Elimina")); break;
    case 7: Requery_Lista(); break;
    case 9: chiudi(); break;
    default: break;
    }
}

void FrmListaLegno::DataGrid1_DblClick() { ApriScheda(QStringLiteral("Modifica")); }

// ---------------------------------------------------------------- procedures

void FrmListaLegno::posizionaoggetti() {
    const int barra = Toolbar1->sizeHint().height();
    Toolbar1->setGeometry(0, 0, width(), barra);
    const int l = ui::TwipsToPixelsX(100);
    const int t = barra + ui::TwipsToPixelsY(100);
    const int w = width() - ui::TwipsToPixelsX(200);
    const int h = height() - barra - ui::TwipsToPixelsY(200);
    // Too small for the margins: the grid stays where it was.
    if (w < 0 || h < 0) return;
    DataGrid1->setGeometry(l, t, w, h);
}

void FrmListaLegno::Requery_Lista() {
    ui::PuntatoreOccupato occupato;
    try {
        if (rsListaLegno && rsListaLegno->State() == data::adStateOpen) rsListaLegno->Close();
    } catch (const std::exception&) {
    }
    rsListaLegno = std::make_shared<data::Recordset>();
    QString errore;
    ApriRecordset(rsListaLegno, QStringLiteral("Select * from Legno "), errore);
    if (!basic::Trim(errore).isEmpty()) ui::MsgBox(errore, ui::vbOKOnly);
    DataGrid1->SetDataSource(rsListaLegno);
    Imposta_DataGrid();
}

void FrmListaLegno::Imposta_DataGrid() {
    for (int c = 0; c < DataGrid1->ColumnCount(); ++c) {
        const QString titolo = DataGrid1->ColumnCaption(c);
        if (titolo == QStringLiteral("Numero")) {
            DataGrid1->SetColumnWidthTwips(c, 630);
            DataGrid1->SetColumnAlignment(c, ui::GridAlignment::Centre);
        } else if (titolo == QStringLiteral("Classe")) {
            DataGrid1->SetColumnWidthTwips(c, 1000);
        } else if (titolo == QStringLiteral("Descrizione")) {
            DataGrid1->SetColumnWidthTwips(c, 4000);
        } else {
            DataGrid1->SetColumnWidthTwips(c, 800);
            DataGrid1->SetColumnNumberFormat(c, QStringLiteral("##,#0.00 "));
            DataGrid1->SetColumnAlignment(c, ui::GridAlignment::Right);
        }
    }
}

void FrmListaLegno::Salva_Parametri_Registro_ListaLegname() {
    const QString app = titolo();
    settings::SaveSetting(app, kSezione, kStato, basic::CStr(static_cast<long long>(WindowState())));
    settings::SaveSetting(app, kSezione, kTop, basic::CStr(static_cast<float>(Top())));
    settings::SaveSetting(app, kSezione, kLeft, basic::CStr(static_cast<float>(Left())));
    settings::SaveSetting(app, kSezione, kWidth, basic::CStr(static_cast<float>(Width())));
    settings::SaveSetting(app, kSezione, kHeight, basic::CStr(static_cast<float>(Height())));
}

void FrmListaLegno::Leggi_Parametri_Registro_ListaLegname() {
    const QString app = titolo();
    auto leggi = [&](const QString& chiave) -> QString {
        try {
            return settings::GetSetting(app, kSezione, chiave, QString());
        } catch (...) {
            return QString();
        }
    };

    // The design placement first: whatever the store lacks or holds in garbage keeps it.
    QWidget* w = finestra();
    w->setGeometry(ui::TwipsToPixelsX(kLeftDesign), ui::TwipsToPixelsY(kTopDesign), ui::TwipsToPixelsX(kWidthDesign),
                   ui::TwipsToPixelsY(kHeightDesign));

    // Only the three states a window has.
    if (const auto stato = basic::TryCDbl(leggi(kStato))) {
        try {
            const Integer s = basic::CInt(*stato);
            if (s >= 0 && s <= 2) SetWindowState(s);
        } catch (const std::exception&) {
        }
    }
    // A minimized window takes no placement; a maximized one fills the work area anyway.
    if (WindowState() != 0) return;

    auto numero = [&](const QString& chiave) -> std::optional<double> {
        const auto v = basic::TryCSng(leggi(chiave));
        if (!v) return std::nullopt;
        return static_cast<double>(*v);
    };
    double top = Top(), left = Left(), larghezza = Width(), altezza = Height();
    if (const auto v = numero(kTop)) top = *v;
    if (const auto v = numero(kLeft)) left = *v;
    if (const auto v = numero(kWidth); v && *v >= kMinimoTwips) larghezza = *v;
    if (const auto v = numero(kHeight); v && *v >= kMinimoTwips) altezza = *v;

    // A placement saved on a larger screen, or edited by hand, is brought back into the work area.
    const QRect spazio = spazioDisponibile(w);
    if (spazio.isValid()) {
        const double sx = ui::PixelsToTwipsX(spazio.x()), sy = ui::PixelsToTwipsY(spazio.y());
        const double sw = ui::PixelsToTwipsX(spazio.width()), sh = ui::PixelsToTwipsY(spazio.height());
        larghezza = std::min(larghezza, sw);
        altezza = std::min(altezza, sh);
        left = std::clamp(left, sx, sx + sw - larghezza);
        top = std::clamp(top, sy, sy + sh - altezza);
    }
    SetWidth(larghezza);
    SetHeight(altezza);
    SetTop(top);
    SetLeft(left);
}

QString FrmListaLegno::NumeroCorrente() const {
    try {
        const std::shared_ptr<data::Recordset> rs = DataGrid1->DataSource();
        const long riga = DataGrid1->CurrentRow();
        if (!rs || rs->State() != data::adStateOpen || riga < 1) return QString();
        int campo = 0;
        while (campo < rs->FieldCount() && rs->Fields(campo).Name().compare(QStringLiteral("Numero"), Qt::CaseInsensitive) != 0)
            ++campo;
        const QVariant v = rs->ValueAt(riga, campo); // raises for a table without Numero
        if (v.isNull() || !v.isValid()) return QString();
        if (v.typeId() == QMetaType::Double) return basic::CStr(v.toDouble());
        bool ok = false;
        const qlonglong n = v.toLongLong(&ok);
        return ok ? basic::CStr(static_cast<long long>(n)) : basic::Trim(v.toString());
    } catch (const std::exception&) {
        return QString();
    }
}

void FrmListaLegno::ApriScheda(const QString& modo) {
    QString numero = NumeroCorrente();
    // No row to open: an empty list, a filter that leaves none, a failed read.
    if (numero.isEmpty()) return;
    QString m = modo;
    try {
        apriEsistente()(m, numero);
    } catch (...) {
        ui::MostraEccezioneCorrente();
    }
}

void FrmListaLegno::chiudi() {
    if (QMdiSubWindow* c = Cornice())
        c->close();
    else
        close();
}

// ---------------------------------------------------------------- the one instance

namespace materials {

void MostraListaLegno() {
    if (!istanza) istanza = new FrmListaLegno;
    MostraFinestra(istanza);
}

FrmListaLegno* ListaLegnoAperta() { return istanza; }

} // namespace materials
