#pragma once
#include <cassert>
#include <cstdint>
#include <span>
#include <vector>

namespace vesdra {

// A 1-based one-dimensional array, the companion of Matrix<T>: element i is
// a(i), i = 1..Size(). Per-channel and per-sample tables of the record model
// use it so that channel and sample numbers index it directly.
template <typename T> class Array
{
public:
    Array() = default;
    explicit Array(std::int32_t size, T fill = T{}) { Resize(size, fill); }

    // Discards the contents ("ReDim").
    void Resize(std::int32_t size, T fill = T{})
    {
        data_.assign(static_cast<size_t>(size > 0 ? size : 0), fill);
    }
    // Keeps the first `size` elements (no more than it has).
    void KeepFirst(std::int32_t size)
    {
        if (size >= 0 && static_cast<size_t>(size) < data_.size())
            data_.resize(static_cast<size_t>(size));
    }
    // Frees the storage ("Erase").
    void Clear() { std::vector<T>().swap(data_); }

    [[nodiscard]] std::int32_t Size() const { return static_cast<std::int32_t>(data_.size()); }
    [[nodiscard]] bool Empty() const { return data_.empty(); }

    T& operator()(std::int32_t i)
    {
        assert(i >= 1 && i <= Size());
        return data_[static_cast<size_t>(i - 1)];
    }
    const T& operator()(std::int32_t i) const
    {
        assert(i >= 1 && i <= Size());
        return data_[static_cast<size_t>(i - 1)];
    }

    // All elements; element [i - 1] is a(i).
    [[nodiscard]] std::span<T> Span() { return data_; }
    [[nodiscard]] std::span<const T> Span() const { return data_; }
    [[nodiscard]] T* Data() { return data_.data(); }
    [[nodiscard]] const T* Data() const { return data_.data(); }
    auto begin() { return data_.begin(); }
    auto end() { return data_.end(); }
    auto begin() const { return data_.begin(); }
    auto end() const { return data_.end(); }

    bool operator==(const Array&) const = default;

private:
    std::vector<T> data_;
};

} // namespace vesdra
