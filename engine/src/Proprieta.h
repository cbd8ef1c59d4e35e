#pragma once
// What the three record classes share: stored properties with a getter and a setter each, the
// by-name side of the dual interface built from the same list, and the count of live objects that
// tells the loader whether the library may go.
#include "QOR_TRBNS18/QOR_TRBNS18.h"

#include "platform/basic/Error.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <string_view>

namespace QOR_TRBNS18::detail {

using component::Variant;
using String = std::string;
using Boolean = bool;

// Objects of this library now alive, whatever the class.
std::atomic<long>& OggettiVivi();

// A member of every engine object: counts it while it lives.
class Vivo {
public:
    Vivo() noexcept { ++OggettiVivi(); }
    Vivo(const Vivo&) noexcept { ++OggettiVivi(); }
    Vivo& operator=(const Vivo&) noexcept { return *this; }
    ~Vivo() { --OggettiVivi(); }
};

template <class T> struct Proprieta {
    std::string_view nome;
    Variant (*leggi)(T&);
    void (*scrivi)(T&, const Variant&);
};

[[noreturn]] inline void NonSupportata() {
    platform::Raise(438, "Proprietà o metodo non supportati dall'oggetto");
}

inline bool UgualeSenzaMaiuscole(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

// Names are matched exactly first; as on any dispatch interface, case does not matter.
template <class T, std::size_t N>
const Proprieta<T>& Trova(const std::array<Proprieta<T>, N>& tabella, std::string_view nome) {
    for (const auto& p : tabella)
        if (p.nome == nome) return p;
    for (const auto& p : tabella)
        if (UgualeSenzaMaiuscole(p.nome, nome)) return p;
    NonSupportata();
}

// A collection property takes a collection or nothing.
inline std::shared_ptr<component::Collection> AsCollection(const Variant& v) {
    auto o = component::AsObject(v);
    auto c = std::dynamic_pointer_cast<component::Collection>(o);
    if (o && !c) platform::Raise(platform::err::TypeMismatch);
    return c;
}

} // namespace QOR_TRBNS18::detail

// One stored property: the field, its getter and its setter, for the types of the interfaces.
#define QOR_CAMPO_Single(N)                                                                          \
public:                                                                                              \
    Single N() override { return m_##N; }                                                            \
    void N(Single value) override { m_##N = value; }                                                 \
                                                                                                     \
private:                                                                                             \
    Single m_##N = 0;
#define QOR_CAMPO_Long(N)                                                                            \
public:                                                                                              \
    Long N() override { return m_##N; }                                                              \
    void N(Long value) override { m_##N = value; }                                                   \
                                                                                                     \
private:                                                                                             \
    Long m_##N = 0;
#define QOR_CAMPO_Boolean(N)                                                                         \
public:                                                                                              \
    bool N() override { return m_##N; }                                                             \
    void N(bool value) override { m_##N = value; }                                                   \
                                                                                                     \
private:                                                                                             \
    bool m_##N = false;
#define QOR_CAMPO_String(N)                                                                          \
public:                                                                                              \
    std::string N() override { return m_##N; }                                                       \
    void N(const std::string& value) override { m_##N = value; }                                     \
                                                                                                     \
private:                                                                                             \
    std::string m_##N;
#define QOR_CAMPO_Collection(N)                                                                      \
public:                                                                                              \
    std::shared_ptr<Collection> N() override { return m_##N; }                                       \
    void N(std::shared_ptr<Collection> value) override { m_##N = std::move(value); }                  \
                                                                                                     \
private:                                                                                             \
    std::shared_ptr<Collection> m_##N;
#define QOR_CAMPO(T, N) QOR_CAMPO_##T(N)

// One row of the by-name table of class C, going through the same getter and setter.
#define QOR_VOCE_Single(C, N)                                                                        \
    ::QOR_TRBNS18::detail::Proprieta<C>{                                                             \
        #N, [](C& o) -> ::component::Variant { return o.N(); },                                      \
        [](C& o, const ::component::Variant& v) { o.N(::component::AsSingle(v)); }},
#define QOR_VOCE_Long(C, N)                                                                          \
    ::QOR_TRBNS18::detail::Proprieta<C>{                                                             \
        #N, [](C& o) -> ::component::Variant { return o.N(); },                                      \
        [](C& o, const ::component::Variant& v) { o.N(::component::AsLong(v)); }},
#define QOR_VOCE_Boolean(C, N)                                                                       \
    ::QOR_TRBNS18::detail::Proprieta<C>{                                                             \
        #N, [](C& o) -> ::component::Variant { return o.N(); },                                      \
        [](C& o, const ::component::Variant& v) { o.N(::component::AsBoolean(v)); }},
#define QOR_VOCE_String(C, N)                                                                        \
    ::QOR_TRBNS18::detail::Proprieta<C>{                                                             \
        #N, [](C& o) -> ::component::Variant { return o.N(); },                                      \
        [](C& o, const ::component::Variant& v) { o.N(::component::AsString(v)); }},
#define QOR_VOCE_Collection(C, N)                                                                    \
    ::QOR_TRBNS18::detail::Proprieta<C>{                                                             \
        #N,                                                                                          \
        [](C& o) -> ::component::Variant { return std::shared_ptr<::component::Object>(o.N()); },    \
        [](C& o, const ::component::Variant& v) { o.N(::QOR_TRBNS18::detail::AsCollection(v)); }},
