#include "platform/ui/Twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ui {
namespace {
double dpiX() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* s = QGuiApplication::primaryScreen()) return s->logicalDotsPerInchX();
    return 96.0;
}
double dpiY() {
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        if (QScreen* s = QGuiApplication::primaryScreen()) return s->logicalDotsPerInchY();
    return 96.0;
}
} // namespace

int TwipsToPixelsX(double twips) { return static_cast<int>(std::lround(twips * dpiX() / 1440.0)); }
int TwipsToPixelsY(double twips) { return static_cast<int>(std::lround(twips * dpiY() / 1440.0)); }
double PixelsToTwipsX(int pixels) { return pixels * 1440.0 / dpiX(); }
double PixelsToTwipsY(int pixels) { return pixels * 1440.0 / dpiY(); }
} // namespace ui
