#include "clsNodo.h"

namespace QOR_TRBNS18 {

namespace {
#define QOR_VOCE_NODO(T, N) QOR_VOCE_##T(clsNodo, N)
const std::array<detail::Proprieta<clsNodo>, 42> kProprieta{{QOR_PROPRIETA_NODO(QOR_VOCE_NODO)}};
#undef QOR_VOCE_NODO
} // namespace

clsNodo::clsNodo() : m_Asta(std::make_shared<Collection>()), m_Piastra(std::make_shared<Collection>()) {}

// The members go first: a member still held by the program outlives its joint.
clsNodo::~clsNodo() { m_Asta.reset(); }

component::Variant clsNodo::GetProperty(std::string_view name) {
    return detail::Trova(kProprieta, name).leggi(*this);
}

void clsNodo::SetProperty(std::string_view name, const component::Variant& value) {
    detail::Trova(kProprieta, name).scrivi(*this, value);
}

} // namespace QOR_TRBNS18
