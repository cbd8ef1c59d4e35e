// "Verifica" from a fresh joint window typed through the keyboard: the registration with the
// engine, the run and the whole report, compared character by character with reports worked out
// by hand from the engine's formulas (forces in kN, stresses and strengths in N/mm², two decimals).
#include "test_frmNodi.h"

#include "AppTestSupport.h"
#include "Locale.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "platform/component/Component.h"
#include "platform/ui/Forms.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

#include <cmath>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

using namespace frmnodi_test;
using QOR_TRBNS18::_clsAsta;
using QOR_TRBNS18::_clsGenVerNodi;
using QOR_TRBNS18::_clsNodo;
using testing_support::Call;
using testing_support::LocaleGuard;
using testing_support::ScriptedUi;

namespace {

// ---------------------------------------------------------------- the joints, as typed

struct AstaTesti {
    const char* materiale;
    bool circolare;
    const char *B, *H, *angolo, *N; // nullptr: the box is hidden for the type, or left empty
};

struct NodoTesti {
    int tipo; // position in the window's list of types
    const char* mis[4];
    const char *reazione, *appoggio;
    std::vector<AstaTesti> aste;
};

// Material 20 turns, with the default kmod 0,60 and γM 1,50, into the design strengths of the
// engine's worked examples: fc0d 12,6 and fc90d 1,5. Material 7 (C24) gives fc0d 8,4, fc90d 1,0,
// fvd 1,6 and a tension value of 5,8.
const char* const kMateriale20 = "INSERT INTO Legno VALUES (20, 'LP', 'Larice prova', 30, 20, 0.5, 31.5, 3.75, 4,"
                                 " 12000, 8000, 400, 750, 450);";

const NodoTesti kCatena = {0, {"4", "30", nullptr, nullptr}, "40", "20",
                           {{"20", false, "20", "24", nullptr, nullptr}, {"7", false, "16", "20", "30", "-60"}}};
const NodoTesti kSaetta = {1, {"3", nullptr, nullptr, nullptr}, nullptr, nullptr,
                           {{"7", false, "16", "20", "30", nullptr},
                            {"20", true, "17.5", nullptr, nullptr, nullptr},
                            {"7", false, "14", "16", "45", "-20"}}};
// The right member's force typed positive: the engine takes its magnitude, the report its tension
// design value.
const NodoTesti kMonaco = {2, {"3", "20", "3", "20"}, nullptr, nullptr,
                           {{"7", false, "16", "20", "30", "-30"},
                            {"20", false, "16", "30", nullptr, nullptr},
                            {"7", false, "14", "18", "35", "25"}}};

NodoTesti Con(NodoTesti n, int asta, const char* AstaTesti::*campo, const char* valore) {
    n.aste[static_cast<size_t>(asta - 1)].*campo = valore;
    return n;
}

// ---------------------------------------------------------------- the expected reports

const QString kCoefficienti = QString::fromUtf8(R"( Coefficienti Normativi:
 Classe di Servizio: 1: T=20°C  U<65%
 Kmod= 0,60
 γM  = 1,50

)");

const QString kC24 = QString::fromUtf8(R"(            Materiale: Abete C24
            fc0k =21,00N/mmq     fc0d = 8,40N/mmq
            fc90k= 2,50N/mmq     fc90d= 1,00N/mmq
            fvk  = 4,00N/mmq     fvd  = 1,60N/mmq
)");

const QString kLarice = QString::fromUtf8(R"(            Materiale: Larice prova
            fc0k =31,50N/mmq     fc0d =12,60N/mmq
            fc90k= 3,75N/mmq     fc90d= 1,50N/mmq
            fvk  = 4,00N/mmq     fvd  = 1,60N/mmq
)");

const QString kReportCatena = QString::fromUtf8(R"( VERIFICA NODO N.1
 Tipologia Nodo:          Catena Puntone a Dente Semplice
 Profondità Intaglio:     tv  =  4,00 cm.
 Lunghezza Resistente:    Lv  = 30,00 cm.

)") + kCoefficienti + QString::fromUtf8(R"( Aste Collegate:
 Asta N. 1  B=20,00cm. x H=24,00cm.
)") + kLarice + QString::fromUtf8(R"( Asta N. 2  B=16,00cm. x H=20,00cm.
)") + kC24 + QString::fromUtf8(R"(
 Verifica a Compressione Inclinata rispetto le fibrature
 Intaglio SX:   Componente di compressione F1 =  55,46 kN
                Angolo tra componente di compressione F1 e Fibratura: α1 =  15,00°
                Resistenza a compressione inclinata fcα1,d =   8,42N/mmq
                σ =   8,37 N/mmq  <  fcα1,d
 Intaglio DX:   Componente di compressione F2 =  15,73 kN
                Angolo tra componente di compressione F2 e Fibratura: α2 =  84,13°
                Resistenza a compressione inclinata fcα2,d =   1,51N/mmq
                σ =   0,25 N/mmq  <  fcα2,d

 Verifica a Taglio - tallone
 τ =   1,08N/mmq  <  fvd

 Verifica Appoggio - Compressione Perpendicolare alla fibratura
 σ =   0,75N/mmq  <  fc90d

)");

const QString kReportSaetta = QString::fromUtf8(R"( VERIFICA NODO N.1
 Tipologia Nodo:          Puntone Saetta a Dente Semplice
 Profondità Intaglio:     tv  =  3,00 cm.

)") + kCoefficienti + QString::fromUtf8(R"( Aste Collegate:
 Asta N. 1  B=16,00cm. x H=20,00cm.
)") + kC24 + QString::fromUtf8(R"( Asta N. 2  B=17,50cm. x H=17,50cm.
)") + kLarice + QString::fromUtf8(R"( Asta N. 3  B=14,00cm. x H=16,00cm.
)") + kC24 + QString::fromUtf8(R"(
 Verifica a Compressione Inclinata rispetto le fibrature
 Intaglio INF:  Componente di compressione F1 =  10,03 kN
                Angolo tra componente di compressione F1 e Fibratura: α1 =  37,50°
                Resistenza a compressione inclinata fcα1,d =   3,37N/mmq
                σ =   1,89 N/mmq  <  fcα1,d
 Intaglio SUP:  Componente di compressione F2 =  13,50 kN
                Angolo tra componente di compressione F2 e Fibratura: α2 =  78,12°
                Resistenza a compressione inclinata fcα2,d =   1,56N/mmq
                σ =   0,66 N/mmq  <  fcα2,d

)");

const QString kReportMonaco = QString::fromUtf8(R"( VERIFICA NODO N.1
 Tipologia Nodo:          Monaco Puntoni a Dente Semplice
 Profondità Intaglio:     tv1 =  3,00 cm.
 Lunghezza Resistente:    Lv1 = 20,00 cm.
 Profondità Intaglio:     tv2 =  3,00 cm.
 Lunghezza Resistente:    Lv2 = 20,00 cm.

)") + kCoefficienti + QString::fromUtf8(R"( Aste Collegate:
 Asta N. 1  B=16,00cm. x H=20,00cm.
)") + kC24 + QString::fromUtf8(R"( Asta N. 2  B=16,00cm. x H=30,00cm.
)") + kLarice + QString::fromUtf8(R"( Asta N. 3  B=14,00cm. x H=18,00cm.
            Materiale: Abete C24
            fc0k =21,00N/mmq     fc0d = 5,80N/mmq
            fc90k= 2,50N/mmq     fc90d= 1,00N/mmq
            fvk  = 4,00N/mmq     fvd  = 1,60N/mmq

 Verifica a Compressione Inclinata rispetto le fibrature

 Saetta di sinistra

 Intaglio SUP:  Componente di compressione F1 =  19,92 kN
                Angolo tra componente di compressione F1 e Fibratura: α1 =  30,00°
                Resistenza a compressione inclinata fcα1,d =   4,42N/mmq
                σ =   3,59 N/mmq  <  fcα1,d
 Intaglio INF:  Componente di compressione F2 =  16,18 kN
                Angolo tra componente di compressione F2 e Fibratura: α2 =  82,01°
                Resistenza a compressione inclinata fcα2,d =   1,53N/mmq
                σ =   0,47 N/mmq  <  fcα2,d

 Saetta di destra

 Intaglio SUP:  Componente di compressione F1 =  18,17 kN
                Angolo tra componente di compressione F1 e Fibratura: α1 =  27,50°
                Resistenza a compressione inclinata fcα1,d =   4,89N/mmq
                σ =   3,84 N/mmq  <  fcα1,d
 Intaglio INF:  Componente di compressione F2 =  12,22 kN
                Angolo tra componente di compressione F2 e Fibratura: α2 =  81,64°
                Resistenza a compressione inclinata fcα2,d =   1,53N/mmq
                σ =   0,42 N/mmq  <  fcα2,d

)");

using Sostituzioni = std::vector<std::pair<QString, QString>>;

// The report with some of its texts replaced, each of which must occur exactly once.
QString Modificato(const QString& report, const Sostituzioni& s) {
    QString out = report;
    for (const auto& [da, a] : s) {
        EXPECT_EQ(out.count(da), 1) << da.toStdString();
        out.replace(da, a);
    }
    return out;
}

// The king post with struts prints its faces INF then SUP on both sides.
QString Saette(const QString& report) {
    QString out = Modificato(report, {{"Monaco Puntoni", "Monaco Saette"}});
    out.replace(" Intaglio SUP: ", "@").replace(" Intaglio INF: ", " Intaglio SUP: ").replace("@", " Intaglio INF: ");
    return out;
}

const Sostituzioni kCatenaNonVerifica = {
    {"Lv  = 30,00 cm.", "Lv  = 10,00 cm."},
    {"   1,08N/mmq  <  fvd\n", "   3,25N/mmq  >  fvd -  NON VERIFICA\n"},
    {"   0,75N/mmq  <  fc90d\n", "   1,69N/mmq  >  fc90d -  NON VERIFICA\n"},
};
// The lower rafter at 30° and the strut at 45° meet at 105°: the strut pushes the upper rafter
// towards the lower one, and the step faces it, so face 1 is the lower face. Twice the force fails
// that face.
const Sostituzioni kSaettaNonVerifica = {
    {"F1 =  10,03 kN", "F1 =  20,06 kN"},
    {"F2 =  13,50 kN", "F2 =  27,01 kN"},
    {"   1,89 N/mmq  <  fcα1,d\n", "   3,79 N/mmq  >  fcα1,d  -  NON VERIFICA\n"},
    {"   0,66 N/mmq  <  fcα2,d\n", "   1,32 N/mmq  <  fcα2,d\n"},
};
// A 14 × 24 strut at 50° under 40 kN on a shallow notch, the lower rafter at 25°: 105° between them,
// and the front face carries 4,58 N/mmq against 3,37. Mirrored, the lower rafter at 55°, the same
// joint with its faces named the other way round.
const NodoTesti kSaettaOltre90 = {1, {"2", nullptr, nullptr, nullptr}, nullptr, nullptr,
                                  {{"7", false, "16", "20", "25", nullptr},
                                   {"20", false, "16", "20", nullptr, nullptr},
                                   {"7", false, "14", "24", "50", "-40"}}};
const Sostituzioni kSaettaOltre90NonVerifica = {
    {"tv  =  3,00 cm.", "tv  =  2,00 cm."},
    {" Asta N. 2  B=17,50cm. x H=17,50cm.\n", " Asta N. 2  B=16,00cm. x H=20,00cm.\n"},
    {" Asta N. 3  B=14,00cm. x H=16,00cm.\n", " Asta N. 3  B=14,00cm. x H=24,00cm.\n"},
    {"F1 =  10,03 kN", "F1 =  16,16 kN"},
    {"   1,89 N/mmq  <  fcα1,d\n", "   4,58 N/mmq  >  fcα1,d  -  NON VERIFICA\n"},
    {"F2 =  13,50 kN", "F2 =  28,90 kN"},
    {"α2 =  78,12°", "α2 =  85,10°"},
    {"fcα2,d =   1,56N/mmq", "fcα2,d =   1,51N/mmq"},
    {"   0,66 N/mmq  <  fcα2,d\n", "   0,88 N/mmq  <  fcα2,d\n"},
};
const Sostituzioni kFacceSupInf = {
    {" Intaglio INF:  Componente di compressione F1", " Intaglio SUP:  Componente di compressione F1"},
    {" Intaglio SUP:  Componente di compressione F2", " Intaglio INF:  Componente di compressione F2"},
};
const Sostituzioni kMonacoNonVerifica = {
    {"F1 =  19,92 kN", "F1 =  39,84 kN"},
    {"F2 =  16,18 kN", "F2 =  32,36 kN"},
    {"   3,59 N/mmq  <  fcα1,d\n", "   7,19 N/mmq  >  fcα1,d  -  NON VERIFICA\n"},
    {"   0,47 N/mmq  <  fcα2,d\n", "   0,94 N/mmq  <  fcα2,d\n"},
};

// The text of the heading attribute, line by line.
QStringList Intestazioni(QTextEdit* rich) {
    QStringList out;
    for (QTextBlock b = rich->document()->begin(); b.isValid(); b = b.next()) {
        QString riga;
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().fontUnderline()) riga += it.fragment().text();
        if (!riga.isEmpty()) out << riga;
    }
    return out;
}

