#include "gen/comtrade_gen.h"

namespace vesdra::gen {

GenSpec SampleRecordSpec()
{
    GenSpec spec;
    spec.revision = Revision::R1997;
    spec.format = DataFormat::Binary;
    spec.station = QStringLiteral("SUBESTACION NORTE");
    spec.device = QStringLiteral("PROTECCION LINEA 1");
    spec.lineFrequency = 50;
    spec.sampleRate = 1200;
    spec.samples = 1440; // 1.2 s, 24 samples per cycle
    // A phase A to ground fault of six cycles, cleared by the breaker.
    spec.faultStart = 601;
    spec.faultEnd = 744;
    spec.startTime = QStringLiteral("14/03/2005,08:42:17.250000");
    spec.triggerTime = QStringLiteral("14/03/2005,08:42:17.750000");

    AddThreePhase(spec, QStringLiteral("VA"), QStringLiteral("VB"), QStringLiteral("VC"),
                  QStringLiteral("LINEA 1"), QStringLiteral("kV"), 53.9, 12.0, 0.002, 66000, 110,
                  QStringLiteral("P"));
    AddThreePhase(spec, QStringLiteral("IA"), QStringLiteral("IB"), QStringLiteral("IC"),
                  QStringLiteral("LINEA 1"), QStringLiteral("A"), 565, 8000, 0.5, 600, 5,
                  QStringLiteral("P"));
    for (size_t i = 3; i < 6; ++i)
        spec.analog[i].postFaultAmplitude = 0;

    AnalogSpec in;
    in.name = QStringLiteral("IN");
    in.phase = QStringLiteral("N");
    in.circuit = QStringLiteral("LINEA 1");
    in.units = QStringLiteral("A");
    in.amplitude = 4;
    in.faultAmplitude = 7600;
    in.postFaultAmplitude = 0;
    in.a = 0.5;
    in.primary = 600;
    in.secondary = 5;
    spec.analog.push_back(in);

    AnalogSpec bat;
    bat.name = QStringLiteral("VBAT");
    bat.circuit = QStringLiteral("SERVICIOS AUXILIARES");
    bat.units = QStringLiteral("V");
    bat.dc = 125;
    bat.a = 0.01;
    bat.ps = QStringLiteral("S");
    spec.analog.push_back(bat);

    struct D {
        const char* name;
        int initial;
        std::vector<std::int32_t> toggles;
    };
    const D digital[] = {
        {"ARRANQUE FASE A", 0, {603, 750}},
        {"ARRANQUE FASE B", 0, {}},
        {"ARRANQUE FASE C", 0, {}},
        {"ARRANQUE NEUTRO", 0, {604, 750}},
        {"DISPARO 21 ZONA 1", 0, {625, 752}},
        {"DISPARO 21 ZONA 2", 0, {}},
        {"DISPARO 67N", 0, {640, 752}},
        {"DISPARO GENERAL", 0, {626, 760}},
        {"INTERRUPTOR ABIERTO", 0, {745}},
        {"INTERRUPTOR CERRADO", 1, {744}},
        {"RECIERRE EN CURSO", 0, {760}},
        {"RECIERRE BLOQUEADO", 0, {}},
        {"TELEPROTECCION TX", 0, {627, 770}},
        {"TELEPROTECCION RX", 0, {632, 768}},
        {"FALLO INTERRUPTOR", 0, {}},
        {"DISPARO MONOFASICO A", 0, {626, 760}},
        {"DISPARO MONOFASICO B", 0, {}},
        {"DISPARO MONOFASICO C", 0, {}},
        {"OSCILOGRAFO ARRANCADO", 0, {601}},
        {"ALARMA FALLO FUSIBLE", 0, {}},
        {"SELECTOR LOCAL", 1, {}},
        {"COMUNICACIONES OK", 1, {}},
        {"BLOQUEO OSCILACION", 0, {}},
        {"RELE EN SERVICIO", 1, {}},
    };
    for (const D& d : digital)
        spec.digital.push_back({QString::fromLatin1(d.name), d.initial, d.toggles, 0});

    spec.header = QStringLiteral("REGISTRO DE PERTURBACION\n"
                                 "Subestacion: SUBESTACION NORTE\n"
                                 "Posicion: LINEA 1 (66 kV)\n"
                                 "Falta: fase A a tierra, 6 ciclos\n"
                                 "Disparo: zona 1 a los 20 ms, interruptor abierto a los 120 ms\n"
                                 "Registro sintetico de muestra\n");
    return spec;
}

GenSpec BenchRecordSpec(std::int32_t samples, std::int32_t analog, std::int32_t digital, DataFormat format)
{
    GenSpec spec;
    spec.revision = Revision::R1997;
    spec.format = format;
    spec.sampleRate = 1000;
    spec.samples = samples;
    spec.faultStart = samples / 2;
    spec.faultEnd = samples / 2 + 100;
    for (std::int32_t c = 1; c <= analog; ++c) {
        AnalogSpec ch;
        const std::int32_t set = (c - 1) / 3;
        ch.name = QStringLiteral("AN%1").arg(c);
        ch.phase = QString(QLatin1Char(static_cast<char>('A' + (c - 1) % 3)));
        ch.circuit = QStringLiteral("SET %1").arg(set + 1);
        ch.units = set % 2 ? QStringLiteral("A") : QStringLiteral("kV");
        ch.amplitude = 100.0 * (set + 1);
        ch.faultAmplitude = (c - 1) % 3 == 0 ? 3 * ch.amplitude : -1;
        ch.phaseDeg = -120.0 * ((c - 1) % 3);
        ch.a = ch.amplitude / 8000; // the fault stays inside 16 bits
        spec.analog.push_back(ch);
    }
    for (std::int32_t d = 1; d <= digital; ++d)
        spec.digital.push_back({QStringLiteral("DIG%1").arg(d), 0, {}, 10 + 7 * d});
    return spec;
}

} // namespace vesdra::gen
