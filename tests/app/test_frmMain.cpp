// The main window: list of joint types, double-click, menus, background, layout on activation.
#include "AppTestSupport.h"
#include "FindChild.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "app/frmNodi.h"
#include "app/frmNodi_picture.h"
#include "platform/ui/Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTest>
#include <gtest/gtest.h>

using testing_support::ScriptedUi;

namespace {

// The list's own order, and the drawing the joint window shows for each type.
const struct {
    QString testo;
    int disegno;
} kLista[] = {
    {QStringLiteral("Catena Puntone a Dente Semplice"), 0},
    {QStringLiteral("Monaco Saette a Dente Semplice"), 3},
    {QStringLiteral("Puntone Saetta a Dente Semplice"), 1},
    {QStringLiteral("Monaco Puntoni a Dente Semplice"), 2},
};

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        app_testing::AzzeraProgramma();
        ASSERT_TRUE(Main());
        f = MainForm();
        ui.clear();
    }
    void TearDown() override {
        frmMain::ImpostaUscita({});
        app_testing::AzzeraProgramma();
    }
    ScriptedUi ui;
    frmMain* f = nullptr;
};

TEST_F(MainWindow, ListsTheFourJointTypesInItsOwnOrderWithIcons) {
    auto* lista = testing_support::findChild<QListWidget>(f, QStringLiteral("ListView1"));
    ASSERT_TRUE(lista);
    ASSERT_EQ(lista->count(), static_cast<int>(std::size(kLista)));
    for (int i = 0; i < lista->count(); ++i) {
        EXPECT_EQ(lista->item(i)->text(), kLista[i].testo);
        EXPECT_FALSE(lista->item(i)->icon().isNull()) << i;
        EXPECT_FALSE(lista->item(i)->flags() & Qt::ItemIsEditable) << i;
    }
    EXPECT_EQ(lista->viewMode(), QListView::IconMode);
    const auto* label3 = testing_support::findChild<QLabel>(f, QStringLiteral("Label3"));
    ASSERT_TRUE(label3);
    EXPECT_EQ(label3->text(), QStringLiteral("Crea Nodo   [Double Click]"));
}

TEST_F(MainWindow, ThePicturesAreCompiledIn) {
    for (const char* nome : {"nodo0", "nodo1", "nodo2", "nodo3", "scelta", "tipo0", "tipo1", "tipo2", "tipo3",
                             "icona_catena", "icona_saette", "icona_saetta", "icona_puntoni", "logo"})
        EXPECT_TRUE(QFile::exists(QStringLiteral(":/images/%1.svg").arg(QLatin1String(nome)))) << nome;
    const auto* pic2 = testing_support::findChild<QLabel>(f, QStringLiteral("Picture2"));
    ASSERT_TRUE(pic2);
    EXPECT_EQ(pic2->size(), QSize(142, 99));
    EXPECT_FALSE(pic2->pixmap().isNull());
}

TEST_F(MainWindow, RenamingAnItemInPlaceIsRefused) {
    QListWidget* lista = f->ListView1;
    lista->setCurrentRow(0);
    lista->editItem(lista->item(0));
    QTest::keyClick(lista, Qt::Key_F2);
    EXPECT_TRUE(lista->findChildren<QLineEdit*>().isEmpty()) << "an editor opened";
    EXPECT_EQ(lista->item(0)->text(), QStringLiteral("Catena Puntone a Dente Semplice"));
}

