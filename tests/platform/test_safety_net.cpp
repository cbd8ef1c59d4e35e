// The last resort of the application object: an exception that escapes an event handler is shown
// in the program's error box, and the program goes on answering.
#include "ScriptedUi.h"
#include "platform/basic/Error.h"
#include "platform/ui/Ui.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

TEST(SafetyNet, AnEscapingExceptionIsShownAndTheWindowStillAnswers) {
    testing_support::ScriptedUi ui;
    QWidget w;
    auto* layout = new QVBoxLayout(&w);
    auto* failing = new QPushButton(QStringLiteral("guasto"), &w);
    auto* box = new QLineEdit(&w);
    layout->addWidget(failing);
    layout->addWidget(box);
    int lancio = 0;
    QObject::connect(failing, &QPushButton::clicked, [&] {
        ++lancio;
        ui::SetMousePointer(ui::vbHourglass);
        if (lancio == 1) platform::Raise(platform::err::DivisionByZero);
        if (lancio == 2) throw std::bad_alloc();
        throw std::runtime_error("");
    });
    w.show();

    QTest::mouseClick(failing, Qt::LeftButton);
    QTest::mouseClick(failing, Qt::LeftButton);
    QTest::keyClick(failing, Qt::Key_Space); // the keyboard road too
    ASSERT_EQ(lancio, 3);
    const auto boxes = ui.msgBoxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].prompt, QStringLiteral("Errore di run-time '11':\n\nDivisione per zero"));
    EXPECT_EQ(boxes[1].prompt, QStringLiteral("Errore di run-time '7':\n\nMemoria esaurita"));
    EXPECT_EQ(boxes[2].prompt, QStringLiteral("Errore di run-time '5':\n\nChiamata di routine o argomento non validi"));
    for (const auto& b : boxes) {
        EXPECT_EQ(b.style, ui::vbOKOnly + ui::vbCritical);
        EXPECT_EQ(b.effectiveTitle, QStringLiteral("Tecnavo"));
    }
    EXPECT_EQ(ui::MousePointer(), ui::vbDefault); // the failed handler's hourglass is gone

    // The window still answers: typing reaches the box, the button can be pressed again.
    box->setFocus();
    QTest::keyClicks(box, QStringLiteral("12"));
    EXPECT_EQ(box->text(), QStringLiteral("12"));
    QTest::mouseClick(failing, Qt::LeftButton);
    EXPECT_EQ(lancio, 4);
    EXPECT_FALSE(failing->isDown());
}
