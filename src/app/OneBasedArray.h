#pragma once

#include <array>
#include <cassert>

namespace zorvane {

// A fixed array indexed from 1 to N, as the program's shared lists are.
template <typename T, int N> class OneBasedArray {
public:
    static constexpr int size = N;

    T& operator()(int index) {
        assert(index >= 1 && index <= N);
        return items_[static_cast<std::size_t>(index - 1)];
    }
    const T& operator()(int index) const {
        assert(index >= 1 && index <= N);
        return items_[static_cast<std::size_t>(index - 1)];
    }

private:
    std::array<T, N> items_{};
};

} // namespace zorvane
