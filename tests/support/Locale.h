#pragma once
// Runs a block of a test under another locale and restores Italian afterwards.
#include <QLocale>

namespace testing_support {
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l) { QLocale::setDefault(l); }
    ~LocaleGuard() { QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); }
    static QLocale english() { return QLocale(QLocale::English, QLocale::UnitedStates); }
    static QLocale italian() { return QLocale(QLocale::Italian, QLocale::Italy); }
};
} // namespace testing_support
