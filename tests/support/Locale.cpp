#include "Locale.h"

#include <gtest/gtest.h>

#include <clocale>

namespace testing_support {

LocaleGuard::LocaleGuard(const QLocale& l) : qtBefore_(QLocale()), cBefore_(std::setlocale(LC_ALL, nullptr)) {
    QLocale::setDefault(l);
    // "it_IT" -> "it_IT.UTF-8": the name a Debian desktop exports in LANG.
    const QByteArray name = l.name().toLatin1() + ".UTF-8";
    if (!std::setlocale(LC_ALL, name.constData()))
        ADD_FAILURE() << "the C library has no locale " << name.constData()
                      << ": scripts/deps generates it; without it this test proves nothing";
}

LocaleGuard::~LocaleGuard() {
    QLocale::setDefault(qtBefore_);
    std::setlocale(LC_ALL, cBefore_.constData());
}

} // namespace testing_support
