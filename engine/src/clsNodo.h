#pragma once
// clsNodo: one joint, a plain record of its type, members, inputs and results.
#include "Proprieta.h"

// The 42 properties in the order of the interface.
#define QOR_PROPRIETA_NODO(X)                                                                        \
    X(Boolean, AsteReg) X(String, TipoNodo) X(String, TipoVincolo) X(Collection, Asta)               \
    X(Collection, Piastra) X(Single, tv) X(Single, Lv) X(Single, ReazioneY)                          \
    X(Single, LunghezzaAppoggio) X(Single, LAppEfficace) X(Single, tens1) X(Single, tens2)           \
    X(Single, tens3) X(Single, Angolo1) X(Single, Angolo2) X(Single, fd1) X(Single, fd2)             \
    X(Single, fd3) X(Single, tau) X(Single, fvd) X(Single, alfa) X(Single, beta) X(Single, Teta)     \
    X(Single, F1) X(Single, F2) X(Single, tvB) X(Single, LvB) X(Single, tens1B) X(Single, tens2B)    \
    X(Single, tens3B) X(Single, Angolo1B) X(Single, Angolo2B) X(Single, fd1B) X(Single, fd2B)        \
    X(Single, fd3B) X(Single, tauB) X(Single, fvdB) X(Single, alfaB) X(Single, betaB)                \
    X(Single, TetaB) X(Single, F1B) X(Single, F2B)

namespace QOR_TRBNS18 {

class clsNodo final : public _clsNodo {
public:
    clsNodo();
    ~clsNodo() override;

    component::Variant GetProperty(std::string_view name) override;
    void SetProperty(std::string_view name, const component::Variant& value) override;

    QOR_PROPRIETA_NODO(QOR_CAMPO)

private:
    detail::Vivo vivo_;
};

} // namespace QOR_TRBNS18
