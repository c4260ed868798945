// vesdra_fuzz_seeds <folder> <template.cnf>...: the fuzz targets' first
// inputs, small records of every layout the readers know (the bundled
// sample among them, cut to a few cycles) and the given templates, in one
// subfolder per target.
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <vector>

#include "gen/comtrade_gen.h"

using namespace vesdra::gen;

namespace {

struct Semilla {
    const char* nombre;
    GenSpec spec;
};

std::vector<Semilla> Registros()
{
    std::vector<Semilla> s;
    GenSpec muestra = SampleRecordSpec();
    muestra.samples = 30;
    s.push_back({"muestra", muestra});

    GenSpec b91 = BenchRecordSpec(12, 3, 17, DataFormat::Binary);
    b91.revision = Revision::R1991;
    b91.crlf = false;
    s.push_back({"binary_1991_lf", b91});

    GenSpec b97 = BenchRecordSpec(16, 4, 3, DataFormat::Binary);
    b97.timeMultiplier = 0.5;
    b97.analog[1].ps = " s ";
    b97.analog[1].primary = 132000;
    b97.analog[1].secondary = 110;
    b97.rateSegments = {{1000, 6}, {2000, 16}};
    s.push_back({"binary_1997_segments", b97});

    GenSpec a97 = BenchRecordSpec(12, 3, 5, DataFormat::Ascii);
    a97.crlf = false;
    a97.analog[2].ps = "S";
    s.push_back({"ascii_1997_lf", a97});

    GenSpec a91 = BenchRecordSpec(10, 2, 0, DataFormat::Ascii);
    a91.revision = Revision::R1991;
    s.push_back({"ascii_1991", a91});

    GenSpec cero = BenchRecordSpec(8, 1, 16, DataFormat::Ascii);
    cero.zeroRateCount = true;
    cero.timeMultiplierText = QStringLiteral("1.0");
    s.push_back({"ascii_zero_rates", cero});
    return s;
}

bool Escribir(const QString& ruta, const QByteArray& bytes)
{
    QFile f(ruta);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: vesdra_fuzz_seeds <folder> <template.cnf>...\n");
        return 2;
    }
    const QDir raiz(args.first());
    for (const char* sub : {"cfg", "dat_binary", "dat_ascii", "ascii_copy", "cnf"}) {
        if (!raiz.mkpath(QLatin1String(sub))) {
            std::fprintf(stderr, "vesdra_fuzz_seeds: cannot make %s\n", sub);
            return 1;
        }
    }
    bool ok = true;
    for (const Semilla& s : Registros()) {
        const QByteArray cfg = CfgText(s.spec);
        const QByteArray registro = cfg + '\0' + DatBytes(s.spec);
        const QString nombre = QLatin1String(s.nombre);
        ok = ok && Escribir(raiz.filePath("cfg/" + nombre), cfg);
        if (s.spec.format == DataFormat::Binary) {
            ok = ok && Escribir(raiz.filePath("dat_binary/" + nombre), registro);
            ok = ok && Escribir(raiz.filePath("ascii_copy/" + nombre), registro);
        } else {
            ok = ok && Escribir(raiz.filePath("dat_ascii/" + nombre), registro);
        }
    }
    for (const QString& cnf : args.mid(1)) {
        QFile f(cnf);
        ok = ok && f.open(QIODevice::ReadOnly) &&
             Escribir(raiz.filePath("cnf/" + QFileInfo(cnf).fileName()), f.readAll());
    }
    if (!ok) {
        std::fprintf(stderr, "vesdra_fuzz_seeds: a seed could not be written\n");
        return 1;
    }
    return 0;
}
