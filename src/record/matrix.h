#pragma once
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace vesdra {

namespace detail {
// Storage of large sample matrices: whole pages from the system, in large
// pages where it offers them, so filling a matrix of hundreds of megabytes
// does not take one page fault every 4 KB. Throws std::bad_alloc when
// refused, so a block of kBytesGrande or more always comes from here and
// LiberarGrande, which is chosen by size alone, always gets it back.
void* ReservarGrande(size_t bytes);
void LiberarGrande(void* p, size_t bytes);
inline constexpr size_t kBytesGrande = size_t{8} << 20;
} // namespace detail

// Lets a vector grow without value-initialising trivial elements, so a
// matrix that is about to be overwritten whole is not zeroed first; large
// blocks come from detail::ReservarGrande.
template <typename T> struct DefaultInitAllocator : std::allocator<T> {
    template <typename U> struct rebind {
        using other = DefaultInitAllocator<U>;
    };
    DefaultInitAllocator() = default;
    template <typename U> DefaultInitAllocator(const DefaultInitAllocator<U>&) noexcept {}
    T* allocate(size_t n)
    {
        if (n < detail::kBytesGrande / sizeof(T))
            return std::allocator<T>::allocate(n);
        if (n > SIZE_MAX / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(detail::ReservarGrande(n * sizeof(T)));
    }
    void deallocate(T* p, size_t n)
    {
        if (n >= detail::kBytesGrande / sizeof(T))
            detail::LiberarGrande(p, n * sizeof(T));
        else
            std::allocator<T>::deallocate(p, n);
    }
    template <typename U> void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>)
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args> void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

// A 1-based (row, column) matrix over contiguous storage, stored column by
// column: every view walks one channel, so a channel's samples are adjacent.
// For sample matrices the row is the sample number and the column the channel.
template <typename T> class Matrix
{
public:
    Matrix() = default;
    Matrix(std::int32_t rows, std::int32_t cols, T fill = T{}) { Resize(rows, cols, fill); }

    // Discards the contents ("ReDim").
    void Resize(std::int32_t rows, std::int32_t cols, T fill = T{})
    {
        rows_ = rows > 0 ? rows : 0;
        cols_ = cols > 0 ? cols : 0;
        data_.assign(static_cast<size_t>(rows_) * static_cast<size_t>(cols_), fill);
    }
    // Sizes the matrix for a writer that fills every cell: the contents are
    // unspecified until then (trivial types are left uninitialised).
    void ResizeForOverwrite(std::int32_t rows, std::int32_t cols)
    {
        rows_ = rows > 0 ? rows : 0;
        cols_ = cols > 0 ? cols : 0;
        Storage().swap(data_);
        data_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(cols_));
    }
    // Keeps the first `rows` rows of every column (no more than it has),
    // moved together in place; the storage is not given back.
    void KeepRows(std::int32_t rows)
    {
        if (rows < 0 || rows >= rows_)
            return;
        for (std::int32_t c = 1; c < cols_; ++c) {
            const T* desde = data_.data() + static_cast<size_t>(c) * static_cast<size_t>(rows_);
            std::copy(desde, desde + rows, data_.data() + static_cast<size_t>(c) * static_cast<size_t>(rows));
        }
        rows_ = rows;
        data_.resize(static_cast<size_t>(rows_) * static_cast<size_t>(cols_));
    }
    // Frees the storage ("Erase").
    void Clear()
    {
        rows_ = cols_ = 0;
        Storage().swap(data_);
    }

    [[nodiscard]] std::int32_t Rows() const { return rows_; }
    [[nodiscard]] std::int32_t Cols() const { return cols_; }
    [[nodiscard]] bool Empty() const { return data_.empty(); }

    T& operator()(std::int32_t row, std::int32_t col)
    {
        assert(row >= 1 && row <= rows_ && col >= 1 && col <= cols_);
        return data_[Index(row, col)];
    }
    const T& operator()(std::int32_t row, std::int32_t col) const
    {
        assert(row >= 1 && row <= rows_ && col >= 1 && col <= cols_);
        return data_[Index(row, col)];
    }

    // Column c (1-based) as a contiguous span; element [s - 1] is row s.
    [[nodiscard]] std::span<T> Column(std::int32_t col)
    {
        assert(col >= 1 && col <= cols_);
        return {data_.data() + static_cast<size_t>(col - 1) * static_cast<size_t>(rows_),
                static_cast<size_t>(rows_)};
    }
    [[nodiscard]] std::span<const T> Column(std::int32_t col) const
    {
        assert(col >= 1 && col <= cols_);
        return {data_.data() + static_cast<size_t>(col - 1) * static_cast<size_t>(rows_),
                static_cast<size_t>(rows_)};
    }

    [[nodiscard]] T* Data() { return data_.data(); }
    [[nodiscard]] const T* Data() const { return data_.data(); }

    bool operator==(const Matrix&) const = default;

private:
    [[nodiscard]] size_t Index(std::int32_t row, std::int32_t col) const
    {
        return static_cast<size_t>(col - 1) * static_cast<size_t>(rows_) + static_cast<size_t>(row - 1);
    }

    using Storage = std::vector<T, DefaultInitAllocator<T>>;

    std::int32_t rows_{0};
    std::int32_t cols_{0};
    Storage data_;
};

} // namespace vesdra