// ---------------------------------------------------------------- the window

struct Verifica : ::testing::Test {
    LocaleGuard italiano{LocaleGuard::italian()};
    DatabaseMateriali db;
    ScriptedUi ui;
    std::unique_ptr<frmNodi> w;

    void SetUp() override {
        db.exec(kMateriale20);
        PiGrecoSingolo = static_cast<Single>(std::atan(1.0) * 4);
        ASSERT_NO_THROW(GenVerNodi = component::CreateObjectAs<_clsGenVerNodi>("QOR_TRBNS18.clsGenVerNodi"));
    }
    void TearDown() override {
        w.reset();
        FormNodo.clear();
        GenVerNodi = nullptr;
    }

    // A new joint of that type in a fresh window, as the main window opens one.
    void apri(int tipo) {
        std::string t = frmNodi::TipiNodo()[static_cast<size_t>(tipo)].toStdString();
        GenVerNodi->CreaNodo(t);
        Integer n = static_cast<Integer>(GenVerNodi->Nodi()->Count());
        w = nuovaFinestra();
        w->resize(1400, 900);
        w->show();
        FormNodo = w.get();
        MostraNodo(n);
    }
    std::shared_ptr<_clsNodo> giunto() { return GenVerNodi->Nodi()->ItemAs<_clsNodo>(basic::CInt(basic::Val(w->lblNodoCorrente->text()))); }
    std::shared_ptr<_clsAsta> asta(int i) { return giunto()->Asta()->ItemAs<_clsAsta>(i); }

