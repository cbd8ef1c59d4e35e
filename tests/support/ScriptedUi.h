#pragma once
// The test double of the user-interface seam: records every message box, beep, pointer change,
// yield and shell call, and answers message boxes and shell calls from a script.
#include "platform/ui/Ui.h"

#include <QString>
#include <deque>
#include <functional>
#include <vector>

namespace testing_support {

struct Call {
    enum Kind { MsgBox, Beep, MousePointer, DoEvents, Shell } kind;
    QString prompt;     // message text, or the shell's file
    int style = 0;      // buttons + icon, pointer value, or shell show command
    QString title;      // null when the box had no title of its own (the real one then shows AppTitle)
    QString effectiveTitle; // the title the box showed
    QString verb;       // shell only
    QString directory;  // shell only
};

class ScriptedUi : public ui::Backend {
public:
    ScriptedUi();            // installs itself
    ~ScriptedUi() override;  // restores the real backend

    // Answers of the next message boxes, in order; without one a box answers its first button.
    void answer(int result) { answers_.push_back(result); }
    // Result of the next shell calls; without one the shell answers 42 (success).
    void shellResult(long result) { shellResults_.push_back(result); }
    // The next shell call raises platform::Error with this description.
    void shellFails(const QString& description) { shellFailures_.push_back(description); }
    // Runs inside the next message box (for example to check the state a window is in meanwhile).
    void onMsgBox(std::function<void(const Call&)> f) { onMsgBox_ = std::move(f); }

    const std::vector<Call>& calls() const { return calls_; }
    std::vector<Call> msgBoxes() const;
    int beeps() const;
    void clear() { calls_.clear(); }
    int pointer() const { return pointer_; }

    int msgBox(const QString& prompt, int style, const QString& title) override;
    void beep() override;
    void setMousePointer(int pointer) override;
    void doEvents() override;
    long shellExecute(QWidget* owner, const QString& verb, const QString& file, const QString* parameters,
                      const QString& directory, int showCommand) override;

private:
    std::vector<Call> calls_;
    std::deque<int> answers_;
    std::deque<long> shellResults_;
    std::deque<QString> shellFailures_;
    std::function<void(const Call&)> onMsgBox_;
    int pointer_ = 0;
};

} // namespace testing_support
