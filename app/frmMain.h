#pragma once
// The main window: the multi-document parent of the joint windows. It draws a fixed background of
// title texts, offers the four joint types as a list of icons (a double-click opens a new joint),
// and its menu opens the materials list or the help page, or ends the program. Closing it
// releases the engine objects.
#include <QIcon>
#include <QMainWindow>
#include <QPixmap>
#include <QString>
#include <QVector>
#include <functional>

class QAction;
class QDockWidget;
class QLabel;
class QListWidget;
class QMdiArea;

class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // The area that holds the joint windows; its background is the printed image of Picture6.
    QMdiArea* mdiArea() const { return MDIClient; }

    // "Esci" ends the process at once, with no closing steps. Tests replace the ending so that
    // the test runner survives; an empty function restores the real one.
    static void ImpostaUscita(std::function<void()> uscita);

    // Controls under their design names.
    QDockWidget* dockNewNodo = nullptr; // keeps picNewNodo docked to the left edge
    QWidget* picNewNodo = nullptr;
    QLabel* Label3 = nullptr;
    QListWidget* ListView1 = nullptr;
    QLabel* Picture2 = nullptr;
    QLabel* Picture6 = nullptr;         // never visible: the drawing surface of the background
    QVector<QIcon> ImgLstTravix;        // the list's large icons, by 1-based position - 1
    QAction* mnuMateriali = nullptr;
    QAction* mnuHelp = nullptr;
    QAction* mnuEsci = nullptr;

    // The nine lines of the background, in printing order, with the position each was printed at
    // (twips); kept for whoever wants to know what the background says.
    struct RigaSfondo {
        QString testo;
        double x = 0;
        double y = 0;
    };
    const QVector<RigaSfondo>& RigheSfondo() const { return righeSfondo_; }

    // Handlers.
    void Form_Load();
    void Form_Activate();
    void Form_Unload();
    void ListView1_DblClick();
    void mnuMateriali_Click();
    void mnuHelp_Click();
    void mnuEsci_Click();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

public:
    void setVisible(bool visible) override;

private:
    void displaycambia();
    void ImpostaSfondo();
    void MostraTipiNodi();

    QMdiArea* MDIClient = nullptr;
    QPixmap immagine6_;                 // what is printed on Picture6 stays in its image
    QVector<RigaSfondo> righeSfondo_;
    bool caricata_ = false;
};
