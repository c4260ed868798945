// The model reader: reads one table of a relay-model database with libmdb
// and writes it on its standard output in the text form of
// templates/model_table.h. The program runs it as a child process, so a
// damaged database that crashes or hangs libmdb ends or stalls only this
// reader, never the program.
//
//     vesdra_mdb_reader <database file> <table>
#include <QString>
#include <cstdio>
#include <exception>
#include <unistd.h>

#include "mdb_reader/mdb_tables.h"

namespace {

int Escribir(const QByteArray& respuesta)
{
    const bool ok = std::fwrite(respuesta.constData(), 1, static_cast<std::size_t>(respuesta.size()),
                                stdout) == static_cast<std::size_t>(respuesta.size()) &&
                    std::fflush(stdout) == 0;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    using namespace vesdra;
    if (argc != 3) {
        std::fputs("usage: vesdra_mdb_reader <database file> <table>\n", stderr);
        return 2;
    }
    const QString ruta = QString::fromLocal8Bit(argv[1]);
    const QString tabla = QString::fromUtf8(argv[2]);
    QByteArray respuesta;
    try {
        respuesta = EncodeModelTable(ReadMdbTable(ruta, tabla));
    } catch (...) {
        respuesta = EncodeModelTableError(ComoVbError(std::current_exception()));
    }
    // The answer is all the program takes: nothing libmdb left behind is
    // worth the time of tearing it down.
    ::_exit(Escribir(respuesta));
}
