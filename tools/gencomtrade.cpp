// vesdra_gencomtrade: writes a synthetic COMTRADE record.
//   vesdra_gencomtrade --sample <base>          the bundled sample record
//   vesdra_gencomtrade [options] <base>         a record of sine sets and square waves
// <base> is the path without extension; <base>.cfg, .dat (and .hdr) are written.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <cstdio>

#include "gen/comtrade_gen.h"

using namespace vesdra::gen;

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.setApplicationDescription(QStringLiteral("Writes a synthetic COMTRADE record."));
    p.addHelpOption();
    const QCommandLineOption sample(QStringLiteral("sample"), QStringLiteral("The bundled sample record."));
    const QCommandLineOption revision(QStringLiteral("revision"), QStringLiteral("1991 or 1997 (default)."),
                                      QStringLiteral("year"), QStringLiteral("1997"));
    const QCommandLineOption format(QStringLiteral("format"), QStringLiteral("ascii or binary (default)."),
                                    QStringLiteral("type"), QStringLiteral("binary"));
    const QCommandLineOption samples(QStringLiteral("samples"),
                                     QStringLiteral("Sample count (default 1000)."), QStringLiteral("n"),
                                     QStringLiteral("1000"));
    const QCommandLineOption rate(QStringLiteral("rate"),
                                  QStringLiteral("Samples per second (default 1000)."), QStringLiteral("hz"),
                                  QStringLiteral("1000"));
    const QCommandLineOption frequency(QStringLiteral("frequency"),
                                       QStringLiteral("Line frequency (default 50)."), QStringLiteral("hz"),
                                       QStringLiteral("50"));
    const QCommandLineOption analog(QStringLiteral("analog"), QStringLiteral("Analog channels (default 6)."),
                                    QStringLiteral("n"), QStringLiteral("6"));
    const QCommandLineOption digital(QStringLiteral("digital"),
                                     QStringLiteral("Digital channels (default 16)."), QStringLiteral("n"),
                                     QStringLiteral("16"));
    const QCommandLineOption multiplier(QStringLiteral("multiplier"),
                                        QStringLiteral("1997 time multiplier (default 1)."),
                                        QStringLiteral("m"), QStringLiteral("1"));
    const QCommandLineOption lf(QStringLiteral("lf"),
                                QStringLiteral("End text lines with LF instead of CR LF."));
    const QCommandLineOption header(QStringLiteral("header"),
                                    QStringLiteral("Also write a .hdr with this text."),
                                    QStringLiteral("text"));
    p.addOptions(
        {sample, revision, format, samples, rate, frequency, analog, digital, multiplier, lf, header});
    p.addPositionalArgument(QStringLiteral("base"), QStringLiteral("Output path without extension."));
    p.process(app);
    if (p.positionalArguments().size() != 1) {
        std::fprintf(stderr, "%s\n", qPrintable(p.helpText()));
        return 2;
    }

    GenSpec spec;
    if (p.isSet(sample)) {
        spec = SampleRecordSpec();
    } else {
        const DataFormat fmt = p.value(format).compare(QLatin1String("ascii"), Qt::CaseInsensitive) == 0
                                   ? DataFormat::Ascii
                                   : DataFormat::Binary;
        spec =
            BenchRecordSpec(p.value(samples).toInt(), p.value(analog).toInt(), p.value(digital).toInt(), fmt);
        spec.revision = p.value(revision) == QLatin1String("1991") ? Revision::R1991 : Revision::R1997;
        spec.sampleRate = p.value(rate).toInt();
        spec.lineFrequency = p.value(frequency).toDouble();
        spec.timeMultiplier = p.value(multiplier).toDouble();
        spec.timeMultiplierText = p.value(multiplier);
    }
    if (p.isSet(lf))
        spec.crlf = false;
    if (p.isSet(header))
        spec.header = p.value(header);

    QString error;
    if (!WriteRecord(spec, p.positionalArguments().first(), &error)) {
        std::fprintf(stderr, "vesdra_gencomtrade: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
