#pragma once
// Runs a block of a test under another locale: Qt's default locale and the C library's together, as a
// desktop's language sets both, and puts back what the process had before.
#include <QByteArray>
#include <QLocale>

namespace testing_support {
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& l);
    ~LocaleGuard();
    LocaleGuard(const LocaleGuard&) = delete;
    LocaleGuard& operator=(const LocaleGuard&) = delete;

    static QLocale english() { return QLocale(QLocale::English, QLocale::UnitedStates); }
    static QLocale italian() { return QLocale(QLocale::Italian, QLocale::Italy); }

private:
    QLocale qtBefore_;
    QByteArray cBefore_;
};
} // namespace testing_support