    static void scrivi(QLineEdit* box, const char* testo) {
        if (!testo) return;
        ui::SelezionaTesto(box);
        QTest::keyClicks(box, QString::fromUtf8(testo));
    }
    void digita(const NodoTesti& n) {
        for (int k = 1; k <= 4; ++k) scrivi(w->txtMis[k], n.mis[k - 1]);
        scrivi(w->txtReaz, n.reazione);
        scrivi(w->txtLapp, n.appoggio);
        for (int i = 1; i <= static_cast<int>(n.aste.size()); ++i) {
            const AstaTesti& a = n.aste[static_cast<size_t>(i - 1)];
            QTest::mouseClick(w->SSTab2->tabBar(), Qt::LeftButton, {}, w->SSTab2->tabBar()->tabRect(i - 1).center());
            scrivi(w->txtMatAsta, a.materiale);
            if (a.circolare) w->ComboAsta[i]->setCurrentIndex(1);
            scrivi(w->txtBAsta[i], a.B);
            scrivi(w->txtHAsta[i], a.H);
            scrivi(w->txtAngAsta[i], a.angolo);
            scrivi(w->txtNAsta[i], a.N);
        }
    }
    void premiVerifica() { QTest::mouseClick(w->Command8, Qt::LeftButton); }
    QString report() { return w->RichTextBox1->toPlainText(); }

