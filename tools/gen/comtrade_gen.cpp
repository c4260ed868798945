#include "gen/comtrade_gen.h"

#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "platform/base/cp1252.h"

namespace vesdra::gen {
namespace {

bool Is1997(const GenSpec& spec)
{
    return spec.revision == Revision::R1997;
}

std::int32_t NumAnalog(const GenSpec& spec)
{
    return static_cast<std::int32_t>(spec.analog.size());
}
std::int32_t NumDigital(const GenSpec& spec)
{
    return static_cast<std::int32_t>(spec.digital.size());
}
std::int32_t NumWords(const GenSpec& spec)
{
    return (NumDigital(spec) + 15) / 16;
}

// Shortest text that reads back as the same double ("0.001", "1e-05", "50").
std::string Num(double v)
{
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Num(std::int64_t v)
{
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, r.ptr);
}

std::string Text(const QString& s)
{
    const QByteArray b = ToCp1252(s);
    return std::string(b.constData(), static_cast<size_t>(b.size()));
}

double Amplitude(const GenSpec& spec, const AnalogSpec& ch, std::int32_t s)
{
    if (s >= spec.faultStart && s <= spec.faultEnd && ch.faultAmplitude >= 0)
        return ch.faultAmplitude;
    if (s > spec.faultEnd && spec.faultEnd >= spec.faultStart && ch.postFaultAmplitude >= 0)
        return ch.postFaultAmplitude;
    return ch.amplitude;
}

std::int16_t ToRaw(double v, const AnalogSpec& ch)
{
    const double x = std::nearbyint((v - ch.b) / ch.a);
    return static_cast<std::int16_t>(std::clamp(x, -32768.0, 32767.0));
}

// Per-sample generator shared by the BINARY and ASCII writers: fills the raw
// values and digital states of one sample after the other, keeping the
// digital toggle positions as running state so a long record costs O(samples).
class SampleSource
{
public:
    explicit SampleSource(const GenSpec& spec)
        : spec_(spec), raw_(spec.analog.size()), states_(spec.digital.size()), next_(spec.digital.size(), 0)
    {
    }

    void Fill(std::int32_t s)
    {
        for (size_t c = 0; c < spec_.analog.size(); ++c)
            raw_[c] = RawValue(spec_, static_cast<std::int32_t>(c + 1), s);
        for (size_t d = 0; d < spec_.digital.size(); ++d) {
            const DigitalSpec& ds = spec_.digital[d];
            while (next_[d] < ds.toggles.size() && ds.toggles[next_[d]] <= s)
                ++next_[d];
            int state = ds.initial ^ static_cast<int>(next_[d] & 1U);
            if (ds.period > 0)
                state ^= static_cast<int>(((s - 1) / ds.period) & 1);
            states_[d] = static_cast<std::uint8_t>(state & 1);
        }
    }

