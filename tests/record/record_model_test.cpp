#include <gtest/gtest.h>

#include "record/record_model.h"
#include "record_fixture.h"

namespace vesdra {
namespace {

using test::RecordTest;

TEST_F(RecordTest, StartingValuesOpenTheRecordAndSetThePalette)
{
    Registro().FasoresCalculados = true;
    IniciarValores();
    const RecordModel& r = Registro();
    EXPECT_TRUE(r.RegistroAbierto);
    EXPECT_FALSE(r.FasoresCalculados);
    const std::array<std::uint8_t, 15> paleta{9, 10, 12, 11, 14, 13, 15, 0, 1, 2, 4, 3, 6, 5, 7};
    EXPECT_EQ(r.PaletaColores, paleta);
}

TEST_F(RecordTest, ClosingEmptiesTheRecordButKeepsPathsRatingsAndMultiplier)
{
    RecordModel& r = Registro();
    r.RutaDat = "/x/a.dat";
    r.AnioRevision = "1997";
    r.TextoRevision = "1997";
    r.NombreEstacion = "SE";
    r.TipoFichero = "BINARY";
    r.FechaInicio = "01/01/2000,00:00:00";
    r.FechaDisparo = "01/01/2000,00:00:01";
    r.NumAnalogicos = 2;
    r.NumDigitales = 1;
    r.TotalCanales = 3;
    r.TasaCalculada = 1000;
    r.RevisionErronea = r.TipoErroneo = r.PuntoDecimal = true;
    r.TablaPrimSec.Resize(2);
    r.MultTiempo = 0.001;
    r.Valores.Resize(10, 2);
    r.EstadosDigitales.Resize(10, 1);
    r.Tiempos.Resize(10);
    r.TablaCanales.Resize(2, 4);
    r.NombresDigitales.Resize(1);
    r.NombreConversion = "/x/b";
    r.SalirTrasConversion = true;
    IniciarValores();

    CerrarRegistro();

    EXPECT_FALSE(r.RegistroAbierto);
    EXPECT_EQ(r.AnioRevision, "0"); // never taken for a 1997 record
    EXPECT_FALSE(r.Es1997());
    EXPECT_EQ(r.TextoRevision, "0");
    EXPECT_EQ(r.FechaDisparo, "0");
    EXPECT_EQ(r.FechaInicio, "0");
    EXPECT_EQ(r.TipoFichero, "");
    EXPECT_EQ(r.NombreEstacion, "");
    EXPECT_EQ(r.NumAnalogicos + r.NumDigitales + r.TotalCanales + r.TasaCalculada, 0);
    EXPECT_FALSE(r.RevisionErronea || r.TipoErroneo || r.PuntoDecimal);
    EXPECT_TRUE(r.Valores.Empty() && r.EstadosDigitales.Empty() && r.Tiempos.Empty());
    EXPECT_TRUE(r.TablaCanales.Empty() && r.NombresDigitales.Empty());
    EXPECT_EQ(r.NumMuestras(), 0);
    EXPECT_EQ(r.NombreConversion, "");
    EXPECT_FALSE(r.SalirTrasConversion);
    // Left alone.
    EXPECT_EQ(r.RutaDat, "/x/a.dat");
    EXPECT_EQ(r.TablaPrimSec.Size(), 2);
    EXPECT_EQ(r.MultTiempo, 0.001);
    EXPECT_EQ(r.PaletaColores[0], 9);
}

} // namespace
} // namespace vesdra