    // The window as a refusal leaves it: input tab in front, type unlocked, "Verifica" available,
    // the pane untouched, the default pointer.
    void comeDopoUnRifiuto(const QString& pannello) {
        EXPECT_EQ(w->SSTab1->currentIndex(), 0);
        EXPECT_TRUE(w->cmbTipoNodo->isEnabled());
        EXPECT_TRUE(w->Command8->isEnabled());
        EXPECT_EQ(report(), pannello);
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
    }
};

struct Golden {
    const char* nome;
    NodoTesti nodo;
    QString atteso;
    bool inglese = false;
};
std::ostream& operator<<(std::ostream& os, const Golden& g) { return os << g.nome; }

const Golden kGolden[] = {
    {"tie_beam", kCatena, kReportCatena},
    // A shorter heel and a larger reaction.
    {"tie_beam_heel_and_bearing_fail", [] { NodoTesti n = kCatena; n.mis[1] = "10"; n.reazione = "90"; return n; }(),
     Modificato(kReportCatena, kCatenaNonVerifica)},
    {"rafter_and_strut", kSaetta, kReportSaetta},
    {"rafter_and_strut_face_1_fails", Con(kSaetta, 3, &AstaTesti::N, "-40"),
     Modificato(kReportSaetta, kSaettaNonVerifica)},
    {"rafter_and_strut_step_faces_the_lower_rafter", kSaettaOltre90,
     Modificato(kReportSaetta, kSaettaOltre90NonVerifica)},
    {"rafter_and_strut_mirrored", Con(kSaettaOltre90, 1, &AstaTesti::angolo, "55"),
     Modificato(Modificato(kReportSaetta, kSaettaOltre90NonVerifica), kFacceSupInf)},
    {"king_post_rafters", kMonaco, kReportMonaco},
    {"king_post_rafters_left_face_1_fails", Con(kMonaco, 1, &AstaTesti::N, "-60"),
     Modificato(kReportMonaco, kMonacoNonVerifica)},
    {"king_post_struts", [] { NodoTesti n = kMonaco; n.tipo = 3; return n; }(), Saette(kReportMonaco)},
    {"king_post_struts_left_face_1_fails",
     [] { NodoTesti n = Con(kMonaco, 1, &AstaTesti::N, "-60"); n.tipo = 3; return n; }(),
     Saette(Modificato(kReportMonaco, kMonacoNonVerifica))},
    {"rafter_and_strut_english_locale", kSaetta,
     QString(kReportSaetta).replace(QRegularExpression("(\\d),(\\d)"), "\\1.\\2"), true},
};

class Goldens : public Verifica, public ::testing::WithParamInterface<Golden> {};

