#pragma once
// The dispatch side shared by every component object: each property reachable by its name through a
// small variant type, and the ordered 1-based Collection. Objects are reference counted by shared_ptr.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace component {

class Object;

// Single, Long, Integer, Boolean, String, object reference (empty pointer = no object).
using Variant = std::variant<std::monostate, float, std::int32_t, std::int16_t, bool, std::string,
                             std::shared_ptr<Object>>;

class Object {
public:
    virtual ~Object();
    // Raise platform::Error 438 "Proprietà o metodo non supportati dall'oggetto" for an unknown name,
    // and 13 "Tipo non corrispondente" for a value that the property cannot take.
    virtual Variant GetProperty(std::string_view name) = 0;
    virtual void SetProperty(std::string_view name, const Variant& value) = 0;
};

// Converting readers of a Variant, for callers that fetch by name. Numbers convert among themselves
// (Empty counts as 0, True as -1; AsLong rounds halves to even and raises 6 beyond its range);
// AsString also takes a number (CStr) and Empty (""); AsObject takes Empty as no object.
// Anything else raises error 13.
float AsSingle(const Variant& v);
std::int32_t AsLong(const Variant& v);
std::string AsString(const Variant& v);
bool AsBoolean(const Variant& v);
std::shared_ptr<Object> AsObject(const Variant& v);

// Ordered, 1-based, no keys, no removal needed by the system.
class Collection : public Object {
public:
    Collection();
    ~Collection() override;
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // Raises error 9 "Indice non compreso nell'intervallo" outside 1..Count.
    const std::shared_ptr<Object>& Item(std::int32_t index) const;
    void Add(std::shared_ptr<Object> item);
    template <class T> std::shared_ptr<T> ItemAs(std::int32_t index) const {
        return std::dynamic_pointer_cast<T>(Item(index));
    }

    Variant GetProperty(std::string_view name) override; // "Count"
    void SetProperty(std::string_view name, const Variant& value) override;

private:
    std::vector<std::shared_ptr<Object>> items_;
};

} // namespace component
