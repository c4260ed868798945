#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

#include "platform/form_registry.h"

namespace vesdra {
namespace {

TEST(RegistroVentanas, LiveWindowsOldestFirstWithoutTheOnesGoneOrDeleted)
{
    RegistroVentanas<QWidget> r;
    EXPECT_TRUE(r.Vivas().empty());
    auto a = std::make_unique<QWidget>();
    auto b = std::make_unique<QWidget>();
    auto c = std::make_unique<QWidget>();
    r.Registrar(a.get());
    r.Registrar(b.get());
    r.Registrar(c.get());
    EXPECT_EQ(r.Vivas(), (std::vector<QWidget*>{a.get(), b.get(), c.get()}));

    r.Quitar(b.get());
    EXPECT_EQ(r.Vivas(), (std::vector<QWidget*>{a.get(), c.get()}));
    // Deleted without leaving: never handed out again.
    a.reset();
    EXPECT_EQ(r.Vivas(), (std::vector<QWidget*>{c.get()}));
    auto d = std::make_unique<QWidget>();
    r.Registrar(d.get());
    EXPECT_EQ(r.Vivas(), (std::vector<QWidget*>{c.get(), d.get()}));
    r.Quitar(b.get()); // gone already: nothing changes
    EXPECT_EQ(r.Vivas().size(), 2u);
}

} // namespace
} // namespace vesdra
