#pragma once
// Engine objects made as the program makes them, by class identifier: for the tests and the
// benchmark.
#include "QOR_TRBNS18/QOR_TRBNS18.h"

#include "platform/component/Component.h"

#include "Errors.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

namespace motore {

using namespace QOR_TRBNS18;

inline std::shared_ptr<_clsGenVerNodi> NuovoRegistro() { return component::CreateObjectAs<_clsGenVerNodi>(ProgIdGenVerNodi); }
inline std::shared_ptr<_clsNodo> NuovoNodo() { return component::CreateObjectAs<_clsNodo>(ProgIdNodo); }
inline std::shared_ptr<_clsAsta> NuovaAsta() { return component::CreateObjectAs<_clsAsta>(ProgIdAsta); }

// A member with the values the verifications read.
struct DatiAsta {
    float Base = 0, Altezza = 0, Res_Fc0d = 0, Res_Fc90d = 0, SforzoAssiale = 0, Angolo = 0;
};

inline std::shared_ptr<_clsAsta> Asta(const DatiAsta& d) {
    auto a = NuovaAsta();
    a->Base(d.Base);
    a->Altezza(d.Altezza);
    a->Res_Fc0d(d.Res_Fc0d);
    a->Res_Fc90d(d.Res_Fc90d);
    a->SforzoAssiale(d.SforzoAssiale);
    a->Angolo(d.Angolo);
    return a;
}

// Creates a joint in the registry and registers the members; gives back the joint number.
inline Integer Registra(_clsGenVerNodi& reg, std::initializer_list<DatiAsta> aste, std::string tipo = "Nodo") {
    reg.CreaNodo(tipo);
    Integer n = static_cast<Integer>(reg.Nodi()->Count());
    for (const auto& d : aste) {
        auto a = Asta(d);
        reg.AggiungiAsta(n, a);
    }
    return n;
}

inline std::shared_ptr<_clsNodo> Nodo(_clsGenVerNodi& reg, Integer n) { return reg.Nodi()->ItemAs<_clsNodo>(n); }

// Runs f and gives back the error number it raised, 0 when none.
template <class F> long NumeroErrore(F&& f) { return testing_support::ErrorNumber(std::forward<F>(f)); }

} // namespace motore
