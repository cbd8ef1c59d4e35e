// The joint window: construction, layout and wiring of its controls, loading and unloading, and
// the buttons of its bottom row.
#include "app/frmNodi.h"

#include "app/ModuloCapreo.h"
#include "app/frmNodi_picture.h"
#include "materials/FrmListaLegno.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Twips.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QSvgRenderer>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

// ---------------------------------------------------------------- picture box

frmNodiPicture::frmNodiPicture(const QString& resource, QWidget* parent) : QFrame(parent) {
    renderer_ = new QSvgRenderer(resource, this);
    renderer_->setAspectRatioMode(Qt::KeepAspectRatio);
    setBorderStyle(0);
}

void frmNodiPicture::setBorderStyle(int style) {
    borderStyle_ = style;
    setFrameShape(style == 0 ? QFrame::NoFrame : QFrame::Box);
    setLineWidth(1);
    update();
}

QSize frmNodiPicture::sizeHint() const {
    if (renderer_->isValid()) return renderer_->defaultSize();
    return QFrame::sizeHint();
}

void frmNodiPicture::paintEvent(QPaintEvent* event) {
    if (renderer_->isValid()) {
        QPainter p(this);
        const int m = frameWidth() + 1;
        renderer_->render(&p, QRectF(contentsRect().adjusted(m, m, -m, -m)));
    }
    QFrame::paintEvent(event);
}

// ---------------------------------------------------------------- construction

namespace {

QLineEdit* box(QWidget* parent, const QString& name, double widthTwips = 900) {
    auto* b = new QLineEdit(parent);
    b->setObjectName(name);
    b->setFixedWidth(ui::TwipsToPixelsX(widthTwips));
    // Hidden boxes keep their place, so the window does not reflow when the joint type changes.
    QSizePolicy sp = b->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    b->setSizePolicy(sp);
    return b;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    QSizePolicy sp = l->sizePolicy();
    sp.setRetainSizeWhenHidden(true);
    l->setSizePolicy(sp);
    return l;
}

QString indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// A row label of the γM table: its text, then a dotted leader up to the label's right edge. The
// dots are drawn right-aligned, so in every row they end at the box and stand in the same columns,
// whatever the width of the text before them.
class EtichettaConPuntini : public QLabel {
public:
    EtichettaConPuntini(const QString& text, QWidget* parent) : QLabel(text, parent) {}
    QSize sizeHint() const override { return conPuntini(QLabel::sizeHint()); }
    QSize minimumSizeHint() const override { return conPuntini(QLabel::minimumSizeHint()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
        const QRect r = contentsRect();
        p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter, text());
        const QFontMetrics fm = fontMetrics();
        const int libero = r.width() - fm.horizontalAdvance(text() + QLatin1Char(' '));
        const int punti = libero / std::max(1, fm.horizontalAdvance(QLatin1Char('.')));
        if (punti > 0) p.drawText(r, Qt::AlignRight | Qt::AlignVCenter, QString(punti, QLatin1Char('.')));
    }

private:
    QSize conPuntini(QSize s) const {
        s.rwidth() += fontMetrics().horizontalAdvance(QStringLiteral(" ......"));
        return s;
    }
};

const int kLblAstaDiAsta[frmNodi::NumeroAste + 1] = {0, 3, 11, 16, 21, 26, 31};

} // namespace

frmNodi::frmNodi(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmNodi"));
    setWindowTitle(QStringLiteral("[Qor srl] - Unioni di Nodi in Legno"));

    auto* main = new QVBoxLayout(this);
    buildTopLine();
    auto* top = new QHBoxLayout;
    top->addWidget(lblTitolo);
    top->addWidget(lblNodoCorrente);
    top->addStretch(1);
    top->addWidget(lblTipo);
    top->addWidget(cmbTipoNodo);
    main->addLayout(top);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->addTab(buildTabDatiUnione(), QStringLiteral("Dati Unione"));
    SSTab1->addTab(buildTabRelazione(), QStringLiteral("Relazione di Verifica"));
    SSTab1->addTab(buildTabCoefficienti(), QStringLiteral("Coefficienti Normativa"));
    main->addWidget(SSTab1, 1);

    Command1 = new QPushButton(QStringLiteral("Tabella Materiali"), this);
    Command2 = new QPushButton(QStringLiteral("Help"), this);
    Command8 = new QPushButton(QStringLiteral("Verifica"), this);
    Command9 = new QPushButton(QStringLiteral("Esci"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command8->setObjectName(QStringLiteral("Command8"));
    Command9->setObjectName(QStringLiteral("Command9"));
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command1, Command2, Command8, Command9}) {
        b->setMinimumWidth(ui::TwipsToPixelsX(2000));
        buttons->addWidget(b);
    }
    main->addLayout(buttons);

    wire();
}

