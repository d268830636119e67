// Storing, reading and copying the nine values by parameter index, in any set of them (the
// effect's current settings, a program memory, a factory program): every access by index goes
// through the one list in EchoValues.h.
#pragma once

#include <type_traits>

#include "EchoValues.h"

namespace parameter_fields {

// Calls visit(index, field) for each parameter in index order (see EchoValues::forEachField).
template <typename Visit>
constexpr void forEach(Visit&& visit) {
    EchoValues<Plain>::forEachField(visit);
}

// A field is either a plain value (a factory program) or a setting other threads may read, one
// with load and store (the effect's settings, a program memory).
template <typename Field>
auto read(const Field& field) {
    if constexpr (requires { field.load(); }) {
        return field.load();
    } else {
        return field;
    }
}
template <typename Field, typename T>
void write(Field& field, T value) {
    if constexpr (requires { field.store(value); }) {
        field.store(value);
    } else {
        field = value;
    }
}

// The host's value for parameter `index`, kept in its field's precision: widened to double for
// the amounts, and on for any value other than 0 for a placement. Other indexes change nothing.
template <typename Values>
void store(Values& values, int index, float value) {
    forEach([&](int parameter, auto field) {
        if (parameter != index) return;
        auto& kept = field(values);
        using T = decltype(read(kept));
        if constexpr (std::is_same_v<T, bool>) {
            write(kept, value != 0.0f);
        } else {
            write(kept, static_cast<T>(value));
        }
    });
}

// Parameter `index` as the host reads it: narrowed to single precision, a placement 1 or 0.
// Other indexes read 0.
template <typename Values>
float load(const Values& values, int index) {
    float result = 0.0f;
    forEach([&](int parameter, auto field) {
        if (parameter != index) return;
        const auto kept = read(field(values));
        if constexpr (std::is_same_v<decltype(kept), const bool>) {
            result = kept ? 1.0f : 0.0f;
        } else {
            result = static_cast<float>(kept);
        }
    });
    return result;
}

// Every parameter of `from` into `to`, in full precision (a program's doubles stay as written).
template <typename To, typename From>
void copy(To& to, const From& from) {
    forEach([&](int, auto field) { write(field(to), read(field(from))); });
}

}  // namespace parameter_fields
