// One-dimensional array with a fixed upper bound N: indices 0 to N, checked on every access.
#pragma once

#include <cstdint>
#include <vector>

#include "core/Object.h"

template <class T>
class Array : public Object {
public:
    // Every element starts empty (a default T: an empty string, a nil Ref).
    explicit Array(int32_t upperBound) : elements_(upperBound < 0 ? 0 : static_cast<size_t>(upperBound) + 1) {}

    int32_t UpperBound() const noexcept { return static_cast<int32_t>(elements_.size()) - 1; }

    T& operator[](int32_t index) { return elements_[Checked(index)]; }
    const T& operator[](int32_t index) const { return elements_[Checked(index)]; }

private:
    size_t Checked(int32_t index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= elements_.size()) {
            throw OutOfBoundsException();
        }
        return static_cast<size_t>(index);
    }

    std::vector<T> elements_;
};
