#pragma once
// The modal and global side of the user interface: message boxes, the beep, the mouse pointer,
// one yield to the message loop and the shell's "open" verb. Every call goes through one seam, the
// Backend: real (Qt) by default, scripted in tests, so that nothing modal ever blocks a test.
#include <QString>

class QWidget;

namespace ui {

// Buttons and icon of a message box (added together), and the button pressed.
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4, vbRetryCancel = 5,
    vbCritical = 16, vbQuestion = 32, vbExclamation = 48, vbInformation = 64,
};
enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Mouse pointer values.
enum MousePointerValue : int { vbDefault = 0, vbHourglass = 11 };

class Backend {
public:
    virtual ~Backend();
    // title is null when the box has no title of its own: it then shows AppTitle().
    virtual int msgBox(const QString& prompt, int style, const QString& title) = 0;
    virtual void beep() = 0;
    virtual void setMousePointer(int pointer) = 0;
    virtual void doEvents() = 0;
    // The shell's "open" verb: a result above 32 is success, 32 or less one of the shell's error
    // codes. A failure of the call itself raises platform::Error.
    virtual long shellExecute(QWidget* owner, const QString& verb, const QString& file,
                              const QString* parameters, const QString& directory, int showCommand) = 0;
};

// Replaces the backend (nullptr restores the real one). The caller keeps ownership.
void SetBackend(Backend* backend);
Backend& CurrentBackend();

// The title a message box takes when it has none of its own: the program's ("Tecnavo").
void SetAppTitle(const QString& title);
QString AppTitle();

// The lines a message box shows for its text: CR, LF and CR LF each end a line.
QString RigheDelMessaggio(const QString& prompt);

// A null title means "no title of its own".
int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
void Beep();
void SetMousePointer(int pointer);
int MousePointer();
void DoEvents();
long ShellExecute(QWidget* owner, const QString& verb, const QString& file, const QString* parameters,
                  const QString& directory, int showCommand);

} // namespace ui
