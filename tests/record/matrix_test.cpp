#include <gtest/gtest.h>

#include "record/array.h"
#include "record/matrix.h"

namespace vesdra {
namespace {

TEST(Matrix, LargeMatricesBehaveLikeSmallOnes)
{
    // 12 MB: past the size that takes whole mapped pages.
    Matrix<float> m(3000, 1000, 2.5f);
    EXPECT_EQ(m(1, 1), 2.5f);
    EXPECT_EQ(m(3000, 1000), 2.5f);
    m(1500, 7) = -1.0f;
    Matrix<float> copia = m;
    EXPECT_EQ(copia, m);
    EXPECT_EQ(copia.Column(7)[1499], -1.0f);

    m.ResizeForOverwrite(4000, 800);
    for (std::int32_t c = 1; c <= 800; ++c)
        for (float& v : m.Column(c))
            v = static_cast<float>(c);
    EXPECT_EQ(m(4000, 800), 800.0f);
    m.Resize(10, 10);
    EXPECT_EQ(m, Matrix<float>(10, 10));
    copia.Clear();
    EXPECT_TRUE(copia.Empty());
    EXPECT_EQ(copia.Rows(), 0);

    Matrix<float> movida = std::move(m);
    EXPECT_EQ(movida.Rows(), 10);
}

TEST(Array, IsOneBased)
{
    Array<int> a(3, 7);
    a(3) = 9;
    EXPECT_EQ(a.Size(), 3);
    EXPECT_EQ(a(1), 7);
    EXPECT_EQ(a.Span()[2], 9);
    a.Clear();
    EXPECT_TRUE(a.Empty());
}

} // namespace
} // namespace vesdra
