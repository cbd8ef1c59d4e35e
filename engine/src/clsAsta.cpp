#include "clsAsta.h"

namespace QOR_TRBNS18 {

namespace {
#define QOR_VOCE_ASTA(T, N) QOR_VOCE_##T(clsAsta, N)
constexpr std::array<detail::Proprieta<clsAsta>, 27> kProprieta{{QOR_PROPRIETA_ASTA(QOR_VOCE_ASTA)}};
#undef QOR_VOCE_ASTA
} // namespace

clsAsta::~clsAsta() = default;

component::Variant clsAsta::GetProperty(std::string_view name) {
    return detail::Trova(kProprieta, name).leggi(*this);
}

void clsAsta::SetProperty(std::string_view name, const component::Variant& value) {
    detail::Trova(kProprieta, name).scrivi(*this, value);
}

} // namespace QOR_TRBNS18