frmNodi::~frmNodi() {
    // Tearing the children down can still raise their signals and focus events; none of them
    // may reach this window's handlers any more.
    const QList<QWidget*> widgets = findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        w->disconnect(this);
        ui::RemoveHooks(w);
    }
}

void frmNodi::buildTopLine() {
    lblTitolo = label(this, QStringLiteral("lblTitolo"), QStringLiteral("Verifica Stati Limite - Unioni in Legno - Nodo N ."));
    lblNodoCorrente = label(this, QStringLiteral("lblNodoCorrente"), QStringLiteral("0"));
    QFont f = lblTitolo->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    lblTitolo->setFont(f);
    lblNodoCorrente->setFont(f);
    lblTipo = label(this, QStringLiteral("lblTipo"), QStringLiteral("Tipo Unione:"));
    cmbTipoNodo = new QComboBox(this);
    cmbTipoNodo->setObjectName(QStringLiteral("cmbTipoNodo"));
    for (const QString& t : TipiNodo()) cmbTipoNodo->addItem(t);
    cmbTipoNodo->setMinimumWidth(ui::TwipsToPixelsX(4200));
    cmbTipoNodo->setCurrentIndex(-1); // the design has no selection; Form_Load sets it again
}

QWidget* frmNodi::buildTabDatiUnione() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    // Left: the chooser and the four drawings on one place, then the notch data.
    auto* left = new QVBoxLayout;
    stkPicture = new QStackedWidget(page);
    stkPicture->setObjectName(QStringLiteral("stkPicture"));
    stkPicture->setMinimumSize(ui::TwipsToPixelsX(5400), ui::TwipsToPixelsY(4200));
    PicTipoNodi = new frmNodiPicture(QStringLiteral(":/images/scelta.svg"), stkPicture);
    PicTipoNodi->setObjectName(QStringLiteral("PicTipoNodi"));
    PicTipoNodi->setMouseTracking(true);
    PicTipoNodi->installEventFilter(this);
    // The four small pictures stand in one row across the middle of the chooser's background,
    // which keeps its proportions: their size is capped so that the row stays on it.
    auto* chooser = new QHBoxLayout(PicTipoNodi);
    chooser->setContentsMargins(12, 12, 12, 12);
    chooser->setSpacing(10);
    chooser->addStretch(1);
    for (int i = 0; i < 4; ++i) {
        ImgTipoUnione[i] = new frmNodiPicture(QStringLiteral(":/images/tipo%1.svg").arg(i), PicTipoNodi);
        ImgTipoUnione[i]->setObjectName(indexed("ImgTipoUnione", i));
        ImgTipoUnione[i]->setToolTip(TipiNodo()[i]);
        ImgTipoUnione[i]->setMouseTracking(true);
        ImgTipoUnione[i]->setCursor(Qt::PointingHandCursor);
        ImgTipoUnione[i]->installEventFilter(this);
        ImgTipoUnione[i]->setMinimumSize(ui::TwipsToPixelsX(1000), ui::TwipsToPixelsY(750));
        ImgTipoUnione[i]->setMaximumSize(ui::TwipsToPixelsX(1300), ui::TwipsToPixelsY(975));
        chooser->addWidget(ImgTipoUnione[i], 0, Qt::AlignVCenter);
    }
    chooser->addStretch(1);
    stkPicture->addWidget(PicTipoNodi);
    for (int i = 0; i < 4; ++i) {
        PicNodo[i] = new frmNodiPicture(QStringLiteral(":/images/nodo%1.svg").arg(i), stkPicture);
        PicNodo[i]->setObjectName(indexed("PicNodo", i));
        stkPicture->addWidget(PicNodo[i]);
    }
    left->addWidget(stkPicture, 1);

    FrameParamNodo = new QGroupBox(QStringLiteral("Parametri Nodo "), page);
    FrameParamNodo->setObjectName(QStringLiteral("FrameParamNodo"));
    auto* g = new QGridLayout(FrameParamNodo);
    const QString mis[5] = {QString(), QStringLiteral("[cm.] a1 ="), QStringLiteral("a2 ="), QStringLiteral("a3 ="),
                            QStringLiteral("a4 =")};
    for (int k = 1; k <= 4; ++k) {
        lblMis[k] = label(FrameParamNodo, indexed("lblMis", k), mis[k]);
        lblMis[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        txtMis[k] = box(FrameParamNodo, indexed("txtMis", k));
        g->addWidget(lblMis[k], (k - 1) / 2, ((k - 1) % 2) * 2);
        g->addWidget(txtMis[k], (k - 1) / 2, ((k - 1) % 2) * 2 + 1);
    }
    lblReaz = label(FrameParamNodo, QStringLiteral("lblReaz"), QStringLiteral("Reazione Vincolare (kN)"));
    txtReaz = box(FrameParamNodo, QStringLiteral("txtReaz"));
    lblLapp = label(FrameParamNodo, QStringLiteral("lblLapp"), QStringLiteral("Lap"));
    txtLapp = box(FrameParamNodo, QStringLiteral("txtLapp"));
    txtLapp->setToolTip(QStringLiteral("Lunghezza dell'Appoggio"));
    lblReaz->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblLapp->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(lblReaz, 2, 0, 1, 2);
    g->addWidget(txtReaz, 2, 2);
    g->addWidget(lblLapp, 2, 3);
    g->addWidget(txtLapp, 2, 4);
    g->setColumnStretch(5, 1);
    left->addWidget(FrameParamNodo);
    row->addLayout(left, 1);

    // Right: the member area.
    FrameAsta[0] = new QGroupBox(QStringLiteral("Caratteristiche Aste"), page);
    FrameAsta[0]->setObjectName(indexed("FrameAsta", 0));
    auto* area = new QVBoxLayout(FrameAsta[0]);
    auto* tabsRow = new QHBoxLayout;
    lblAsta[0] = label(FrameAsta[0], indexed("lblAsta", 0), QStringLiteral("Asta N."));
    SSTab2 = new QTabWidget(FrameAsta[0]);
    SSTab2->setObjectName(QStringLiteral("SSTab2"));
    SSTab2->setDocumentMode(true);
    for (int k = 1; k <= NumeroAste; ++k) {
        // The member's data sit below the tabs, in one place shared by all members; the tabs
        // only choose the member.
        auto* empty = new QWidget;
        empty->setFixedHeight(0);
        SSTab2->addTab(empty, QString::number(k));
    }
    SSTab2->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    tabsRow->addWidget(lblAsta[0]);
    tabsRow->addWidget(SSTab2, 1);
    area->addLayout(tabsRow);

    auto* nameRow = new QHBoxLayout;
    Text1 = new QLineEdit(QStringLiteral("Puntone - Catena - Saetta"), FrameAsta[0]);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setReadOnly(true);
    Text1->setFocusPolicy(Qt::NoFocus);
    QFont bold = Text1->font();
    bold.setBold(true);
    Text1->setFont(bold);
    Text2 = new QLineEdit(QStringLiteral("Materiale N°"), FrameAsta[0]);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setFrame(false);
    Text2->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Text2->setFixedWidth(ui::TwipsToPixelsX(1300));
    Text2->setStyleSheet(QStringLiteral("background: transparent;"));
    txtMatAsta = box(FrameAsta[0], QStringLiteral("txtMatAsta"));
    nameRow->addWidget(Text1, 1);
    nameRow->addWidget(Text2);
    nameRow->addWidget(txtMatAsta);
    area->addLayout(nameRow);

    stkAsta = new QStackedWidget(FrameAsta[0]);
    stkAsta->setObjectName(QStringLiteral("stkAsta"));
    for (int k = 1; k <= NumeroAste; ++k) stkAsta->addWidget(buildMemberFrame(k));
    area->addWidget(stkAsta, 1);
    row->addWidget(FrameAsta[0], 1);
    return page;
}

