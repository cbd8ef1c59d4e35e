// File search, copy, settings store and the message-box seam.
#include "ScriptedUi.h"
#include "platform/basic/Error.h"
#include "platform/ui/Files.h"
#include "platform/ui/Settings.h"
#include "platform/ui/Ui.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

TEST(Files, DirFindsOrdinaryFilesOnly) {
    QTemporaryDir dir;
    writeFile(dir.filePath("a.dms"), "x");
    writeFile(dir.filePath(".hidden"), "x");
    QDir(dir.path()).mkdir("folder");
    EXPECT_EQ(files::Dir(dir.filePath("a.dms")), "a.dms");
    EXPECT_EQ(files::Dir(dir.filePath(".hidden")), "");
    EXPECT_EQ(files::Dir(dir.filePath("folder")), "");
    EXPECT_EQ(files::Dir(dir.filePath("missing")), "");
    EXPECT_EQ(files::Dir(""), "");
}

TEST(Files, CopyReplacesAndReportsFailures) {
    QTemporaryDir dir;
    writeFile(dir.filePath("src"), "materials");
    files::FileCopy(dir.filePath("src"), dir.filePath("sub/dst"));
    QFile dst(dir.filePath("sub/dst"));
    ASSERT_TRUE(dst.open(QIODevice::ReadOnly));
    EXPECT_EQ(dst.readAll(), "materials");
    try {
        files::FileCopy(dir.filePath("missing"), dir.filePath("dst2"));
        FAIL() << "copy of a missing file succeeded";
    } catch (const platform::Error& e) {
        EXPECT_FALSE(e.description().empty());
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("dst2")));
}

TEST(Files, AppPathOverride) {
    const QString real = files::AppPath();
    files::SetAppPathOverride("/x/y/");
    EXPECT_EQ(files::AppPath(), "/x/y");
    files::SetAppPathOverride("");
    EXPECT_EQ(files::AppPath(), real);
}

TEST(Settings, RoundTripAndDefaults) {
    EXPECT_EQ(settings::GetSetting("Tecnavo", "Prova", "Top", "def"), "def");
    settings::SaveSetting("Tecnavo", "Prova", "Top", "1234,5");
    EXPECT_EQ(settings::GetSetting("Tecnavo", "Prova", "Top"), "1234,5");
    settings::DeleteSetting("Tecnavo", "Prova", "Top");
    EXPECT_EQ(settings::GetSetting("Tecnavo", "Prova", "Top", ""), "");
}

TEST(MsgBoxSeam, RecordsAndAnswersFromScript) {
    testing_support::ScriptedUi script;
    script.answer(ui::vbNo);
    ui::Beep();
    EXPECT_EQ(ui::MsgBox("Salvare?", ui::vbYesNoCancel + ui::vbInformation, "Scheda Legno"), ui::vbNo);
    EXPECT_EQ(ui::MsgBox("Testo"), ui::vbOK);
    ASSERT_EQ(script.msgBoxes().size(), 2u);
    EXPECT_EQ(script.beeps(), 1);
    EXPECT_EQ(script.calls()[0].kind, testing_support::Call::Beep);
    EXPECT_EQ(script.msgBoxes()[0].title, "Scheda Legno");
    EXPECT_TRUE(script.msgBoxes()[1].title.isNull());
    EXPECT_EQ(script.msgBoxes()[1].effectiveTitle, "Tecnavo");
    ui::SetMousePointer(ui::vbHourglass);
    EXPECT_EQ(ui::MousePointer(), ui::vbHourglass);
    ui::SetMousePointer(ui::vbDefault);
    EXPECT_EQ(script.pointer(), ui::vbDefault);
}
