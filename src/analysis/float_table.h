#pragma once
#include <algorithm>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <span>

namespace vesdra {

// A 1-based (row, column) single-precision table stored column by column,
// like Matrix<float>, but created without filling: its producers write every
// cell, and a table of hundreds of megabytes is then touched once instead of
// twice (the page faults of a fresh allocation dominate its cost). Used for
// the phasor and sequence tables.
class TablaReal
{
public:
    TablaReal() = default;
    // Contents undefined until written. Throws std::bad_alloc.
    TablaReal(std::int32_t rows, std::int32_t cols)
        : rows_(rows > 0 ? rows : 0), cols_(cols > 0 ? cols : 0),
          data_(new float[static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_)])
    {
    }
    TablaReal(std::int32_t rows, std::int32_t cols, float fill) : TablaReal(rows, cols)
    {
        std::fill_n(data_.get(), static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_), fill);
    }

    [[nodiscard]] std::int32_t Rows() const { return rows_; }
    [[nodiscard]] std::int32_t Cols() const { return cols_; }
    [[nodiscard]] bool Empty() const { return rows_ == 0 || cols_ == 0; }

    float& operator()(std::int32_t row, std::int32_t col)
    {
        assert(row >= 1 && row <= rows_ && col >= 1 && col <= cols_);
        return data_[Index(row, col)];
    }
    float operator()(std::int32_t row, std::int32_t col) const
    {
        assert(row >= 1 && row <= rows_ && col >= 1 && col <= cols_);
        return data_[Index(row, col)];
    }

    // Column c as a contiguous span; element [r - 1] is row r.
    [[nodiscard]] std::span<float> Column(std::int32_t col)
    {
        assert(col >= 1 && col <= cols_);
        return {data_.get() + Index(1, col), static_cast<std::size_t>(rows_)};
    }
    [[nodiscard]] std::span<const float> Column(std::int32_t col) const
    {
        assert(col >= 1 && col <= cols_);
        return {data_.get() + Index(1, col), static_cast<std::size_t>(rows_)};
    }

    [[nodiscard]] const float* Data() const { return data_.get(); }

    void Clear()
    {
        rows_ = cols_ = 0;
        data_.reset();
    }

private:
    [[nodiscard]] std::size_t Index(std::int32_t row, std::int32_t col) const
    {
        return static_cast<std::size_t>(col - 1) * static_cast<std::size_t>(rows_) +
               static_cast<std::size_t>(row - 1);
    }

    std::int32_t rows_{0};
    std::int32_t cols_{0};
    std::unique_ptr<float[]> data_;
};

} // namespace vesdra
