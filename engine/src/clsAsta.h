#pragma once
// clsAsta: one member (bar) of a joint, a plain record.
#include "Proprieta.h"

// The 27 properties in the order of the interface.
#define QOR_PROPRIETA_ASTA(X)                                                                        \
    X(Single, Altezza) X(Single, Base) X(Single, area) X(Single, ModInerzia) X(Single, ModResistenza) \
    X(Long, NumeroMateriale) X(String, DescrizioneMateriale) X(String, TipoSezione)                  \
    X(Single, Res_Fmk) X(Single, Res_Ft0k) X(Single, Res_Ft90k) X(Single, Res_Fc0k)                  \
    X(Single, Res_Fc90k) X(Single, Res_Fvk) X(Single, ModEl_0mean) X(Single, ModEl_05)               \
    X(Single, ModEl_90) X(Single, ModEl_Gmean) X(Single, Peso) X(Single, SforzoAssiale)              \
    X(Single, Taglio) X(Single, Momento) X(Single, Res_Fd) X(Single, Res_Fc0d) X(Single, Res_Fc90d)  \
    X(Single, Res_Fvd) X(Single, Angolo)

namespace QOR_TRBNS18 {

class clsAsta final : public _clsAsta {
public:
    clsAsta() = default;
    ~clsAsta() override;

    component::Variant GetProperty(std::string_view name) override;
    void SetProperty(std::string_view name, const component::Variant& value) override;

    QOR_PROPRIETA_ASTA(QOR_CAMPO)

private:
    detail::Vivo vivo_;
};

} // namespace QOR_TRBNS18