TEST_P(Goldens, TypedJointGivesItsWholeReport) {
    const Golden& g = GetParam();
    std::optional<LocaleGuard> inglese;
    if (g.inglese) inglese.emplace(LocaleGuard::english());
    const NodoTesti& nodo = g.nodo;
    apri(nodo.tipo);
    digita(nodo);
    ui.clear();
    premiVerifica();

    EXPECT_EQ(report().toStdString(), g.atteso.toStdString());
    EXPECT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes().front().prompt.toStdString();
    // The hourglass for the run, the default pointer after it.
    std::vector<int> puntatore;
    for (const Call& c : ui.calls())
        if (c.kind == Call::MousePointer) puntatore.push_back(c.style);
    EXPECT_EQ(puntatore, (std::vector<int>{ui::vbHourglass, ui::vbDefault}));
    EXPECT_EQ(w->SSTab1->currentIndex(), 1);
    EXPECT_FALSE(w->cmbTipoNodo->isEnabled());
    EXPECT_EQ(w->cmbTipoNodo->palette().color(QPalette::Base), w->cmbTipoNodo->palette().color(QPalette::Button));
    EXPECT_FALSE(w->Command8->isEnabled());
    EXPECT_TRUE(giunto()->AsteReg());

    // Title in its own format; the body fixed-pitch at 8 points; the heading attribute on the type
    // line and the section headings, and on the blank after the heel and bearing headings.
    const QTextBlock titolo = w->RichTextBox1->document()->begin();
    const QTextCharFormat ft = titolo.begin().fragment().charFormat();
    EXPECT_EQ(ft.fontFamilies().toStringList(), QStringList{"Times New Roman"});
    EXPECT_EQ(ft.fontPointSize(), 12);
    EXPECT_TRUE(ft.font().bold());
    EXPECT_FALSE(ft.fontUnderline());
    for (QTextBlock b = titolo.next(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat f = it.fragment().charFormat();
            EXPECT_EQ(f.fontFamilies().toStringList(), QStringList{"Courier New"}) << it.fragment().text().toStdString();
            EXPECT_EQ(f.fontPointSize(), 8);
            EXPECT_EQ(f.font().bold(), f.fontUnderline()) << it.fragment().text().toStdString();
        }
    QStringList attese = {"Tipologia Nodo:          " + frmNodi::TipiNodo()[static_cast<size_t>(nodo.tipo)],
                          "Coefficienti Normativi:", "Aste Collegate:",
                          "Verifica a Compressione Inclinata rispetto le fibrature"};
    if (nodo.tipo == 0)
        attese << "Verifica a Taglio - tallone"
               << " "
               << "Verifica Appoggio - Compressione Perpendicolare alla fibratura"
               << " ";
    EXPECT_EQ(Intestazioni(w->RichTextBox1), attese);
}

INSTANTIATE_TEST_SUITE_P(Verifica, Goldens, ::testing::ValuesIn(kGolden),
                         [](const auto& info) { return std::string(info.param.nome); });

// Every joint type typed with decimal commas on an Italian desktop reports the very numbers that the
// same joint typed with points gives on an English one: no digit after a comma is lost on the way.
TEST_F(Verifica, EveryJointTypedWithDecimalCommasReportsWhatEnglishTypingReports) {
    const NodoTesti catena = {0, {"3,5", "27,5", nullptr, nullptr}, "40,5", "20,5",
                              {{"20", false, "20,5", "24,5", nullptr, nullptr}, {"7", false, "16,5", "20,5", "30,5", "-60,5"}}};
    const NodoTesti saetta = {1, {"3,5", nullptr, nullptr, nullptr}, nullptr, nullptr,
                              {{"7", false, "16,5", "20,5", "30,5", nullptr},
                               {"20", true, "17,5", nullptr, nullptr, nullptr},
                               {"7", false, "14,5", "16,5", "45,5", "-20,5"}}};
    const NodoTesti monaco = {2, {"3,5", "20,5", "2,5", "20,5"}, nullptr, nullptr,
                              {{"7", false, "16,5", "20,5", "30,5", "-30,5"},
                               {"20", false, "16,5", "30,5", nullptr, nullptr},
                               {"7", false, "14,5", "18,5", "35,5", "-25,5"}}};
    const NodoTesti saette = [&] { NodoTesti n = monaco; n.tipo = 3; return n; }();
    for (const NodoTesti& nodo : {catena, saetta, monaco, saette}) {
        SCOPED_TRACE(frmNodi::TipiNodo()[static_cast<size_t>(nodo.tipo)].toStdString());
        ui.clear();
        apri(nodo.tipo);
        digita(nodo);
        premiVerifica();
        ASSERT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes().front().prompt.toStdString();
        const QString italiano = report();
        EXPECT_TRUE(italiano.contains(QRegularExpression(QStringLiteral("Profondità Intaglio: +tv1? +=  3,50 cm\\."))))
            << italiano.toStdString();

        LocaleGuard inglese(LocaleGuard::english());
        NodoTesti conPunti = nodo;
        std::deque<std::string> testi; // the typed texts with a point, alive while typed
        auto punto = [&](const char*& t) {
            if (!t) return;
            testi.push_back(QString::fromUtf8(t).replace(',', '.').toStdString());
            t = testi.back().c_str();
        };
        for (auto& m : conPunti.mis) punto(m);
        punto(conPunti.reazione);
        punto(conPunti.appoggio);
        for (AstaTesti& a : conPunti.aste)
            for (const char* AstaTesti::*campo : {&AstaTesti::B, &AstaTesti::H, &AstaTesti::angolo, &AstaTesti::N})
                punto(a.*campo);
        apri(nodo.tipo);
        digita(conPunti);
        premiVerifica();
        ASSERT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes().front().prompt.toStdString();
        // The first line names the joint's number, which differs: each run is a joint of its own.
        EXPECT_EQ(report().section('\n', 1).toStdString(),
                  QString(italiano)
                      .section('\n', 1)
                      .replace(QRegularExpression(QStringLiteral("(\\d),(\\d)")), QStringLiteral("\\1.\\2"))
                      .toStdString());
    }
}

// ---------------------------------------------------------------- what the members carry

TEST_F(Verifica, MembersCarryTheirSectionsMaterialsAndDesignStrengths) {
    apri(1);
    digita(kSaetta);
    premiVerifica();
    ASSERT_EQ(giunto()->Asta()->Count(), 3);
    const auto cerchio = asta(2); // radius 17,5
    EXPECT_EQ(cerchio->TipoSezione(), "Circolare");
    EXPECT_EQ(cerchio->Base(), 17.5f);
    EXPECT_EQ(cerchio->Altezza(), 17.5f);
    EXPECT_EQ(cerchio->area(), 962.112793f);
    EXPECT_EQ(cerchio->ModInerzia(), 73661.7578f);
    EXPECT_EQ(cerchio->ModResistenza(), 4209.24316f);
    EXPECT_EQ(cerchio->Angolo(), 0.0f);        // left empty
    EXPECT_EQ(cerchio->SforzoAssiale(), 0.0f); // hidden and empty: compression
    EXPECT_EQ(cerchio->Res_Fd(), cerchio->Res_Fc0d());
    EXPECT_EQ(cerchio->NumeroMateriale(), 20);
    EXPECT_EQ(cerchio->DescrizioneMateriale(), "Larice prova");
    EXPECT_EQ(cerchio->Peso(), 450.0f);
    EXPECT_EQ(cerchio->ModEl_Gmean(), 750.0f);

    const auto saetta = asta(3); // 14 x 16, force typed -20
    EXPECT_EQ(saetta->area(), 224.0f);
    EXPECT_EQ(saetta->ModInerzia(), 4778.6665f);
    EXPECT_EQ(saetta->ModResistenza(), 597.333313f);
    EXPECT_EQ(saetta->SforzoAssiale(), 20.0f);
    EXPECT_EQ(saetta->Angolo(), 45.0f);
    EXPECT_EQ(saetta->Res_Fc0d(), 8.400001f); // 21 · 0,60 / 1,50 in single precision
    EXPECT_EQ(saetta->Res_Fd(), 8.400001f);
    EXPECT_EQ(saetta->Res_Fc90d(), 1.0f);
    EXPECT_EQ(saetta->Res_Fvd(), 1.6f);
    EXPECT_EQ(giunto()->tv(), 3.0f);
}

// ---------------------------------------------------------------- runs after the first

TEST_F(Verifica, SecondRunAfterAnEditKeepsTheMemberObjectsWithNewValues) {
    apri(0);
    digita(kCatena);
    premiVerifica();
    ASSERT_EQ(report(), kReportCatena);
    const auto catena = asta(1), puntone = asta(2);

    // γM 1 and a new material.
    w->SSTab1->setCurrentIndex(2);
    scrivi(w->txtCoefMat[6], "1");
    w->SSTab1->setCurrentIndex(0);
    QTest::mouseClick(w->SSTab2->tabBar(), Qt::LeftButton, {}, w->SSTab2->tabBar()->tabRect(0).center());
    scrivi(w->txtMatAsta, "7");
    ASSERT_TRUE(w->Command8->isEnabled());
    premiVerifica();

    EXPECT_TRUE(ui.msgBoxes().empty());
    ASSERT_EQ(giunto()->Asta()->Count(), 2);
    EXPECT_EQ(asta(1), catena);
    EXPECT_EQ(asta(2), puntone);
    EXPECT_EQ(catena->NumeroMateriale(), 7);
    EXPECT_EQ(catena->Res_Fc0d(), 12.6f); // 21 · 0,60 / 1
    // With γM 1 the tie beam's new material gives the engine the inputs of the first run: only the
    // coefficients and the members' design values change in the report.
    const QString c24GammaUno = QString::fromUtf8(R"(            Materiale: Abete C24
            fc0k =21,00N/mmq     fc0d =12,60N/mmq
            fc90k= 2,50N/mmq     fc90d= 1,50N/mmq
            fvk  = 4,00N/mmq     fvd  = 2,40N/mmq
)");
    EXPECT_EQ(report().toStdString(),
              Modificato(kReportCatena, {{"γM  = 1,50", "γM  = 1,00"}, {kLarice, c24GammaUno}, {kC24, c24GammaUno}})
                  .toStdString());

    // A window refilled from that joint reports the same joint, with its own coefficients.
    auto altra = nuovaFinestra();
    FormNodo = altra.get();
    Integer n = 1;
    MostraNodo(n);
    EXPECT_EQ(altra->RichTextBox1->toPlainText().toStdString(),
              Modificato(kReportCatena, {{kLarice, c24GammaUno}, {kC24, c24GammaUno}}).toStdString());
}

// What the run takes from the coefficients tab is an input like any other: after each change the
// report on screen is stale, and "Verifica" is available to rebuild it.
TEST_F(Verifica, ACoefficientOrServiceClassChangeMakesVerificaAvailableAgain) {
    apri(0);
    digita(kCatena);
    const std::pair<const char*, std::function<void()>> modifiche[] = {
        {"gamma M of joints", [&] { scrivi(w->txtCoefMat[6], "1,45"); }},
        {"kmod of class 2, not chosen", [&] { scrivi(w->txtCoefCar[2], "0.7"); }},
        {"service class 2",
         [&] { QTest::mouseClick(w->Option2[2], Qt::LeftButton, {}, QPoint(8, w->Option2[2]->height() / 2)); }},
        {"kmod of class 2, chosen", [&] { scrivi(w->txtCoefCar[2], "0,8"); }},
    };
    for (const auto& [nome, modifica] : modifiche) {
        SCOPED_TRACE(nome);
        premiVerifica();
        ASSERT_TRUE(ui.msgBoxes().empty()) << ui.msgBoxes().front().prompt.toStdString();
        ASSERT_FALSE(w->Command8->isEnabled());
        w->SSTab1->setCurrentIndex(2);
        modifica();
        EXPECT_TRUE(w->Command8->isEnabled());
    }
    premiVerifica();
    EXPECT_TRUE(report().contains(QString::fromUtf8(" Classe di Servizio: 2: U>85% x  poche settimane\n Kmod= 0,80\n "
                                                    "γM  = 1,45\n")))
        << report().toStdString();
}

TEST_F(Verifica, RefusedRunsThenChangesOfTypeThenARunThatSucceeds) {
    apri(0);
    digita(Con(kCatena, 2, &AstaTesti::angolo, "0"));
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt,
              QStringLiteral("Impossibile eseguire Verifica\nL'angolo di inclinazione del Puntone risulta =0."));
    comeDopoUnRifiuto("Esegui Verifica");
    EXPECT_TRUE(giunto()->AsteReg());
    ASSERT_EQ(giunto()->Asta()->Count(), 2);
    const auto catena = asta(1), puntone = asta(2);

    // To a type with a third member: the two registered ones are updated, the third one added.
    w->cmbTipoNodo->setCurrentIndex(1);
    scrivi(w->txtAngAsta[1], "30");
    scrivi(w->txtAngAsta[2], "30");
    QTest::mouseClick(w->SSTab2->tabBar(), Qt::LeftButton, {}, w->SSTab2->tabBar()->tabRect(2).center());
    scrivi(w->txtMatAsta, "7");
    scrivi(w->txtBAsta[3], "14");
    scrivi(w->txtHAsta[3], "16");
    scrivi(w->txtAngAsta[3], "0");
    scrivi(w->txtNAsta[3], "-20");
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt,
              QStringLiteral("Impossibile eseguire Verifica\nL'angolo di inclinazione della Saetta risulta =0."));
    comeDopoUnRifiuto("Esegui Verifica");
    ASSERT_EQ(giunto()->Asta()->Count(), 3);
    EXPECT_EQ(asta(1), catena);
    EXPECT_EQ(asta(2), puntone);
    EXPECT_EQ(asta(3)->Base(), 14.0f);

    // Back to the tie beam: its report lists its two members, not the third left over.
    w->cmbTipoNodo->setCurrentIndex(0);
    scrivi(w->txtAngAsta[2], "30");
    ui.clear();
    premiVerifica();
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(report().toStdString(), kReportCatena.toStdString());
    EXPECT_EQ(giunto()->Asta()->Count(), 3);
    EXPECT_EQ(asta(1), catena);
    EXPECT_FALSE(w->cmbTipoNodo->isEnabled());
}

