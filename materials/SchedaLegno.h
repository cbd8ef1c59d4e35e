#pragma once
// The material card: one record of table Legno in fourteen boxes. The openers of ModLignar2_Legno
// create it, choose its mode through its captions (new, view, modify, delete), fill it and show it.
// The confirm button acts by its caption; after a successful action the card closes itself, and a
// close with unsaved changes asks first.
#include "platform/basic/Basic.h"
#include "platform/data/Data.h"

#include <QString>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

class SchedaLegno : public QWidget {
    Q_OBJECT
public:
    explicit SchedaLegno(QWidget* parent = nullptr);
    ~SchedaLegno() override;

    // The record the card saves or deletes through its current row; in new mode the save opens it.
    std::shared_ptr<data::Recordset> rs_OneLeg;
    // 1 when a box changed since the card was opened or last saved.
    Integer modif = 0;

    // Fills the boxes from the current row of auxMat; raises what reading the row raises.
    void MostraDati_Mat(std::shared_ptr<data::Recordset>& auxMat);
    // Locks every box and paints it grey; the boxes still take the focus and the Enter key.
    void disattiva_controlli();

    // ---- controls, under their design names ----
    QLineEdit* Text2 = nullptr;          // Numero
    std::array<QLineEdit*, 13> Text1{};  // 0 Classe, 1 Descrizione, 2..12 Fmk..rok
    QPushButton* Command1 = nullptr;     // confirm: "Registra", "Registra Modifica", "Conferma Elimina"
    QPushButton* Command2 = nullptr;     // "Esci", "Annulla"
    QGroupBox* Frame1 = nullptr;         // "PROFILO CARATTERISTICO"
    std::vector<QLabel*> Label2;         // labels, symbols and headings

    // The fields of Text1(0..12), in box order.
    static const std::array<const char*, 13>& CampiText1();

    // ---- handlers ----
    void Command1_Click();
    void Command2_Click();
    // Cancel set to 1 calls the closing off. The reason of the closing is not read.
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void Form_Unload();
    void Text1_Change(int Index);
    void Text2_Change();
    void Text1_KeyPress(int Index, int& KeyAscii);
    void Text2_KeyPress(int& KeyAscii);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void compilaMat_conText();
    void controlladati(bool& procedi);
    // A row other than the card's own that already carries the number refuses the save.
    void controllaNumeroLibero(bool& procedi);
    void registraMat(bool& procedi);
    void registraModificaMat(bool& procedi);
    void eliminaMat(bool& procedi);
    // Copies the boxes into the current row and stores it; on failure the message (intestazione
    // followed by the error), the pending row undone, false.
    bool scriviRiga(const QString& intestazione, int stile);
    // The confirm action of the caption, without closing: true when it succeeded.
    bool conferma();
    // Closes the card, and its frame when it lives in the main window's area.
    void chiudi();
    // The number box as the checked whole number; raises when it holds none.
    Long numeroScheda() const;
    data::Recordset& record();

    bool unloaded_ = false;
};
