// Capreo2018: verification of step-notch joints of timber roof trusses.
#include "app/ModuloCapreo.h"
#include "platform/ui/Application.h"
#include "platform/ui/Ui.h"

#include <QFile>

int main(int argc, char** argv) {
    ui::Applicazione app(argc, argv);
    QCoreApplication::setOrganizationName(QStringLiteral("Tecnavo"));
    QCoreApplication::setApplicationName(QStringLiteral("Capreo2018"));
    ui::SetAppTitle(QStringLiteral("Tecnavo"));
    // The pictures are compiled into the program; without them the windows would be blank.
    if (!QFile::exists(QStringLiteral(":/images/nodo0.svg"))) qWarning("Capreo2018: pictures not found");
    if (!Main()) return 1;
    return QApplication::exec();
}