TEST_F(Verifica, AFaultyBoxIsShownInTheCheckBoxAndNothingReachesTheEngine) {
    apri(0);
    digita(Con(kCatena, 2, &AstaTesti::H, "2O")); // a letter O for a zero
    w->SSTab1->setCurrentIndex(2);
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    const Call box = ui.msgBoxes()[0];
    EXPECT_EQ(box.prompt, QStringLiteral("Inserire Altezza Sezione Asta N. 2 con formato Numerico Corretto."));
    EXPECT_EQ(box.style, ui::vbOKOnly + ui::vbCritical);
    EXPECT_EQ(box.title, QStringLiteral("Controllo Dati"));
    EXPECT_EQ(ui.beeps(), 1);
    comeDopoUnRifiuto("Esegui Verifica");
    EXPECT_EQ(w->SSTab2->currentIndex(), 1);
    EXPECT_EQ(w->focusWidget(), w->txtHAsta[2]);
    EXPECT_EQ(w->txtHAsta[2]->selectedText(), QStringLiteral("2O"));
    EXPECT_FALSE(giunto()->AsteReg());
    EXPECT_EQ(giunto()->Asta()->Count(), 0);

    scrivi(w->txtHAsta[2], "20");
    ui.clear();
    premiVerifica();
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(report().toStdString(), kReportCatena.toStdString());
}

