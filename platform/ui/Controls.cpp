#include "platform/ui/Controls.h"

#include "platform/ui/Twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVariant>
#include <QWidget>

namespace ui {

// ---------------------------------------------------------------- list view

void ListSetupReport(QTreeWidget* list, int columns) {
    list->setColumnCount(columns);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setIndentation(0);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setStretchLastSection(false);
    list->header()->setSectionsMovable(false);
}

void ListClear(QTreeWidget* list) { list->clear(); }

QTreeWidgetItem* ListAddItem(QTreeWidget* list, const QString& text) {
    auto* item = new QTreeWidgetItem(list);
    item->setText(0, text);
    return item;
}

void ListSetSubItem(QTreeWidgetItem* item, const QString& text) { item->setText(1, text); }

int ListCount(const QTreeWidget* list) { return list->topLevelItemCount(); }

QString ListItemText(const QTreeWidget* list, int position) {
    const QTreeWidgetItem* item = list->topLevelItem(position - 1);
    return item ? item->text(0) : QString();
}

QString ListSubItemText(const QTreeWidget* list, int position) {
    const QTreeWidgetItem* item = list->topLevelItem(position - 1);
    return item ? item->text(1) : QString();
}

void ListSetColumnWidthTwips(QTreeWidget* list, int column, double twips) {
    list->setColumnWidth(column, TwipsToPixelsX(twips));
}

double ListColumnWidthTwips(const QTreeWidget* list, int column) {
    return PixelsToTwipsX(list->columnWidth(column));
}

void ListSetToolTip(QTreeWidget* list, const QString& text) { list->setToolTip(text); }

QString ListToolTip(const QTreeWidget* list) { return list->toolTip(); }

// ---------------------------------------------------------------- tabs

int TabCount(const QTabWidget* tabs) { return tabs->count(); }

bool TabVisible(const QTabWidget* tabs, int index) { return tabs->isTabVisible(index); }

void SetTabVisible(QTabWidget* tabs, int index, bool visible) {
    // Hiding the current tab makes Qt pick another one; that is not a selection by the program.
    const QSignalBlocker blocker(tabs);
    tabs->setTabVisible(index, visible);
}

void SetCurrentTab(QTabWidget* tabs, int index) { tabs->setCurrentIndex(index); }

// ---------------------------------------------------------------- rich text

namespace {
const char* const kFont = "capreoRichFont";
const char* const kTextFont = "capreoRichTextFont"; // the last font that is not "Symbol"
const char* const kSize = "capreoRichSize";
const char* const kTitle = "capreoRichTitle";
const char* const kHeading = "capreoRichHeading";

bool isSymbol(const QString& name) { return name.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0; }

QString fontName(const QTextEdit* rich) {
    const QVariant v = rich->property(kFont);
    return v.isValid() ? v.toString() : rich->font().family();
}

QString textFontName(const QTextEdit* rich) {
    const QVariant v = rich->property(kTextFont);
    return v.isValid() ? v.toString() : rich->font().family();
}

double fontSize(const QTextEdit* rich) {
    const QVariant v = rich->property(kSize);
    return v.isValid() ? v.toDouble() : rich->font().pointSizeF();
}

QTextCharFormat currentFormat(const QTextEdit* rich) {
    QTextCharFormat f;
    const QString name = fontName(rich);
    f.setFontFamilies({isSymbol(name) ? textFontName(rich) : name});
    if (fontSize(rich) > 0) f.setFontPointSize(fontSize(rich));
    const bool title = RichTitle(rich);
    const bool heading = RichHeading(rich);
    f.setFontWeight(title || heading ? QFont::Bold : QFont::Normal);
    f.setFontUnderline(heading);
    return f;
}
} // namespace

QChar SymbolToGreek(QChar c) {
    static const char16_t lower[26] = {u'α', u'β', u'χ', u'δ', u'ε', u'φ', u'γ', u'η', u'ι', u'ϕ', u'κ', u'λ', u'μ',
                                       u'ν', u'ο', u'π', u'θ', u'ρ', u'σ', u'τ', u'υ', u'ϖ', u'ω', u'ξ', u'ψ', u'ζ'};
    static const char16_t upper[26] = {u'Α', u'Β', u'Χ', u'Δ', u'Ε', u'Φ', u'Γ', u'Η', u'Ι', u'ϑ', u'Κ', u'Λ', u'Μ',
                                       u'Ν', u'Ο', u'Π', u'Θ', u'Ρ', u'Σ', u'Τ', u'Υ', u'ς', u'Ω', u'Ξ', u'Ψ', u'Ζ'};
    const char16_t u = c.unicode();
    if (u >= u'a' && u <= u'z') return QChar(lower[u - u'a']);
    if (u >= u'A' && u <= u'Z') return QChar(upper[u - u'A']);
    return c;
}

void RichClear(QTextEdit* rich) { rich->document()->clear(); }

void RichSetFontName(QTextEdit* rich, const QString& name) {
    if (!isSymbol(name)) rich->setProperty(kTextFont, name);
    rich->setProperty(kFont, name);
}

void RichSetFontSize(QTextEdit* rich, double points) { rich->setProperty(kSize, points); }

void RichSetTitle(QTextEdit* rich, bool on) { rich->setProperty(kTitle, on); }

void RichSetHeading(QTextEdit* rich, bool on) { rich->setProperty(kHeading, on); }

bool RichTitle(const QTextEdit* rich) { return rich->property(kTitle).toBool(); }

bool RichHeading(const QTextEdit* rich) { return rich->property(kHeading).toBool(); }

void RichAppend(QTextEdit* rich, const QString& text) {
    QString shown = text;
    if (isSymbol(fontName(rich)))
        for (QChar& c : shown) c = SymbolToGreek(c);
    QTextCursor cursor(rich->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(shown, currentFormat(rich));
}

void RichSetText(QTextEdit* rich, const QString& text) {
    RichClear(rich);
    RichAppend(rich, text);
}

// ---------------------------------------------------------------- typed keys and focus

namespace {

class KeyPressFilter : public QObject {
public:
    KeyPressFilter(QObject* owner, std::function<void(int&)> handler)
        : QObject(owner), handler_(std::move(handler)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress || delivering_) return false;
        auto* ke = static_cast<QKeyEvent*>(event);
        int code = 0;
        switch (ke->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: code = 13; break;
        case Qt::Key_Backspace: code = 8; break;
        case Qt::Key_Escape: code = 27; break;
        default: {
            const QString t = ke->text();
            if (t.size() != 1 || t.at(0).unicode() < 32 || t.at(0).unicode() == 127) return false;
            code = t.at(0).unicode();
        }
        }
        const int typed = code;
        QPointer<QObject> target(watched);
        handler_(code);
        if (code == 0) return true;
        if (code == typed || !target) return !target;
        // Deliver the changed character in place of the typed one.
        int key = 0;
        QString text;
        switch (code) {
        case 13: key = Qt::Key_Return; text = QStringLiteral("\r"); break;
        case 8: key = Qt::Key_Backspace; text = QStringLiteral("\b"); break;
        case 27: key = Qt::Key_Escape; text = QString(QChar(27)); break;
        default:
            text = QString(QChar(static_cast<char16_t>(code)));
            key = text.toUpper().at(0).unicode();
        }
        QKeyEvent replaced(QEvent::KeyPress, key, ke->modifiers() & ~Qt::KeypadModifier, text, ke->isAutoRepeat());
        delivering_ = true;
        QCoreApplication::sendEvent(target, &replaced);
        delivering_ = false;
        return true;
    }

private:
    std::function<void(int&)> handler_;
    bool delivering_ = false;
};

class LostFocusFilter : public QObject {
public:
    LostFocusFilter(QObject* owner, std::function<void()> handler) : QObject(owner), handler_(std::move(handler)) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            handler_();
        return false;
    }

private:
    std::function<void()> handler_;
};

} // namespace

void OnKeyPress(QWidget* widget, std::function<void(int& KeyAscii)> handler) {
    widget->installEventFilter(new KeyPressFilter(widget, std::move(handler)));
}

void OnLostFocus(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(new LostFocusFilter(widget, std::move(handler)));
}

void RemoveHooks(QWidget* widget) {
    const QObjectList children = widget->children();
    for (QObject* c : children)
        if (dynamic_cast<KeyPressFilter*>(c) || dynamic_cast<LostFocusFilter*>(c)) delete c;
}

} // namespace ui