    [[nodiscard]] const std::vector<std::int16_t>& Raw() const { return raw_; }
    [[nodiscard]] const std::vector<std::uint8_t>& States() const { return states_; }

private:
    const GenSpec& spec_;
    std::vector<std::int16_t> raw_;
    std::vector<std::uint8_t> states_;
    std::vector<size_t> next_;
};

void PutLe16(std::string& out, std::uint16_t v)
{
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

void PutLe32(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void PutInt(std::string& out, std::int64_t v)
{
    char buf[24];
    auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
}

// Produces the .dat in chunks of about 1 MB; sink returns false to stop.
bool GenerateDat(const GenSpec& spec, const std::function<bool(const std::string&)>& sink)
{
    constexpr size_t kChunk = 1 << 20;
    const char* eol = spec.crlf ? "\r\n" : "\n";
    const std::int32_t nWords = NumWords(spec);
    SampleSource src(spec);
    std::string out;
    out.reserve(kChunk + 4096);
    for (std::int32_t s = 1; s <= spec.samples; ++s) {
        src.Fill(s);
        const std::int32_t t = RawTimeStamp(spec, s);
        if (spec.format == DataFormat::Binary) {
            PutLe32(out, static_cast<std::uint32_t>(s));
            PutLe32(out, static_cast<std::uint32_t>(t));
            for (std::int16_t x : src.Raw())
                PutLe16(out, static_cast<std::uint16_t>(x));
            const auto& st = src.States();
            for (std::int32_t w = 0; w < nWords; ++w) {
                std::uint16_t word = 0;
                for (std::int32_t k = 0; k < 16; ++k) {
                    const size_t d = static_cast<size_t>(w) * 16 + static_cast<size_t>(k);
                    if (d < st.size() && st[d])
                        word |= static_cast<std::uint16_t>(1U << k);
                }
                PutLe16(out, word);
            }
        } else {
            PutInt(out, s);
            out.push_back(',');
            PutInt(out, t);
            for (std::int16_t x : src.Raw()) {
                out.push_back(',');
                PutInt(out, x);
            }
            for (std::uint8_t d : src.States()) {
                out.push_back(',');
                out.push_back(d ? '1' : '0');
            }
            out.append(eol);
        }
        if (out.size() >= kChunk) {
            if (!sink(out))
                return false;
            out.clear();
        }
    }
    return out.empty() || sink(out);
}

QByteArray HdrText(const GenSpec& spec)
{
    QString text = spec.header;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    if (!text.endsWith(QLatin1Char('\n')))
        text += QLatin1Char('\n');
    if (spec.crlf)
        text.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    return ToCp1252(text);
}

bool Fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return false;
}

bool WriteWhole(const QString& path, const std::function<bool(QSaveFile&)>& body, QString* error)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return Fail(error, QStringLiteral("cannot create %1: %2").arg(path, f.errorString()));
    if (!body(f)) {
        f.cancelWriting();
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    }
    if (!f.commit())
        return Fail(error, QStringLiteral("cannot write %1: %2").arg(path, f.errorString()));
    return true;
}

} // namespace

std::int64_t BinaryRecordSize(const GenSpec& spec)
{
    return 8 + 2 * NumAnalog(spec) + 2 * NumWords(spec);
}

double EngineeringValue(const GenSpec& spec, std::int32_t c, std::int32_t s)
{
    const AnalogSpec& ch = spec.analog.at(static_cast<size_t>(c - 1));
    const double t = (s - 1) / static_cast<double>(spec.sampleRate);
    const double w = 2 * std::numbers::pi * spec.lineFrequency;
    double amp = Amplitude(spec, ch, s);
    return ch.dc + amp * std::sin(w * t + ch.phaseDeg * std::numbers::pi / 180);
}

std::int16_t RawValue(const GenSpec& spec, std::int32_t c, std::int32_t s)
{
    return ToRaw(EngineeringValue(spec, c, s), spec.analog.at(static_cast<size_t>(c - 1)));
}

float ExpectedValue(const GenSpec& spec, std::int32_t c, std::int32_t s)
{
    const AnalogSpec& ch = spec.analog.at(static_cast<size_t>(c - 1));
    return static_cast<float>(static_cast<double>(RawValue(spec, c, s)) * ch.a + ch.b);
}

namespace {

// The channel's value referred to the side that `primary` names: the file's
// own value when the flag names that side, names none, or the ratings give
// no ratio (one is 0 or not finite); else that value times the ratio.
float ExpectedSide(const GenSpec& spec, std::int32_t c, std::int32_t s, bool primary)
{
    const AnalogSpec& ch = spec.analog.at(static_cast<size_t>(c - 1));
    const QString flag = ch.ps.trimmed().toUpper();
    const float v = ExpectedValue(spec, c, s);
    if (flag != QLatin1String("P") && flag != QLatin1String("S"))
        return v;
    if ((flag == QLatin1String("P")) == primary)
        return v;
    const double from = primary ? ch.secondary : ch.primary;
    const double to = primary ? ch.primary : ch.secondary;
    const double ratio = to / from;
    if (!std::isfinite(from) || !std::isfinite(to) || from == 0 || to == 0 || !std::isfinite(ratio) ||
        ratio == 0)
        return v;
    return static_cast<float>(v * ratio);
}

} // namespace

float ExpectedPrimary(const GenSpec& spec, std::int32_t c, std::int32_t s)
{
    return ExpectedSide(spec, c, s, true);
}

float ExpectedSecondary(const GenSpec& spec, std::int32_t c, std::int32_t s)
{
    return ExpectedSide(spec, c, s, false);
}

int DigitalState(const GenSpec& spec, std::int32_t d, std::int32_t s)
{
    const DigitalSpec& ds = spec.digital.at(static_cast<size_t>(d - 1));
    const auto flips = std::upper_bound(ds.toggles.begin(), ds.toggles.end(), s) - ds.toggles.begin();
    int state = ds.initial ^ static_cast<int>(flips & 1);
    if (ds.period > 0)
        state ^= ((s - 1) / ds.period) & 1;
    return state & 1;
}

std::int32_t RawTimeStamp(const GenSpec& spec, std::int32_t s)
{
    double t = (s - 1) * 1e6 / spec.sampleRate;
    if (Is1997(spec) && spec.timeMultiplier != 0)
        t /= spec.timeMultiplier;
    return static_cast<std::int32_t>(std::llround(t));
}

double TimeMicroseconds(const GenSpec& spec, std::int32_t s)
{
    const double raw = RawTimeStamp(spec, s);
    return Is1997(spec) && spec.timeMultiplier != 0 ? raw * spec.timeMultiplier : raw;
}

QByteArray CfgText(const GenSpec& spec)
{
    const std::string eol = spec.crlf ? "\r\n" : "\n";
    const bool y97 = Is1997(spec);
    const std::int32_t nA = NumAnalog(spec);
    const std::int32_t nD = NumDigital(spec);
    std::string out;
    out += Text(spec.station) + "," + Text(spec.device) + (y97 ? ",1997" : "") + eol;
    out +=
        Num(std::int64_t{nA + nD}) + "," + Num(std::int64_t{nA}) + "A," + Num(std::int64_t{nD}) + "D" + eol;
    for (std::int32_t c = 1; c <= nA; ++c) {
        const AnalogSpec& ch = spec.analog[static_cast<size_t>(c - 1)];
        const std::int64_t number = spec.analogNumbers.empty()
                                        ? std::int64_t{c - 1 + spec.firstChannelNumber}
                                        : std::int64_t{spec.analogNumbers.at(static_cast<size_t>(c - 1))};
        out += Num(number) + "," + Text(ch.name) + "," + Text(ch.phase) + "," + Text(ch.circuit) + "," +
               Text(ch.units) + "," + Num(ch.a) + "," + Num(ch.b) + "," + Num(ch.skew) + ",-32768,32767";
        if (y97)
            out += "," + Num(ch.primary) + "," + Num(ch.secondary) + "," + Text(ch.ps);
        out += eol;
    }
    for (std::int32_t d = 1; d <= nD; ++d) {
        const DigitalSpec& ds = spec.digital[static_cast<size_t>(d - 1)];
        const std::int64_t number = spec.digitalNumbers.empty()
                                        ? std::int64_t{d - 1 + spec.firstChannelNumber}
                                        : std::int64_t{spec.digitalNumbers.at(static_cast<size_t>(d - 1))};
        out += Num(number) + "," + Text(ds.name) + (y97 ? ",,," : ",") + Num(std::int64_t{ds.initial}) + eol;
    }
    out += Num(spec.lineFrequency) + eol;
    if (!spec.rateSegments.empty()) {
        out += Num(static_cast<std::int64_t>(spec.rateSegments.size())) + eol;
        for (const auto& [rate, last] : spec.rateSegments)
            out += Num(std::int64_t{rate}) + "," + Num(std::int64_t{last}) + eol;
    } else if (spec.zeroRateCount) {
        out += "0" + eol + "0," + Num(std::int64_t{spec.samples}) + eol;
    } else {
        out += "1" + eol + Num(std::int64_t{spec.sampleRate}) + "," + Num(std::int64_t{spec.samples}) + eol;
    }
    out += Text(spec.startTime) + eol + Text(spec.triggerTime) + eol;
    out += (spec.format == DataFormat::Binary ? "BINARY" : "ASCII") + eol;
    if (y97)
        out +=
            (spec.timeMultiplierText.isEmpty() ? Num(spec.timeMultiplier) : Text(spec.timeMultiplierText)) +
            eol;
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

QByteArray DatBytes(const GenSpec& spec)
{
    QByteArray all;
    (void)GenerateDat(spec, [&all](const std::string& chunk) {
        all.append(chunk.data(), static_cast<qsizetype>(chunk.size()));
        return true;
    });
    return all;
}

bool WriteRecord(const GenSpec& spec, const QString& base, QString* error)
{
    if (spec.samples < 0 || spec.sampleRate <= 0)
        return Fail(error, QStringLiteral("the sample count and rate must be positive"));
    for (const AnalogSpec& ch : spec.analog)
        if (ch.a == 0)
            return Fail(error, QStringLiteral("channel %1 has a factor a of 0").arg(ch.name));
    const bool datOk = WriteWhole(
        base + QStringLiteral(".dat"),
        [&spec](QSaveFile& f) {
            return GenerateDat(spec, [&f](const std::string& chunk) {
                return f.write(chunk.data(), static_cast<qint64>(chunk.size())) ==
                       static_cast<qint64>(chunk.size());
            });
        },
        error);
    if (!datOk)
        return false;
    if (!spec.header.isEmpty()) {
        const QByteArray hdr = HdrText(spec);
        if (!WriteWhole(
                base + QStringLiteral(".hdr"), [&hdr](QSaveFile& f) { return f.write(hdr) == hdr.size(); },
                error))
            return false;
    }
    const QByteArray cfg = CfgText(spec);
    return WriteWhole(
        base + QStringLiteral(".cfg"), [&cfg](QSaveFile& f) { return f.write(cfg) == cfg.size(); }, error);
}

void AddThreePhase(GenSpec& spec, const QString& nameA, const QString& nameB, const QString& nameC,
                   const QString& circuit, const QString& units, double amplitude, double faultAmplitude,
                   double a, double primary, double secondary, const QString& ps)
{
    const QString names[3] = {nameA, nameB, nameC};
    const QString phases[3] = {QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")};
    const double angles[3] = {0, -120, 120};
    for (int i = 0; i < 3; ++i) {
        AnalogSpec ch;
        ch.name = names[i];
        ch.phase = phases[i];
        ch.circuit = circuit;
        ch.units = units;
        ch.amplitude = amplitude;
        ch.faultAmplitude = i == 0 ? faultAmplitude : -1;
        ch.phaseDeg = angles[i];
        ch.a = a;
        ch.primary = primary;
        ch.secondary = secondary;
        ch.ps = ps;
        spec.analog.push_back(ch);
    }
}

} // namespace vesdra::gen