QWidget* frmNodi::buildMemberFrame(int k) {
    auto* f = new QGroupBox;
    FrameAsta[k] = f;
    f->setObjectName(indexed("FrameAsta", k));
    auto* row = new QHBoxLayout(f);
    auto* g = new QGridLayout;
    const int la = kLblAstaDiAsta[k];
    lblAsta[la] = label(f, indexed("lblAsta", la), QStringLiteral("Tipo Sezione"));
    ComboAsta[k] = new QComboBox(f);
    ComboAsta[k]->setObjectName(indexed("ComboAsta", k));
    ComboAsta[k]->addItem(QStringLiteral("Rettangolare"));
    ComboAsta[k]->addItem(QStringLiteral("Circolare"));
    lblBase[k] = label(f, indexed("lblBase", k), QStringLiteral("B (cm)"));
    txtBAsta[k] = box(f, indexed("txtBAsta", k));
    lblAltezza[k] = label(f, indexed("lblAltezza", k), QStringLiteral("H (cm)"));
    txtHAsta[k] = box(f, indexed("txtHAsta", k));
    lblAngAsta[k] = label(f, indexed("lblAngAsta", k), QStringLiteral("α (°)"));
    txtAngAsta[k] = box(f, indexed("txtAngAsta", k));
    lblNAsta[k] = label(f, indexed("lblNAsta", k), QStringLiteral("Axial N. (kN)"));
    txtNAsta[k] = box(f, indexed("txtNAsta", k));
    g->addWidget(lblAsta[la], 0, 0, 1, 2);
    g->addWidget(ComboAsta[k], 1, 0, 1, 2);
    QLabel* labels[4] = {lblBase[k], lblAltezza[k], lblAngAsta[k], lblNAsta[k]};
    QLineEdit* boxes[4] = {txtBAsta[k], txtHAsta[k], txtAngAsta[k], txtNAsta[k]};
    for (int r = 0; r < 4; ++r) {
        g->addWidget(labels[r], 2 + r, 0);
        g->addWidget(boxes[r], 2 + r, 1);
    }
    g->setRowStretch(6, 1);
    row->addLayout(g);

    auto* lst = new QTreeWidget(f);
    LstMatAsta[k] = lst;
    lst->setObjectName(indexed("LstMatAsta", k));
    ui::ListSetupReport(lst, 2);
    lst->setHeaderLabels({QStringLiteral("Dato"), QStringLiteral("Valore")});
    // The columns are sized for the design's small font.
    QFont piccolo(QStringLiteral("Arial"));
    piccolo.setPointSizeF(8);
    lst->setFont(piccolo);
    lst->setTextElideMode(Qt::ElideNone);
    ui::ListSetColumnWidthTwips(lst, 0, 900);
    ui::ListSetColumnWidthTwips(lst, 1, 1400);
    lst->setMinimumWidth(ui::TwipsToPixelsX(2500) + 4);
    lst->setMinimumHeight(ui::TwipsToPixelsY(3900));
    row->addWidget(lst, 1);
    return f;
}

