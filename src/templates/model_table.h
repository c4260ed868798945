#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <vector>

#include "platform/base/vb_error.h"

namespace vesdra {

// A table of a relay-model database as read, and the text form in which the
// model reader (a program of its own, so that no database can end this one)
// hands it over on its standard output.

// One field's value as read: no value, a text or a number.
struct ValorCampo {
    enum class Clase { Nulo, Texto, Numero };
    Clase Tipo{Clase::Nulo};
    QString Texto; // the text; for a number, its text as the engine gives it
    double Numero{0};

    [[nodiscard]] static ValorCampo Nulo() { return {}; }
    [[nodiscard]] static ValorCampo DeTexto(QString t) { return {Clase::Texto, std::move(t), 0}; }
    [[nodiscard]] static ValorCampo DeNumero(double n);
    bool operator==(const ValorCampo&) const = default;
};

// A whole table: its field names and its rows in stored order.
struct TablaModelo {
    QStringList Campos;
    std::vector<std::vector<ValorCampo>> Filas;

    // Index of a field, compared without regard to case; -1 when absent.
    [[nodiscard]] int Campo(QStringView nombre) const;
    // Field `campo` of row `fila` (0-based). A missing field throws VbError
    // 3265 (item not found in this collection).
    [[nodiscard]] const ValorCampo& Valor(std::size_t fila, QStringView campo) const;
    bool operator==(const TablaModelo&) const = default;
};

// The reader's answer, UTF-8 lines ended by LF:
//   vesdra-mdb 1
//   fields<TAB>n, then n lines of one field name each
//   rows<TAB>m, then m lines of n cells joined by TAB
//   end
// A cell is "-" (no value), "T" and a text, or "N" and a number (C locale,
// finite). Texts and names escape backslash, TAB, LF and CR as \\, \t, \n,
// \r. A failure the reader could name is answered instead by
//   vesdra-mdb 1
//   error<TAB>number<TAB>description
//   end
// Nothing may follow the last line.
[[nodiscard]] QByteArray EncodeModelTable(const TablaModelo& tabla);
[[nodiscard]] QByteArray EncodeModelTableError(const VbError& error);

// The table, or the error the reader named, from an answer; nothing when
// the answer is not exactly of the form above (a damaged or cut answer).
struct ModelTableAnswer {
    std::optional<TablaModelo> Tabla;
    std::optional<VbError> Error;
};
[[nodiscard]] std::optional<ModelTableAnswer> DecodeModelTable(const QByteArray& answer);

} // namespace vesdra
