#pragma once
// Where the materials windows open. The program hands down the area of its main window, in which
// the list and the cards open as child windows; with none set (tests, tools) they open as windows
// of their own.
class QMdiArea;
class QWidget;

namespace materials {

void ImpostaAreaFinestre(QMdiArea* area);
QMdiArea* AreaFinestre();

// Shows the window modeless in the area (or on its own) and brings it to the front. A window that
// closes itself takes its frame along. Showing it again only brings it to the front.
void MostraFinestra(QWidget* finestra);

} // namespace materials
