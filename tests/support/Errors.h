#pragma once
// The error a call raises, for tests that check its number and description.
#include "platform/basic/Error.h"

#include <optional>
#include <utility>

namespace testing_support {

template <class F> std::optional<platform::Error> RaisedError(F&& f) {
    try {
        std::forward<F>(f)();
    } catch (const platform::Error& e) {
        return e;
    }
    return std::nullopt;
}

// The number of the error a call raises; 0 when it raises none.
template <class F> long ErrorNumber(F&& f) {
    const auto e = RaisedError(std::forward<F>(f));
    return e ? e->number() : 0;
}

} // namespace testing_support
