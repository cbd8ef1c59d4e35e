#pragma once
// What the application-shell tests share: a clean program state before and after each test.
#include "app/ModuloCapreo.h"
#include "app/frmMain.h"
#include "platform/ui/Files.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

namespace app_testing {

// Closes whatever the last test left open and drops the program-wide objects, so that every test
// starts as the program does.
inline void AzzeraProgramma() {
    // Deleting a window deletes its own top-level children too (menus, pop-ups): collect first.
    QList<QPointer<frmMain>> finestre;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<frmMain*>(w)) finestre << f;
    for (const QPointer<frmMain>& f : finestre) delete f.data();
    DistruggiOggettiCalcolo();
    QApplication::processEvents();
}

// Points the program's folder elsewhere for the length of a scope.
class CartellaProgramma {
public:
    explicit CartellaProgramma(const QString& cartella) { files::SetAppPathOverride(cartella); }
    ~CartellaProgramma() { files::SetAppPathOverride(QString()); }
    CartellaProgramma(const CartellaProgramma&) = delete;
    CartellaProgramma& operator=(const CartellaProgramma&) = delete;
};

} // namespace app_testing