TEST_F(MainWindow, DoubleClickWithoutASelectionOnlyBeeps) {
    QListWidget* lista = f->ListView1;
    lista->clearSelection();
    lista->setCurrentItem(nullptr);
    // Well below the four items: an empty place of the list.
    const QPoint vuoto(lista->viewport()->width() / 2, lista->viewport()->height() - 5);
    ASSERT_EQ(lista->itemAt(vuoto), nullptr);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, vuoto);
    EXPECT_GE(ui.beeps(), 1);
    EXPECT_TRUE(f->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(GenVerNodi->Nodi()->Count(), 0);
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(MainWindow, DoubleClickOnAnItemOpensOneMoreJointEachTime) {
    QListWidget* lista = f->ListView1;
    // Every item, the second one twice: each double-click opens a joint of the item's type, in a
    // window set up for that type.
    const int voci[] = {1, 1, 0, 2, 3};
    int n = 0;
    for (const int v : voci) {
        SCOPED_TRACE(kLista[v].testo.toStdString());
        const QPoint centro = lista->visualItemRect(lista->item(v)).center();
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro);
        QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, centro);
        ASSERT_EQ(GenVerNodi->Nodi()->Count(), ++n);
        EXPECT_EQ(GenVerNodi->Nodi()->ItemAs<QOR_TRBNS18::_clsNodo>(n)->TipoNodo(), kLista[v].testo.toStdString());
        ASSERT_TRUE(FormNodo);
        EXPECT_EQ(FormNodo->cmbTipoNodo->currentText(), kLista[v].testo);
        EXPECT_EQ(FormNodo->stkPicture->currentWidget(), FormNodo->PicNodo[kLista[v].disegno]);
    }
    EXPECT_EQ(ui.beeps(), 0);
    EXPECT_EQ(f->mdiArea()->subWindowList().size(), n);
}

TEST_F(MainWindow, ANewJointWithoutTheEngineIsReportedNotFatal) {
    DistruggiOggettiCalcolo();
    QListWidget* lista = f->ListView1;
    const QPoint centro = lista->visualItemRect(lista->item(0)).center();
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, centro);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, centro);
    const auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].prompt.startsWith(QStringLiteral("Errore di run-time '91':"))) << boxes[0].prompt.toStdString();
    EXPECT_EQ(boxes[0].style & 0xF0, ui::vbCritical);
    EXPECT_TRUE(f->mdiArea()->subWindowList().isEmpty());
    EXPECT_TRUE(FormNodo.isNull());
}

TEST_F(MainWindow, MenusStandSideBySideWithoutSubmenus) {
    const QList<QAction*> voci = f->menuBar()->actions();
    ASSERT_EQ(voci.size(), 3);
    const QStringList nomi = {QStringLiteral("mnuMateriali"), QStringLiteral("mnuHelp"), QStringLiteral("mnuEsci")};
    const QStringList testi = {QStringLiteral("Materiali"), QStringLiteral("Help"), QStringLiteral("Esci")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(voci[i]->objectName(), nomi[i]);
        EXPECT_EQ(voci[i]->text(), testi[i]);
        EXPECT_EQ(voci[i]->menu(), nullptr);
        EXPECT_TRUE(voci[i]->isVisible());
        EXPECT_TRUE(voci[i]->isEnabled());
    }
}

TEST_F(MainWindow, HelpOpensThePageShippedBesideTheProgram) {
    // The build places the page and its drawings beside the program, as it places the archive.
    const QString cartella = QCoreApplication::applicationDirPath();
    EXPECT_EQ(IndirizzoHelp(), cartella + QStringLiteral("/guida/Capreo2018.html"));
    QFile pagina(IndirizzoHelp());
    ASSERT_TRUE(pagina.open(QIODevice::ReadOnly)) << IndirizzoHelp().toStdString();
    const QString html = QString::fromUtf8(pagina.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("lang=\"it\"")));
    for (int i = 0; i < 4; ++i) {
        const QString disegno = QStringLiteral("nodo%1.svg").arg(i);
        EXPECT_TRUE(html.contains(QStringLiteral("src=\"") + disegno + QStringLiteral("\""))) << i;
        EXPECT_TRUE(QFile::exists(cartella + QStringLiteral("/guida/") + disegno)) << i;
    }
    for (const char* tipo : {"Catena Puntone a Dente Semplice", "Puntone Saetta a Dente Semplice",
                             "Monaco Puntoni a Dente Semplice", "Monaco Saette a Dente Semplice", "NON VERIFICA",
                             "MaterialiQor.dms", "LignarQOR.DEF"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(tipo))) << tipo;

    f->mnuHelp->trigger();
    std::vector<testing_support::Call> shell;
    for (const auto& c : ui.calls())
        if (c.kind == testing_support::Call::Shell) shell.push_back(c);
    ASSERT_EQ(shell.size(), 1u);
    EXPECT_EQ(shell[0].prompt, IndirizzoHelp());
    EXPECT_EQ(shell[0].verb, QStringLiteral("open"));
    EXPECT_EQ(shell[0].directory, cartella);
    EXPECT_EQ(shell[0].style, 5);
    EXPECT_TRUE(ui.msgBoxes().empty());
    EXPECT_EQ(ui.beeps(), 0);
}

