#pragma once
// The application object of the program and of its tests. It is the last resort against an
// exception that escapes an event handler: Qt would end the process, here the error is shown in
// the program's error box and the event loop goes on. Every handler still handles its own errors.
#include <QApplication>

namespace ui {

class Applicazione : public QApplication {
    Q_OBJECT
public:
    Applicazione(int& argc, char** argv);
    ~Applicazione() override;

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace ui
