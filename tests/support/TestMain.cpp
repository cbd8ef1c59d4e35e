// The one main of every test executable: a named application, quiet logging, the offscreen platform,
// and settings and data folders of its own so that no test touches the user's. The locale is the
// environment's, as for the program (QApplication hands LANG to the C library too): a test that needs
// Italian or English says so with a LocaleGuard.
#include <QApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/ui/Application.h"
#include "platform/ui/Ui.h"

#include <cstdlib>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toLocal8Bit());
    QLoggingCategory::setFilterRules("*.debug=false\nqt.*=false");
    ui::Applicazione app(argc, argv); // with the program's last-resort error box
    QCoreApplication::setOrganizationName("Tecnavo");
    QCoreApplication::setApplicationName("Capreo2018");
    ui::SetAppTitle("Tecnavo");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
