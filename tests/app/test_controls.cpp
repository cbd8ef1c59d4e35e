// The window-control helpers: list view, tabs, rich text and the typed-key hook.
#include "platform/ui/Controls.h"
#include "platform/ui/Twips.h"

#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Controls, ListViewKeepsItemsSubItemsWidthsAndToolTip) {
    QTreeWidget list;
    ui::ListSetupReport(&list, 2);
    EXPECT_EQ(ui::ListCount(&list), 0);
    EXPECT_EQ(ui::ListItemText(&list, 1), QString()); // a position the list lacks reads as ""
    ui::ListSetSubItem(ui::ListAddItem(&list, "N°"), "12");
    ui::ListAddItem(&list, "Descrizione");
    EXPECT_EQ(ui::ListCount(&list), 2);
    EXPECT_EQ(ui::ListItemText(&list, 1), "N°");
    EXPECT_EQ(ui::ListSubItemText(&list, 1), "12");
    EXPECT_EQ(ui::ListItemText(&list, 2), "Descrizione"); // added at the end
    EXPECT_EQ(ui::ListSubItemText(&list, 2), QString());
    EXPECT_EQ(ui::ListSubItemText(&list, 3), QString());

    ui::ListSetColumnWidthTwips(&list, 0, 900);
    ui::ListSetColumnWidthTwips(&list, 1, 2100);
    EXPECT_EQ(list.columnWidth(0), ui::TwipsToPixelsX(900));
    EXPECT_EQ(list.columnWidth(1), ui::TwipsToPixelsX(2100));
    EXPECT_NEAR(ui::ListColumnWidthTwips(&list, 1), 2100, 15 + 1);

    ui::ListSetToolTip(&list, "Materiale N. 12) Abete");
    EXPECT_EQ(ui::ListToolTip(&list), "Materiale N. 12) Abete");
    ui::ListClear(&list);
    EXPECT_EQ(ui::ListCount(&list), 0);
}

struct TabsFixture : ::testing::Test {
    QTabWidget tabs;
    std::vector<int> changes;
    void SetUp() override {
        for (int i = 0; i < 4; ++i) tabs.addTab(new QWidget, QString::number(i + 1));
        QObject::connect(&tabs, &QTabWidget::currentChanged, [this](int i) { changes.push_back(i); });
    }
};

TEST_F(TabsFixture, SelectingAnotherTabRaisesTheChangeAtOnceAndTheSameTabNothing) {
    ui::SetCurrentTab(&tabs, 2);
    ASSERT_EQ(changes, std::vector<int>{2}); // inside the call, before it returns
    ui::SetCurrentTab(&tabs, 2);
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(ui::TabCount(&tabs), 4);
}

TEST_F(TabsFixture, HidingTabsChangesVisibilityWithoutRaisingTheChange) {
    ui::SetCurrentTab(&tabs, 3);
    changes.clear();
    ui::SetTabVisible(&tabs, 3, false); // the current one
    ui::SetTabVisible(&tabs, 2, false);
    EXPECT_FALSE(ui::TabVisible(&tabs, 3));
    EXPECT_FALSE(ui::TabVisible(&tabs, 2));
    EXPECT_TRUE(ui::TabVisible(&tabs, 0));
    EXPECT_TRUE(changes.empty());
    ui::SetTabVisible(&tabs, 3, true);
    EXPECT_TRUE(ui::TabVisible(&tabs, 3));
}

// The format of the character at position pos of the document (0-based).
QTextCharFormat formatAt(QTextEdit& rich, int pos) {
    QTextCursor c(rich.document());
    c.setPosition(pos + 1);
    return c.charFormat();
}

TEST(Controls, RichTextAppendsPiecesEachInTheFormatSetBeforeIt) {
    QTextEdit rich;
    rich.setPlainText("vecchio");
    ui::RichClear(&rich);
    EXPECT_EQ(rich.toPlainText(), QString());

    ui::RichSetFontName(&rich, "Times New Roman");
    ui::RichSetFontSize(&rich, 12);
    ui::RichSetTitle(&rich, true);
    ui::RichAppend(&rich, "T\n");
    ui::RichSetTitle(&rich, false);
    ui::RichSetFontName(&rich, "Courier New");
    ui::RichSetFontSize(&rich, 8);
    ui::RichAppend(&rich, "b");
    ui::RichSetHeading(&rich, true);
    ui::RichAppend(&rich, "H");
    ui::RichSetHeading(&rich, false);
    ui::RichSetFontName(&rich, "Symbol");
    ui::RichAppend(&rich, "astg");
    ui::RichSetFontName(&rich, "Courier New");
    ui::RichAppend(&rich, "a\n");

    EXPECT_EQ(rich.toPlainText(), QString::fromUtf8("T\nbHαστγa\n"));
    const QTextCharFormat title = formatAt(rich, 0);
    const QTextCharFormat body = formatAt(rich, 2);
    const QTextCharFormat heading = formatAt(rich, 3);
    const QTextCharFormat greek = formatAt(rich, 4);
    EXPECT_EQ(title.fontFamilies().toStringList().value(0), "Times New Roman");
    EXPECT_DOUBLE_EQ(title.fontPointSize(), 12);
    EXPECT_EQ(title.fontWeight(), QFont::Bold);
    EXPECT_FALSE(title.fontUnderline());
    EXPECT_EQ(body.fontFamilies().toStringList().value(0), "Courier New");
    EXPECT_DOUBLE_EQ(body.fontPointSize(), 8);
    EXPECT_EQ(body.fontWeight(), QFont::Normal);
    EXPECT_FALSE(body.fontUnderline());
    // Title and heading are told apart: only the heading is underlined.
    EXPECT_TRUE(heading.fontUnderline());
    EXPECT_DOUBLE_EQ(greek.fontPointSize(), 8);
    EXPECT_FALSE(greek.fontUnderline());
    EXPECT_EQ(ui::SymbolToGreek('1'), QChar('1'));

    ui::RichSetText(&rich, "Esegui Verifica");
    EXPECT_EQ(rich.toPlainText(), "Esegui Verifica");
}

struct KeyHookFixture : ::testing::Test {
    QLineEdit box;
    std::vector<int> seen;
};

TEST_F(KeyHookFixture, HandlerChangesOrDropsTypedCharacters) {
    ui::OnKeyPress(&box, [this](int& k) {
        seen.push_back(k);
        if (k == '.') k = ',';
        if (k == 'x') k = 0;
    });
    QTest::keyClicks(&box, "2.5x7");
    EXPECT_EQ(box.text(), "2,57");
    EXPECT_EQ(seen, (std::vector<int>{'2', '.', '5', 'x', '7'}));

    ui::RemoveHooks(&box);
    QTest::keyClicks(&box, ".x");
    EXPECT_EQ(box.text(), "2,57.x");
    EXPECT_EQ(seen.size(), 5u);
}

TEST_F(KeyHookFixture, EnterBackspaceReachTheHandlerArrowsDoNot) {
    ui::OnKeyPress(&box, [this](int& k) { seen.push_back(k); });
    box.setText("ab");
    QTest::keyClick(&box, Qt::Key_Return);
    QTest::keyClick(&box, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&box, Qt::Key_Left);
    QTest::keyClick(&box, Qt::Key_Backspace);
    EXPECT_EQ(seen, (std::vector<int>{13, 13, 8}));
    EXPECT_EQ(box.text(), "b"); // the left arrow moved the cursor, Backspace still worked
}

} // namespace
