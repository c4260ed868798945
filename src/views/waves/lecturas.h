#pragma once
#include <QString>
#include <QStringList>
#include <cstdint>

namespace vesdra {

// Texts of the cursor read-outs of the waveform window and the stacked view.

// "No.= " and the sample number as a plain whole number (nearest).
[[nodiscard]] QString TextoNumeroMuestra(double muestra);

// A value with its unit: "-1.500 kV" (format "0.000", the user's separator).
[[nodiscard]] QString TextoValor(float valor, const QString& unidad);

// The difference of the values at the two cursors, always positive.
[[nodiscard]] QString TextoDiferenciaValores(float a, float b, const QString& unidad);

// The time between two cursors at a sampling rate (samples per second), in
// milliseconds: "20.000 ms". Worked in single precision, as the read-out
// always was. A rate of 0 throws VbError 11 (division by zero).
[[nodiscard]] QString TextoTiempoEntre(double muestra1, double muestra2, std::int32_t frecuenciaMuestreo);

// The longest texts a waveform window's boxes can show for a channel whose
// extremes are minimo and maximo over n samples at a
// rate: the boxes are made wide enough for these. Digits are as wide as one
// another in the read-outs' fonts, so the extremes give the widest values.
struct TextosMaximosOnda {
    QStringList Numero; // lblizq, lblder
    QStringList Valor;  // lblamar, lblcian
    QStringList Tiempo; // lblms and lblDif: the whole record's time, the largest difference
};
[[nodiscard]] TextosMaximosOnda TextosMaximos(std::int32_t n, float minimo, float maximo,
                                              const QString& unidad, std::int32_t frecuenciaMuestreo);

// A band's read-out in the stacked view: "IA: -1.500 A".
[[nodiscard]] QString TextoLecturaBanda(const QString& nombre, float valor, const QString& unidad);

// The sideways scroll of a read-out: the text from character desde + 1 on
// (a negative desde counts as 0), at most longitudMaxima - desde
// characters; empty past its end. Every view's read-outs scroll so.
[[nodiscard]] QString TextoDesplazado(const QString& completo, std::int32_t desde,
                                      std::int32_t longitudMaxima);

} // namespace vesdra