TEST_F(Verifica, EngineErrorIsShownAndTheWindowStaysUsable) {
    apri(0);
    digita(kCatena);
    // A kmod of 0 would leave every design strength 0: the check refuses it on its own tab.
    w->SSTab1->setCurrentIndex(2);
    scrivi(w->txtCoefCar[1], "0");
    w->SSTab1->setCurrentIndex(0);
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt, QStringLiteral("Inserire Valore Kmod Classe di Servizio N. 1 >0."));
    EXPECT_EQ(ui.msgBoxes()[0].title, QStringLiteral("Controllo Dati"));
    EXPECT_EQ(w->SSTab1->currentIndex(), 2);
    EXPECT_EQ(w->focusWidget(), w->txtCoefCar[1]);
    EXPECT_EQ(giunto()->Asta()->Count(), 0);
    scrivi(w->txtCoefCar[1], "0.6");

    // A tie beam of a material with no strength: the engine divides 0 by 0.
    db.exec("INSERT INTO Legno VALUES (21, 'Z', 'Senza resistenza', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0);");
    w->SSTab1->setCurrentIndex(0);
    QTest::mouseClick(w->SSTab2->tabBar(), Qt::LeftButton, {}, w->SSTab2->tabBar()->tabRect(0).center());
    scrivi(w->txtMatAsta, "21");
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    const Call box = ui.msgBoxes()[0];
    EXPECT_EQ(box.prompt, QStringLiteral("Errore di run-time '5':\n\nChiamata di routine o argomento non validi"));
    EXPECT_EQ(box.style, ui::vbOKOnly + ui::vbCritical);
    EXPECT_EQ(box.effectiveTitle, "Tecnavo");
    comeDopoUnRifiuto("Esegui Verifica");
    EXPECT_EQ(giunto()->alfa(), 30.0f); // written before the fault, and kept

    scrivi(w->txtMatAsta, "20");
    ui.clear();
    premiVerifica();
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(report().toStdString(), kReportCatena.toStdString());
}

