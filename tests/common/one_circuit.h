#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

#include "record/record_model.h"

namespace vesdra::test {

// Channel rows as a recorder without a template writes them: one circuit
// text for every row ("LÍNEA 1", so that by the name rule it is each row's
// caption), the names "J2 - VA", "J2 - VB", ... and the units "V" or "A",
// each padded with blanks as wide as its field. Row k of TablaCanales
// (1..filas, at most 8) reads value column ((k - 1) % columnas) + 1.
struct FilasDeUnCircuito {
    static QStringList Nombres()
    {
        return {"J2 - VA", "J2 - VB", "J2 - VC", "J2 - IA", "J2 - IB", "J2 - IC", "J2 - IN", "J2 - VN"};
    }
    static QStringList Unidades() { return {"V", "V", "V", "A", "A", "A", "A", "V"}; }

    static void Llenar(std::int32_t filas, std::int32_t columnas)
    {
        RecordModel& r = Registro();
        r.TablaCanales = Matrix<QString>(filas, 4);
        for (std::int32_t k = 1; k <= filas; ++k) {
            r.TablaCanales(k, 1) = QString::number((k - 1) % columnas + 1);
            r.TablaCanales(k, 2) = Nombres()[k - 1].leftJustified(32);
            r.TablaCanales(k, 3) = QString::fromUtf8("LÍNEA 1").leftJustified(16);
            r.TablaCanales(k, 4) = Unidades()[k - 1].leftJustified(8);
        }
    }
};

} // namespace vesdra::test