QWidget* frmNodi::buildTabRelazione() {
    auto* page = new QWidget;
    auto* l = new QVBoxLayout(page);
    RichTextBox1 = new QTextEdit(page);
    RichTextBox1->setObjectName(QStringLiteral("RichTextBox1"));
    RichTextBox1->setReadOnly(true);
    RichTextBox1->setLineWrapMode(QTextEdit::NoWrap);
    RichTextBox1->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(RichTextBox1);
    return page;
}

QWidget* frmNodi::buildTabCoefficienti() {
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);

    Frame2 = new QGroupBox(QStringLiteral("Coefficienti Normativa per Resistenza di Calcolo Aste"), page);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    auto* g = new QGridLayout(Frame2);
    Label55 = label(Frame2, QStringLiteral("Label55"), QStringLiteral("Tabella 4.4.III - DM 17/01/2018"));
    QFont bold = Label55->font();
    bold.setBold(true);
    Label55->setFont(bold);
    g->addWidget(Label55, 0, 0, 1, 4);
    auto* slu = label(Frame2, QStringLiteral("lblStatiLimiteUltimi"), QStringLiteral("Stati Limite Ultimi"));
    auto* gammaM = label(Frame2, QStringLiteral("lblGammaM"), QStringLiteral("γ<sub>M</sub>"));
    gammaM->setTextFormat(Qt::RichText);
    gammaM->setAlignment(Qt::AlignCenter);
    g->addWidget(slu, 1, 0);
    g->addWidget(gammaM, 1, 1);
    const char* const righe[9] = {nullptr,
                                  "Legno massiccio",
                                  "Legno Lamellare incollato",
                                  "Pannelli di tavole incollate a strati incrociati",
                                  "Pannelli di particelle o di fibre",
                                  "LVL, compensato, pannelli di scaglie orientate",
                                  "Unioni",
                                  "Combinazioni eccezionali",
                                  "Stati Limite di Esercizio"};
    for (int k = 1; k <= 8; ++k) {
        lblCoefMat[k] = new EtichettaConPuntini(QString::fromUtf8(righe[k]), Frame2);
        lblCoefMat[k]->setObjectName(indexed("lblCoefMat", k));
        txtCoefMat[k] = box(Frame2, indexed("txtCoefMat", k), 700);
        txtCoefMat[k]->setText(DefaultCoefMat(k));
        txtCoefMat[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        g->addWidget(lblCoefMat[k], 1 + k, 0);
        g->addWidget(txtCoefMat[k], 1 + k, 1);
    }
    // The factor of joints is the one the verification uses.
    QPalette yellow = txtCoefMat[6]->palette();
    yellow.setColor(QPalette::Base, QColor(0xFF, 0xFF, 0xC0));
    txtCoefMat[6]->setPalette(yellow);

    g->setRowMinimumHeight(10, ui::TwipsToPixelsY(300));
    Label18 = label(Frame2, QStringLiteral("Label18"), QStringLiteral("Tabella 4.4.IV - DM 17/01/2018"));
    Label18->setFont(bold);
    Label11[2] = label(Frame2, indexed("Label11", 2),
                       QStringLiteral("Valori di kmod (Classe Durata del Carico Fy:  Permanente)"));
    g->addWidget(Label18, 11, 0, 1, 4);
    g->addWidget(Label11[2], 12, 0, 1, 4);
    auto* classi = new QHBoxLayout;
    const QString intestazioni[4] = {QString(), QStringLiteral("Classe di Servizio: 1)"), QStringLiteral("Classe 2)"),
                                     QStringLiteral("Classe 3)")};
    for (int k = 1; k <= 3; ++k) {
        auto* col = new QVBoxLayout;
        col->addWidget(label(Frame2, indexed("lblClasse", k), intestazioni[k]), 0, Qt::AlignRight);
        txtCoefCar[k] = box(Frame2, indexed("txtCoefCar", k), 700);
        txtCoefCar[k]->setText(DefaultCoefCar(k));
        txtCoefCar[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        col->addWidget(txtCoefCar[k], 0, Qt::AlignRight);
        classi->addLayout(col);
    }
    classi->addStretch(1);
    g->addLayout(classi, 13, 0, 1, 4);
    g->setRowStretch(14, 1);
    g->setColumnStretch(3, 1);
    row->addWidget(Frame2, 3);

    auto* right = new QVBoxLayout;
    Frame11 = new QGroupBox(QStringLiteral("Classe di Servizio"), page);
    Frame11->setObjectName(QStringLiteral("Frame11"));
    auto* opts = new QVBoxLayout(Frame11);
    const QString didascalie[4] = {QString(), QStringLiteral("1: T=20°C  U<65%"),
                                   QStringLiteral("2: U>85% x  poche settimane"), QStringLiteral("3: U>85%")};
    for (int k = 1; k <= 3; ++k) {
        Option2[k] = new QRadioButton(didascalie[k], Frame11);
        Option2[k]->setObjectName(indexed("Option2", k));
        opts->addWidget(Option2[k]);
    }
    Option2[1]->setChecked(true);
    right->addWidget(Frame11);

    auto* formule = new QGroupBox(page);
    formule->setObjectName(QStringLiteral("FrameFormule"));
    auto* fl = new QVBoxLayout(formule);
    auto* titolo = label(formule, QStringLiteral("lblResistenzaProgetto"), QStringLiteral("Resistenza di Progetto"));
    titolo->setFont(bold);
    fl->addWidget(titolo);
    fl->addWidget(label(formule, QStringLiteral("lblAsteCompresse"), QStringLiteral("Aste Compresse:")));
    auto* fc = label(formule, QStringLiteral("lblFormulaCompresse"),
                     QStringLiteral("f<sub>c,0,d</sub> = k<sub>mod</sub> · f<sub>c,0,k</sub> / γ<sub>M</sub>"));
    fc->setTextFormat(Qt::RichText);
    fl->addWidget(fc);
    fl->addWidget(label(formule, QStringLiteral("lblAsteTese"), QStringLiteral("Aste Tese:")));
    auto* ft = label(formule, QStringLiteral("lblFormulaTese"),
                     QStringLiteral("f<sub>t,0,d</sub> = k<sub>mod</sub> · f<sub>t,0,k</sub> / γ<sub>M</sub>"));
    ft->setTextFormat(Qt::RichText);
    fl->addWidget(ft);
    right->addWidget(formule);
    right->addStretch(1);
    row->addLayout(right, 2);
    return page;
}

// The defaults are written by the locale ("1,50" under an Italian locale), so that they read back
// as numbers under a decimal-point locale too.
QString frmNodi::DefaultCoefMat(int Index) {
    static const double d[9] = {0, 1.50, 1.45, 1.45, 1.50, 1.40, 1.50, 1.00, 1.00};
    return (Index >= 1 && Index <= 8) ? basic::Format(d[Index], QStringLiteral("0.00")) : QString();
}

QString frmNodi::DefaultCoefCar(int Index) {
    static const double d[4] = {0, 0.60, 0.60, 0.50};
    return (Index >= 1 && Index <= 3) ? basic::Format(d[Index], QStringLiteral("0.00")) : QString();
}

// ---------------------------------------------------------------- wiring

void frmNodi::wire() {
    connect(cmbTipoNodo, &QComboBox::currentIndexChanged, this, [this] { cmbTipoNodo_Click(); });
    connect(SSTab2, &QTabWidget::currentChanged, this, [this] { SSTab2_Click(0); });
    connect(txtMatAsta, &QLineEdit::textChanged, this, [this] { txtMatAsta_Change(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command8, &QPushButton::clicked, this, [this] { Command8_Click(); });
    connect(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    for (int k = 1; k <= NumeroAste; ++k) {
        connect(ComboAsta[k], &QComboBox::currentIndexChanged, this, [this, k] { ComboAsta_Click(k); });
        connect(txtBAsta[k], &QLineEdit::textChanged, this, [this, k] { txtBAsta_Change(k); });
        connect(txtHAsta[k], &QLineEdit::textChanged, this, [this, k] { txtHAsta_Change(k); });
        connect(txtAngAsta[k], &QLineEdit::textChanged, this, [this, k] { txtAngAsta_Change(k); });
        connect(txtNAsta[k], &QLineEdit::textChanged, this, [this, k] { txtNAsta_Change(k); });
        ui::OnKeyPress(ComboAsta[k], [this, k](int& c) { ComboAsta_KeyPress(k, c); });
        ui::OnKeyPress(txtBAsta[k], [this, k](int& c) { txtBAsta_KeyPress(k, c); });
        ui::OnKeyPress(txtHAsta[k], [this, k](int& c) { txtHAsta_KeyPress(k, c); });
        ui::OnKeyPress(txtAngAsta[k], [this, k](int& c) { txtAngAsta_KeyPress(k, c); });
        ui::OnKeyPress(txtNAsta[k], [this, k](int& c) { txtNAsta_KeyPress(k, c); });
    }
    for (int k = 1; k <= 4; ++k) {
        connect(txtMis[k], &QLineEdit::textChanged, this, [this, k] { txtMis_Change(k); });
        ui::OnKeyPress(txtMis[k], [this, k](int& c) { txtMis_KeyPress(k, c); });
    }
    connect(txtReaz, &QLineEdit::textChanged, this, [this] { txtReaz_Change(); });
    connect(txtLapp, &QLineEdit::textChanged, this, [this] { txtLapp_Change(); });
    ui::OnKeyPress(txtReaz, [this](int& c) { txtReaz_KeyPress(c); });
    ui::OnKeyPress(txtLapp, [this](int& c) { txtLapp_KeyPress(c); });
    ui::OnKeyPress(txtMatAsta, [this](int& c) { txtMatAsta_KeyPress(c); });
    ui::OnKeyPress(cmbTipoNodo, [this](int& c) { cmbTipoNodo_KeyPress(c); });
    // The keys of a tab control arrive at its bar, which holds the focus.
    ui::OnKeyPress(SSTab2->tabBar(), [this](int& c) { SSTab2_KeyPress(c); });
    // Enter on a focused button presses it; no button is a default one, so Enter in a box never
    // starts a run by itself.
    for (QPushButton* b : {Command1, Command2, Command8, Command9}) {
        b->setAutoDefault(false);
        b->setDefault(false);
        ui::OnKeyPress(b, [b](int& c) {
            if (c != 13) return;
            c = 0;
            b->click();
        });
    }
    for (int k = 1; k <= 8; ++k) {
        connect(txtCoefMat[k], &QLineEdit::textChanged, this, [this, k] { txtCoefMat_Change(k); });
        ui::OnKeyPress(txtCoefMat[k], [this, k](int& c) { txtCoefMat_KeyPress(k, c); });
        ui::OnLostFocus(txtCoefMat[k], [this, k] { txtCoefMat_LostFocus(k); });
    }
    for (int k = 1; k <= 3; ++k) {
        connect(txtCoefCar[k], &QLineEdit::textChanged, this, [this, k] { txtCoefCar_Change(k); });
        connect(Option2[k], &QRadioButton::toggled, this, [this, k](bool scelta) {
            if (scelta) Option2_Click(k);
        });
        ui::OnKeyPress(txtCoefCar[k], [this, k](int& c) { txtCoefCar_KeyPress(k, c); });
        ui::OnLostFocus(txtCoefCar[k], [this, k] { txtCoefCar_LostFocus(k); });
    }
}

bool frmNodi::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type t = event->type();
    if (t != QEvent::MouseMove && t != QEvent::MouseButtonRelease) return QWidget::eventFilter(watched, event);
    for (int i = 0; i < 4; ++i) {
        if (watched != ImgTipoUnione[i]) continue;
        if (t == QEvent::MouseMove) {
            ImgTipoUnione_MouseMove(i);
        } else {
            auto* me = static_cast<QMouseEvent*>(event);
            // Only a release over the image counts as choosing it.
            if (ImgTipoUnione[i]->rect().contains(me->position().toPoint())) ImgTipoUnione_MouseUp(i);
        }
        return true;
    }
    if (watched == PicTipoNodi && t == QEvent::MouseMove) PicTipoNodi_MouseMove();
    return QWidget::eventFilter(watched, event);
}

// ---------------------------------------------------------------- load and unload

void frmNodi::Form_Load() {
    if (loaded_) return;
    loaded_ = true;
    // The chooser and the four drawings, and the six member frames, each share one place by
    // construction (stacked widgets).
    for (int k = 1; k <= NumeroAste; ++k) {
        if (ComboAsta[k]->currentIndex() == 0)
            ComboAsta_Click(k);
        else
            ComboAsta[k]->setCurrentIndex(0);
    }
    stkAsta->setCurrentWidget(FrameAsta[1]);
    SSTab1->setCurrentIndex(0);
    SSTab2->setCurrentIndex(0);
    if (cmbTipoNodo->currentIndex() == -1)
        cmbTipoNodo_Click();
    else
        cmbTipoNodo->setCurrentIndex(-1);
}

void frmNodi::Form_Unload() {
    if (unloaded_) return;
    unloaded_ = true;
    NodoCorrente = nullptr;
}

void frmNodi::showEvent(QShowEvent* event) {
    Form_Load();
    QWidget::showEvent(event);
}

void frmNodi::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

// ---------------------------------------------------------------- buttons

void frmNodi::Command1_Click() { materials::MostraListaLegno(); }

void frmNodi::Command2_Click() {
    QString documento = IndirizzoHelp();
    ApriDocumento(documento);
}

void frmNodi::Command9_Click() {
    // Inside the main window the frame around the window closes with it.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}
