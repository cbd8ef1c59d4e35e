#include "platform/ui/Application.h"

#include "platform/ui/Forms.h"
#include "platform/ui/Ui.h"

namespace ui {

Applicazione::Applicazione(int& argc, char** argv) : QApplication(argc, argv) {}
Applicazione::~Applicazione() = default;

bool Applicazione::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // A busy pointer left by the failed handler must not outlive it.
        SetMousePointer(vbDefault);
        MostraEccezioneCorrente();
        return false;
    }
}

} // namespace ui
