#include "record/text_lines.h"

namespace vesdra {

std::vector<std::string_view> PartirLineas(std::string_view texto)
{
    std::vector<std::string_view> lineas;
    size_t inicio = 0;
    while (inicio < texto.size()) {
        size_t fin = texto.find('\n', inicio);
        const size_t siguiente = fin == std::string_view::npos ? texto.size() : fin + 1;
        if (fin == std::string_view::npos)
            fin = texto.size();
        std::string_view linea = texto.substr(inicio, fin - inicio);
        if (!linea.empty() && linea.back() == '\r')
            linea.remove_suffix(1);
        lineas.push_back(linea);
        inicio = siguiente;
    }
    return lineas;
}

std::string_view CortarCampo(std::string_view linea, size_t& desde)
{
    if (desde >= linea.size()) {
        desde = linea.size();
        return {};
    }
    const size_t coma = linea.find(',', desde);
    if (coma == std::string_view::npos) {
        std::string_view resto = linea.substr(desde);
        desde = linea.size();
        return resto;
    }
    std::string_view campo = linea.substr(desde, coma - desde);
    desde = coma + 1;
    return campo;
}

} // namespace vesdra
