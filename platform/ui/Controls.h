#pragma once
// Helpers over the Qt widgets that stand in for the common controls the windows were designed
// with: a list view in report view (QTreeWidget), a tabbed control (QTabWidget), a rich-text box
// that is written piece by piece (QTextEdit) and the typed-key hook of a text box or list.
#include <QString>

#include <functional>

class QObject;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

namespace ui {

// ---- List view in report view: the item's text is column 0, its first sub-item column 1. ----
// Makes a tree widget look and behave like a flat report list with the given number of columns.
void ListSetupReport(QTreeWidget* list, int columns);
void ListClear(QTreeWidget* list);
// Adds an item at the end and returns it.
QTreeWidgetItem* ListAddItem(QTreeWidget* list, const QString& text);
void ListSetSubItem(QTreeWidgetItem* item, const QString& text);
int ListCount(const QTreeWidget* list);
// 1-based positions, as the windows count them; "" for a position the list lacks.
QString ListItemText(const QTreeWidget* list, int position);
QString ListSubItemText(const QTreeWidget* list, int position);
// column is 0-based: 0 = the item's text, 1 = its first sub-item.
void ListSetColumnWidthTwips(QTreeWidget* list, int column, double twips);
double ListColumnWidthTwips(const QTreeWidget* list, int column);
void ListSetToolTip(QTreeWidget* list, const QString& text);
QString ListToolTip(const QTreeWidget* list);

// ---- Tabbed control ----
int TabCount(const QTabWidget* tabs);
bool TabVisible(const QTabWidget* tabs, int index);
// Changes only the tab's visibility: when the current tab is hidden the control moves to another
// tab without raising its change event, so only explicit selections raise it.
void SetTabVisible(QTabWidget* tabs, int index, bool visible);
// Selecting another tab raises the change event at once, inside this call; selecting the current
// tab raises nothing.
void SetCurrentTab(QTabWidget* tabs, int index);

// ---- Rich-text box written piece by piece ----
// The current format (font name, size, title and heading attributes) lives with the box and
// applies to the text appended after it is set. The title attribute shows as bold; the heading
// attribute as bold underlined text. Text in the font "Symbol" shows its Latin letters as the
// Greek letters they stand for (a α, s σ, t τ, g γ ...), in the font in use before it.
void RichClear(QTextEdit* rich);
void RichSetFontName(QTextEdit* rich, const QString& name);
void RichSetFontSize(QTextEdit* rich, double points);
void RichSetTitle(QTextEdit* rich, bool on);
void RichSetHeading(QTextEdit* rich, bool on);
bool RichTitle(const QTextEdit* rich);
bool RichHeading(const QTextEdit* rich);
// Appends at the end with the current format; "\n" starts a new line.
void RichAppend(QTextEdit* rich, const QString& text);
// Replaces the whole content with plain text in the current format.
void RichSetText(QTextEdit* rich, const QString& text);
// The Greek letter a "Symbol" letter stands for (the letter itself when none).
QChar SymbolToGreek(QChar c);

// ---- Typed keys ----
// Before the widget receives a typed character, handler sees its code as KeyAscii (Enter = 13,
// Backspace = 8, Escape = 27, else the character's code) and may change it (the widget then
// receives the new character) or set it to 0 (the key is dropped). Keys that type nothing
// (arrows, function keys, Tab) do not reach the handler. The hook lives as long as the widget.
void OnKeyPress(QWidget* widget, std::function<void(int& KeyAscii)> handler);
// handler runs each time the widget loses the keyboard focus.
void OnLostFocus(QWidget* widget, std::function<void()> handler);
// Removes the hooks above from the widget: a window calls it for its boxes before it is torn
// down, so that no handler runs on a half-destroyed window.
void RemoveHooks(QWidget* widget);

} // namespace ui
