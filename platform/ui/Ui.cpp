#include "platform/ui/Ui.h"

#include "platform/basic/Error.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QUrl>

#include <cstdio>

namespace ui {

Backend::~Backend() = default;

QString RigheDelMessaggio(const QString& prompt) {
    // A message box breaks its lines at CR, LF and CR LF alike; Qt breaks only at LF and would
    // draw a lone CR as a blank.
    QString righe = prompt;
    righe.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    righe.replace(QChar(13), QChar(10));
    return righe;
}

namespace {

// The real user interface, on Qt. Without a QApplication (a tool, a benchmark) a message box is
// written to the standard error stream and answers its first button.
class QtBackend : public Backend {
public:
    int msgBox(const QString& prompt, int style, const QString& title) override {
        const int buttons = style & 7;
        auto* app = qobject_cast<QApplication*>(QCoreApplication::instance());
        if (!app) {
            std::fprintf(stderr, "%s: %s\n", (title.isNull() ? AppTitle() : title).toLocal8Bit().constData(), prompt.toLocal8Bit().constData());
            return firstButton(buttons);
        }
        QMessageBox box;
        box.setWindowTitle(title.isNull() ? AppTitle() : title);
        box.setTextFormat(Qt::PlainText);
        box.setText(RigheDelMessaggio(prompt));
        switch (style & 0x70) {
        case vbCritical: box.setIcon(QMessageBox::Critical); break;
        case vbQuestion: box.setIcon(QMessageBox::Question); break;
        case vbExclamation: box.setIcon(QMessageBox::Warning); break;
        case vbInformation: box.setIcon(QMessageBox::Information); break;
        default: box.setIcon(QMessageBox::NoIcon); break;
        }
        struct B { QMessageBox::StandardButton qt; int vb; const char* text; };
        std::vector<B> list;
        switch (buttons) {
        case vbOKCancel: list = {{QMessageBox::Ok, vbOK, "OK"}, {QMessageBox::Cancel, vbCancel, "Annulla"}}; break;
        case vbAbortRetryIgnore:
            list = {{QMessageBox::Abort, vbAbort, "Termina"}, {QMessageBox::Retry, vbRetry, "Riprova"},
                    {QMessageBox::Ignore, vbIgnore, "Ignora"}};
            break;
        case vbYesNoCancel:
            list = {{QMessageBox::Yes, vbYes, "Sì"}, {QMessageBox::No, vbNo, "No"}, {QMessageBox::Cancel, vbCancel, "Annulla"}};
            break;
        case vbYesNo: list = {{QMessageBox::Yes, vbYes, "Sì"}, {QMessageBox::No, vbNo, "No"}}; break;
        case vbRetryCancel: list = {{QMessageBox::Retry, vbRetry, "Riprova"}, {QMessageBox::Cancel, vbCancel, "Annulla"}}; break;
        default: list = {{QMessageBox::Ok, vbOK, "OK"}}; break;
        }
        QMessageBox::StandardButtons sb;
        for (const auto& b : list) sb |= b.qt;
        box.setStandardButtons(sb);
        for (const auto& b : list) box.button(b.qt)->setText(QString::fromUtf8(b.text));
        box.setDefaultButton(list.front().qt);
        // Escape answers Cancel where there is one, else the only button.
        for (const auto& b : list)
            if (b.vb == vbCancel) box.setEscapeButton(b.qt);
        if (list.size() == 1) box.setEscapeButton(list.front().qt);
        // A pending busy pointer must not hide the box's buttons.
        const bool busy = QGuiApplication::overrideCursor() != nullptr;
        if (busy) QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        box.exec();
        if (busy) QGuiApplication::restoreOverrideCursor();
        const auto clicked = box.standardButton(box.clickedButton());
        for (const auto& b : list)
            if (b.qt == clicked) return b.vb;
        return list.size() == 1 ? list.front().vb : vbCancel;
    }

    void beep() override {
        if (qobject_cast<QApplication*>(QCoreApplication::instance())) QApplication::beep();
    }

    void setMousePointer(int pointer) override {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
        while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
        if (pointer == vbHourglass) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }

    void doEvents() override {
        if (QCoreApplication::instance()) QCoreApplication::processEvents();
    }

    long shellExecute(QWidget*, const QString& verb, const QString& file, const QString*, const QString& directory,
                      int) override {
        if (verb != QLatin1String("open")) return 31;
        QUrl url;
        if (file.startsWith(QLatin1String("http")) || file.startsWith(QLatin1String("mailto"))) {
            url = QUrl(file, QUrl::StrictMode);
            if (!url.isValid()) return 2;
        } else {
            QFileInfo fi(QDir(directory), file);
            if (!fi.exists()) return fi.dir().exists() ? 2 : 3;
            if (!fi.isReadable()) return 5;
            url = QUrl::fromLocalFile(fi.absoluteFilePath());
        }
        if (!QDesktopServices::openUrl(url)) return 31; // nothing is associated with it
        return 42;
    }

private:
    static int firstButton(int buttons) {
        switch (buttons) {
        case vbOKCancel: return vbOK;
        case vbAbortRetryIgnore: return vbAbort;
        case vbYesNoCancel:
        case vbYesNo: return vbYes;
        case vbRetryCancel: return vbRetry;
        default: return vbOK;
        }
    }
};

QtBackend& realBackend() {
    static QtBackend b;
    return b;
}
Backend* current = nullptr;
QString appTitle;
int pointerValue = vbDefault;

} // namespace

void SetBackend(Backend* backend) { current = backend; }
Backend& CurrentBackend() { return current ? *current : realBackend(); }

void SetAppTitle(const QString& title) { appTitle = title; }
QString AppTitle() { return appTitle.isNull() ? QCoreApplication::applicationName() : appTitle; }

int MsgBox(const QString& prompt, int style, const QString& title) {
    return CurrentBackend().msgBox(prompt, style, title);
}

void Beep() { CurrentBackend().beep(); }

void SetMousePointer(int pointer) {
    pointerValue = pointer;
    CurrentBackend().setMousePointer(pointer);
}

int MousePointer() { return pointerValue; }

void DoEvents() { CurrentBackend().doEvents(); }

long ShellExecute(QWidget* owner, const QString& verb, const QString& file, const QString* parameters,
                  const QString& directory, int showCommand) {
    return CurrentBackend().shellExecute(owner, verb, file, parameters, directory, showCommand);
}

} // namespace ui
