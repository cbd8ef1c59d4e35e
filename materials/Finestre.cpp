#include "materials/Finestre.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QWidget>

namespace materials {

namespace {
QPointer<QMdiArea> area_;
} // namespace

void ImpostaAreaFinestre(QMdiArea* area) { area_ = area; }
QMdiArea* AreaFinestre() { return area_; }

void MostraFinestra(QWidget* finestra) {
    if (!finestra) return;
    QMdiSubWindow* cornice = qobject_cast<QMdiSubWindow*>(finestra->parentWidget());
    if (!cornice && area_) {
        cornice = area_->addSubWindow(finestra);
        // A window that closes itself takes its frame along instead of leaving it empty. Queued:
        // when the frame is the one closing, it is gone by then and nothing happens.
        QObject::connect(finestra, &QObject::destroyed, cornice, &QMdiSubWindow::close, Qt::QueuedConnection);
    }
    if (cornice) {
        cornice->show();
        finestra->show();
        if (area_) area_->setActiveSubWindow(cornice);
        cornice->raise();
    } else {
        finestra->show();
        finestra->raise();
        finestra->activateWindow();
    }
}

} // namespace materials
