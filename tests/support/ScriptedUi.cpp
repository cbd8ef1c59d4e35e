#include "ScriptedUi.h"

#include "platform/basic/Error.h"

namespace testing_support {

ScriptedUi::ScriptedUi() { ui::SetBackend(this); }
ScriptedUi::~ScriptedUi() { ui::SetBackend(nullptr); }

std::vector<Call> ScriptedUi::msgBoxes() const {
    std::vector<Call> out;
    for (const auto& c : calls_)
        if (c.kind == Call::MsgBox) out.push_back(c);
    return out;
}

int ScriptedUi::beeps() const {
    int n = 0;
    for (const auto& c : calls_) n += c.kind == Call::Beep;
    return n;
}

int ScriptedUi::msgBox(const QString& prompt, int style, const QString& title) {
    Call c{Call::MsgBox, prompt, style, title, title.isNull() ? ui::AppTitle() : title, {}, {}};
    calls_.push_back(c);
    if (onMsgBox_) {
        auto f = std::move(onMsgBox_);
        onMsgBox_ = nullptr;
        f(c);
    }
    if (!answers_.empty()) {
        int r = answers_.front();
        answers_.pop_front();
        return r;
    }
    switch (style & 7) {
    case ui::vbOKCancel: return ui::vbOK;
    case ui::vbAbortRetryIgnore: return ui::vbAbort;
    case ui::vbYesNoCancel:
    case ui::vbYesNo: return ui::vbYes;
    case ui::vbRetryCancel: return ui::vbRetry;
    default: return ui::vbOK;
    }
}

void ScriptedUi::beep() { calls_.push_back({Call::Beep, {}, 0, {}, {}, {}, {}}); }

void ScriptedUi::setMousePointer(int pointer) {
    pointer_ = pointer;
    calls_.push_back({Call::MousePointer, {}, pointer, {}, {}, {}, {}});
}

void ScriptedUi::doEvents() { calls_.push_back({Call::DoEvents, {}, 0, {}, {}, {}, {}}); }

long ScriptedUi::shellExecute(QWidget*, const QString& verb, const QString& file, const QString*,
                              const QString& directory, int showCommand) {
    calls_.push_back({Call::Shell, file, showCommand, {}, {}, verb, directory});
    if (!shellFailures_.empty()) {
        QString d = shellFailures_.front();
        shellFailures_.pop_front();
        throw platform::Error(453, d.toStdString());
    }
    if (!shellResults_.empty()) {
        long r = shellResults_.front();
        shellResults_.pop_front();
        return r;
    }
    return 42;
}

} // namespace testing_support