TEST_F(MainWindow, EsciEndsAtOnceWithoutTheUnloadStep) {
    int uscite = 0;
    frmMain::ImpostaUscita([&] { ++uscite; });
    auto voce = f->mnuEsci;
    voce->trigger();
    EXPECT_EQ(uscite, 1);
    EXPECT_TRUE(GenVerNodi) << "the engine objects are not released one by one";
    EXPECT_TRUE(f->isVisible());
    EXPECT_TRUE(ui.msgBoxes().empty());
}

TEST_F(MainWindow, TheBackgroundPrintsItsNineLines) {
    const auto& righe = f->RigheSfondo();
    ASSERT_EQ(righe.size(), 9);
    const QString titolo = QStringLiteral("VERIFICA STATI LIMITE - Unioni in Legno");
    const QString descrizione = QStringLiteral(
        "Software di calcolo delle Unioni in Legno con il metodo di verifica della sicurezza agli stati limite.");
    const struct {
        QString testo;
        double y;
    } attese[] = {
        {titolo, 300},
        {titolo, 320},
        {QStringLiteral(" Vers.2018.0"), 620},
        {descrizione, 1420},
        {descrizione, 1435},
        {QStringLiteral("D.M. 17/01/2018 Aggiornamento \"Norme Tecniche per le Costruzioni\""), 1935},
        {QStringLiteral("Verifica a Compressione Inclinata rispetto le fibrature"), 2535},
        {QStringLiteral("Verifica a Taglio - tallone"), 2785},
        {QStringLiteral("Verifica Appoggio - Compressione Perpendicolare alla fibratura"), 3035},
    };
    const double xAttese[] = {200, 220, -1, 200, 215, 200, 200, 200, 200};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(righe[i].testo, attese[i].testo) << i + 1;
        EXPECT_EQ(righe[i].y, attese[i].y) << i + 1;
        if (xAttese[i] >= 0) {
            EXPECT_EQ(righe[i].x, xAttese[i]) << i + 1;
        }
    }
    // The version stands right of the title: 220 + the title's printed width + 200.
    QFont font(QStringLiteral("Times New Roman"), 30);
    font.setBold(true);
    QPixmap misura(1, 1);
    const double larghezza = ui::PixelsToTwipsX(QFontMetrics(font, &misura).horizontalAdvance(titolo));
    EXPECT_NEAR(righe[2].x, 220 + larghezza + 200, 0.5);
    EXPECT_GT(righe[2].x, 3000);

    // What is printed is the MDI area's background: the title's black shows at its place.
    const QImage sfondo = f->mdiArea()->background().textureImage();
    ASSERT_FALSE(sfondo.isNull());
    bool nero = false;
    const int y0 = ui::TwipsToPixelsY(300), x0 = ui::TwipsToPixelsX(200);
    for (int y = y0; y < y0 + 40 && !nero; ++y)
        for (int x = x0; x < x0 + 200 && !nero; ++x) nero = sfondo.pixelColor(x, y) == QColor(0, 0, 0);
    EXPECT_TRUE(nero);
}

TEST_F(MainWindow, ActivationLaysOutAgainUnlessMinimized) {
    QLabel* pic2 = f->Picture2;
    const QPoint disposta = pic2->pos();
    ASSERT_NE(disposta, QPoint(0, 0));
    const int pw = f->picNewNodo->width();
    EXPECT_EQ(disposta.x(), (pw - 142) / 2);

    // Moved away, it stays put on an activation while the window is minimized...
    pic2->move(0, 0);
    f->setWindowState(Qt::WindowMinimized);
    QEvent attiva(QEvent::WindowActivate);
    QApplication::sendEvent(f, &attiva);
    EXPECT_EQ(pic2->pos(), QPoint(0, 0));

    // ...and comes back at the next activation in a normal state.
    f->setWindowState(Qt::WindowMaximized);
    QApplication::sendEvent(f, &attiva);
    EXPECT_EQ(pic2->x(), (f->picNewNodo->width() - 142) / 2);
    EXPECT_EQ(pic2->y(), static_cast<int>(f->picNewNodo->height() - 1.1 * 99));
    EXPECT_EQ(f->ListView1->y(), ui::TwipsToPixelsY(240));
}

} // namespace
