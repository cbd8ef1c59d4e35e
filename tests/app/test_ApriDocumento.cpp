// Opening a document or a web address through the shell, and every message that can follow.
#include "AppTestSupport.h"
#include "ScriptedUi.h"

#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "platform/ui/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

using testing_support::Call;
using testing_support::ScriptedUi;

namespace {

const QChar LF(10);

// Also keeps what the recording double does not: the owner window and the parameters.
class ShellUi : public ScriptedUi {
public:
    long shellExecute(QWidget* owner, const QString& verb, const QString& file, const QString* parameters,
                      const QString& directory, int showCommand) override {
        proprietario = owner;
        conParametri = parameters != nullptr;
        return ScriptedUi::shellExecute(owner, verb, file, parameters, directory, showCommand);
    }
    QWidget* proprietario = nullptr;
    bool conParametri = true;

    int conta(Call::Kind k) const {
        int n = 0;
        for (const auto& c : calls())
            if (c.kind == k) ++n;
        return n;
    }
    QStringList messaggi() const {
        QStringList m;
        for (const auto& c : msgBoxes()) m << c.prompt;
        return m;
    }
};

class ApriDocumentoTest : public ::testing::Test {
protected:
    void SetUp() override { app_testing::AzzeraProgramma(); }
    void TearDown() override {
        // Whatever happened, the pointer is back to the default and the yield ran once.
        EXPECT_EQ(ui.pointer(), ui::vbDefault);
        EXPECT_EQ(ui.conta(Call::DoEvents), 1);
        app_testing::AzzeraProgramma();
    }
    void apri(const QString& documento) {
        QString d = documento;
        ApriDocumento(d);
    }
    ShellUi ui;
};

const QString Indirizzo = QStringLiteral("https://tecnavo.example/doc/guida.xyz");

struct Codice {
    long risultato;
    const char* messaggio; // nullptr: no message
};

TEST_F(ApriDocumentoTest, EachShellResultGivesItsMessage) {
    const Codice tabella[] = {
        {2, "File non trovato."},
        {3, "Percorso non trovato"},
        {5, "Accesso negato"},
        {8, "Memoria insufficiente per aprire il file"},
        {11, "Invalid EXE file or error in EXE image"},
        {26, "A sharing violation occurred"},
        {27, "Incomplete or invalid file association"},
        {28, "DDE Time out"},
        {29, "DDE transaction failed"},
        {30, "DDE busy"},
        {31, "Nessun Programma installato nel PC è dedicato ad aprire file con estensione .XYZ"},
        {32, "DLL not found"},
        {0, "Errore non individuabile nell'apertura del File"},
        {1, "Errore non individuabile nell'apertura del File"},
        {-5, "Errore non individuabile nell'apertura del File"},
        {33, nullptr},
        {42, nullptr},
    };
    for (const auto& c : tabella) {
        ui.clear();
        ui.shellResult(c.risultato);
        // The yield is counted once per call; the fixture checks the last one.
        apri(Indirizzo);
        const QStringList m = ui.messaggi();
        if (c.messaggio) {
            ASSERT_EQ(m.size(), 1) << c.risultato;
            EXPECT_EQ(m[0], QString::fromUtf8(c.messaggio)) << c.risultato;
            EXPECT_EQ(ui.msgBoxes()[0].style, ui::vbOKOnly);
            EXPECT_TRUE(ui.msgBoxes()[0].title.isNull());
        } else {
            EXPECT_TRUE(m.isEmpty()) << c.risultato;
        }
        EXPECT_EQ(ui.beeps(), 0);
        EXPECT_EQ(ui.pointer(), ui::vbDefault) << c.risultato;
    }
}

TEST_F(ApriDocumentoTest, TheShellGetsTheMainWindowTheVerbAndTheProgramFolder) {
    apri(Indirizzo);
    ASSERT_EQ(ui.conta(Call::Shell), 1);
    const auto it = std::find_if(ui.calls().begin(), ui.calls().end(), [](const Call& c) { return c.kind == Call::Shell; });
    EXPECT_EQ(it->prompt, Indirizzo);
    EXPECT_EQ(it->verb, QStringLiteral("open"));
    EXPECT_EQ(it->directory, files::AppPath());
    EXPECT_EQ(it->style, 5);
    EXPECT_FALSE(ui.conParametri);
    EXPECT_EQ(ui.proprietario, MainForm());
    // The hourglass came before the yield, the default pointer after the shell.
    std::vector<Call::Kind> ordine;
    for (const auto& c : ui.calls()) ordine.push_back(c.kind);
    ASSERT_GE(ordine.size(), 4u);
    EXPECT_EQ(ordine.front(), Call::MousePointer);
    EXPECT_EQ(ui.calls().front().style, ui::vbHourglass);
    EXPECT_EQ(ordine[1], Call::DoEvents);
    EXPECT_EQ(ordine.back(), Call::MousePointer);
}

TEST_F(ApriDocumentoTest, MailAddressesGoStraightToTheShell) {
    apri(QStringLiteral("mailto:assistenza@tecnavo.example"));
    EXPECT_EQ(ui.conta(Call::Shell), 1);
    EXPECT_TRUE(ui.messaggi().isEmpty());
}

TEST_F(ApriDocumentoTest, AnUpperCaseSchemeIsALocalFileAndIsReportedMissing) {
    apri(QStringLiteral("HTTP://x"));
    EXPECT_EQ(ui.conta(Call::Shell), 0);
    EXPECT_EQ(ui.beeps(), 1);
    ASSERT_EQ(ui.messaggi().size(), 1);
    EXPECT_EQ(ui.messaggi()[0], QStringLiteral("Il file specificato:") + LF + QStringLiteral("HTTP://x") + LF +
                                    QStringLiteral("Non esiste nell'Archivio Server."));
    EXPECT_EQ(ui.msgBoxes()[0].style, ui::vbOKOnly);
    EXPECT_TRUE(ui.msgBoxes()[0].title.isNull());
}

TEST_F(ApriDocumentoTest, AFolderIsReportedMissing) {
    QTemporaryDir cartella;
    apri(cartella.path());
    EXPECT_EQ(ui.conta(Call::Shell), 0);
    EXPECT_EQ(ui.beeps(), 1);
    ASSERT_EQ(ui.messaggi().size(), 1);
    EXPECT_TRUE(ui.messaggi()[0].contains(cartella.path()));
}

TEST_F(ApriDocumentoTest, AnExistingLocalFileGoesToTheShell) {
    QTemporaryDir cartella;
    const QString file = QDir(cartella.path()).filePath(QStringLiteral("relazione.pd"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    ui.shellResult(31);
    apri(file);
    EXPECT_EQ(ui.conta(Call::Shell), 1);
    ASSERT_EQ(ui.messaggi().size(), 1);
    // A two-letter extension: the last four characters take one before the dot.
    EXPECT_TRUE(ui.messaggi()[0].endsWith(QStringLiteral("estensione E.PD"))) << ui.messaggi()[0].toStdString();
}

TEST_F(ApriDocumentoTest, AFailingShellCallGivesTwoMessagesInARow) {
    ui.shellFails(QStringLiteral("nessun gestore"));
    apri(Indirizzo);
    const QStringList m = ui.messaggi();
    ASSERT_EQ(m.size(), 2);
    EXPECT_EQ(m[0], QStringLiteral("Impossibile aprire il file associato.") + LF +
                        QStringLiteral("Nessun Programma installato in Windows è in grado di aprire il file suddetto."));
    EXPECT_EQ(m[1], QStringLiteral("Errore non individuabile nell'apertura del File"));
}

TEST_F(ApriDocumentoTest, AnEmptyArgumentIsAMissingFile) {
    apri(QString());
    EXPECT_EQ(ui.conta(Call::Shell), 0);
    EXPECT_EQ(ui.messaggi().size(), 1);
}

} // namespace