TEST_F(Verifica, ValueBeyondSingleRangeIsAnOverflowNotAnInfinity) {
    apri(0);
    // Each side a single, their product (the area) beyond the range.
    digita(Con(Con(kCatena, 2, &AstaTesti::B, "1e20"), 2, &AstaTesti::H, "1e20"));
    ui.clear();
    premiVerifica();
    ASSERT_EQ(ui.msgBoxes().size(), 1u);
    EXPECT_EQ(ui.msgBoxes()[0].prompt, QStringLiteral("Errore di run-time '6':\n\nOverflow"));
    comeDopoUnRifiuto("Esegui Verifica");
    EXPECT_EQ(giunto()->Asta()->Count(), 1); // the tie beam went in before the rafter failed

    scrivi(w->txtBAsta[2], "16");
    scrivi(w->txtHAsta[2], "20");
    premiVerifica();
    EXPECT_EQ(report().toStdString(), kReportCatena.toStdString());
    EXPECT_EQ(giunto()->Asta()->Count(), 2);
}

// ---------------------------------------------------------------- verdicts and edge cases

TEST_F(Verifica, StressEqualToItsStrengthFailsAndAReportIsRebuiltWhole) {
    apri(0);
    digita(kCatena);
    premiVerifica();
    auto g = giunto();
    g->tens1(g->fd1());
    g->tens2(g->fd2());
    g->tau(asta(1)->Res_Fvd());
    g->tens3(asta(1)->Res_Fc90d());
    g->F1(1234567.0f); // 1234,57 kN: wider than its field, written whole
    w->CreaRelVerNodi(w->RichTextBox1);
    w->CreaRelVerNodi(w->RichTextBox1);
    const QString r = report();
    EXPECT_EQ(r.count(" VERIFICA NODO N.1\n"), 1);
    EXPECT_TRUE(r.contains(QString::fromUtf8("   8,42 N/mmq  >  fcα1,d  -  NON VERIFICA\n")));
    EXPECT_TRUE(r.contains(QString::fromUtf8("   1,51 N/mmq  >  fcα2,d  -  NON VERIFICA\n")));
    EXPECT_TRUE(r.contains(QString::fromUtf8("τ =   1,60N/mmq  >  fvd -  NON VERIFICA\n")));
    EXPECT_TRUE(r.contains(QString::fromUtf8("σ =   1,50N/mmq  >  fc90d -  NON VERIFICA\n")));
    EXPECT_TRUE(r.contains("F1 = 1234,57 kN\n"));

    // Without a reaction the report ends after the heel block's empty line.
    g->ReazioneY(0);
    w->CreaRelVerNodi(w->RichTextBox1);
    EXPECT_TRUE(report().endsWith(QString::fromUtf8("fvd -  NON VERIFICA\n\n")));
    EXPECT_FALSE(report().contains("Verifica Appoggio"));

    // No service class: the class line ends after its label and kmod prints zero.
    w->Option2[1]->setAutoExclusive(false);
    w->Option2[1]->setChecked(false);
    EXPECT_EQ(w->valKmod(), 0.0f);
    EXPECT_EQ(w->strClasse(), "");
    w->CreaRelVerNodi(w->RichTextBox1);
    EXPECT_TRUE(report().contains("\n Classe di Servizio: \n Kmod= 0,00\n"));

    // A type that is none of the four: the title and the type line alone.
    g->TipoNodo("Nodo qualsiasi");
    w->CreaRelVerNodi(w->RichTextBox1);
    EXPECT_EQ(report(), " VERIFICA NODO N.1\n Tipologia Nodo:          Nodo qualsiasi\n");
}

} // namespace
