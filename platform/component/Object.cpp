#include "platform/component/Object.h"

#include "platform/basic/Basic.h"
#include "platform/basic/Error.h"

namespace component {

namespace {

[[noreturn]] void TypeMismatch() { platform::Raise(platform::err::TypeMismatch); }

// Empty counts as 0 and True as -1, as the numeric coercions of the dispatch side always did.
double AsNumber(const Variant& v) {
    if (const auto* f = std::get_if<float>(&v)) return *f;
    if (const auto* l = std::get_if<std::int32_t>(&v)) return *l;
    if (const auto* i = std::get_if<std::int16_t>(&v)) return *i;
    if (const auto* b = std::get_if<bool>(&v)) return *b ? -1.0 : 0.0;
    if (std::holds_alternative<std::monostate>(v)) return 0.0;
    TypeMismatch();
}

} // namespace

Object::~Object() = default;

float AsSingle(const Variant& v) {
    if (const auto* f = std::get_if<float>(&v)) return *f;
    double x = AsNumber(v);
    return static_cast<float>(x); // integers always fit a single's range
}

std::int32_t AsLong(const Variant& v) {
    if (const auto* l = std::get_if<std::int32_t>(&v)) return *l;
    return basic::CLng(AsNumber(v));
}

std::string AsString(const Variant& v) {
    if (const auto* s = std::get_if<std::string>(&v)) return *s;
    if (std::holds_alternative<std::monostate>(v)) return {};
    if (const auto* f = std::get_if<float>(&v)) return basic::CStr(*f).toStdString();
    if (const auto* l = std::get_if<std::int32_t>(&v)) return basic::CStr(static_cast<long long>(*l)).toStdString();
    if (const auto* i = std::get_if<std::int16_t>(&v)) return basic::CStr(static_cast<long long>(*i)).toStdString();
    TypeMismatch();
}

bool AsBoolean(const Variant& v) {
    if (const auto* b = std::get_if<bool>(&v)) return *b;
    return AsNumber(v) != 0.0;
}

std::shared_ptr<Object> AsObject(const Variant& v) {
    if (const auto* o = std::get_if<std::shared_ptr<Object>>(&v)) return *o;
    if (std::holds_alternative<std::monostate>(v)) return nullptr;
    TypeMismatch();
}

Collection::Collection() = default;
Collection::~Collection() = default;

const std::shared_ptr<Object>& Collection::Item(std::int32_t index) const {
    if (index < 1 || index > Count()) platform::Raise(platform::err::SubscriptOutOfRange);
    return items_[static_cast<std::size_t>(index - 1)];
}

void Collection::Add(std::shared_ptr<Object> item) { items_.push_back(std::move(item)); }

Variant Collection::GetProperty(std::string_view name) {
    static constexpr std::string_view kCount = "count";
    bool count = name.size() == kCount.size();
    for (std::size_t i = 0; count && i < name.size(); ++i)
        count = (name[i] | 0x20) == kCount[i];
    if (count) return Count();
    platform::Raise(438, "Proprietà o metodo non supportati dall'oggetto");
}

void Collection::SetProperty(std::string_view, const Variant&) {
    platform::Raise(438, "Proprietà o metodo non supportati dall'oggetto");
}

} // namespace component
