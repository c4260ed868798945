#pragma once
#include <QString>
#include <cstdint>
#include <utility>
#include <vector>

// Synthetic COMTRADE records (IEEE C37.111, revisions 1991 and 1997) with
// exactly known contents, for the tests, the benchmarks and the bundled sample.
//
// Every analog sample is generated as an engineering value v, stored in the
// .dat as the raw integer x = round((v - b) / a) clamped to 16 bits, so a
// reader that computes a·x + b must give ExpectedValue() for every sample.
// Sample numbers s and channel numbers c are 1-based throughout.
namespace vesdra::gen {

enum class Revision { R1991, R1997 };
enum class DataFormat { Ascii, Binary };

struct AnalogSpec {
    QString name;    // ch_id
    QString phase;   // ph
    QString circuit; // ccbm
    QString units{"V"};
    // v(t) = dc + amplitude · sin(2π·f·t + phaseDeg), t in seconds from the
    // first sample; between the record's fault samples the amplitude is
    // faultAmplitude instead (when that is not negative).
    double amplitude{0};
    double phaseDeg{0};
    double dc{0};
    double faultAmplitude{-1};
    double postFaultAmplitude{-1}; // after faultEnd (a breaker that opened)
    double skew{0};                // microseconds, written as is
    double a{1};
    double b{0};
    double primary{1};   // 1997 only
    double secondary{1}; // 1997 only
    QString ps{"P"};     // 1997 only, written as is (blanks and case kept)
};

struct DigitalSpec {
    QString name;
    // State at sample s: initial, flipped once for every toggle sample <= s,
    // and, when period > 0, flipped on every period samples (a square wave:
    // samples 1..period keep the start level, the next period the other one).
    int initial{0};
    std::vector<std::int32_t> toggles; // ascending sample numbers
    std::int32_t period{0};
};

struct GenSpec {
    Revision revision{Revision::R1997};
    DataFormat format{DataFormat::Binary};
    QString station{"SUBESTACION"};
    QString device{"REGISTRADOR"};
    std::vector<AnalogSpec> analog;
    std::vector<DigitalSpec> digital;
    double lineFrequency{50};
    std::int32_t sampleRate{1000}; // Hz; the time stamps follow it
    std::int32_t samples{1000};
    // Sample range [faultStart, faultEnd] that uses the fault amplitudes.
    std::int32_t faultStart{0};
    std::int32_t faultEnd{-1};
    // Number written for the first analog channel ("An"); 0 makes a file
    // that numbers its channels from 0.
    std::int32_t firstChannelNumber{1};
    // Numbers written for each analog (digital) channel instead, when not
    // empty: recorders leave gaps (1, 2, 4, 5, 6) or start anywhere (10..14).
    std::vector<std::int32_t> analogNumbers;
    std::vector<std::int32_t> digitalNumbers;
    // Rate lines written instead of the single "sampleRate,samples" line,
    // when not empty: (rate, last sample) per segment. The time stamps still
    // follow sampleRate.
    std::vector<std::pair<std::int32_t, std::int32_t>> rateSegments;
    // 1997 time multiplier line; the .dat time stamps are the true times in
    // microseconds divided by it, so raw · multiplier is the time again.
    double timeMultiplier{1};
    QString timeMultiplierText; // written instead of the number when not empty
    bool zeroRateCount{false};  // write nrates 0 and one "0,samples" line
    QString startTime{"01/06/2004,10:15:30.000000"};
    QString triggerTime{"01/06/2004,10:15:30.500000"};
    bool crlf{true}; // line ends of every text file written
    QString header;  // .hdr text; no .hdr is written when empty
};

// Writes <base>.cfg, <base>.dat and (when GenSpec asks for one) <base>.hdr.
// Each file goes to a temporary name first, so a failure leaves no partial
// file. On failure returns false and says why in *error (when given).
[[nodiscard]] bool WriteRecord(const GenSpec& spec, const QString& basePathWithoutExt,
                               QString* error = nullptr);

// The texts of the three files, for small records built in memory.
[[nodiscard]] QByteArray CfgText(const GenSpec& spec);
[[nodiscard]] QByteArray DatBytes(const GenSpec& spec);

// What a correct reader must find.
[[nodiscard]] double EngineeringValue(const GenSpec& spec, std::int32_t c, std::int32_t s);
[[nodiscard]] std::int16_t RawValue(const GenSpec& spec, std::int32_t c, std::int32_t s);
// a·x + b computed in double and rounded once to single precision, as the
// record holds it (the file's own value).
[[nodiscard]] float ExpectedValue(const GenSpec& spec, std::int32_t c, std::int32_t s);
// 1997: the values referred to each side, following the channel's P/S flag
// (trimmed, upper-cased): the file's own value, or that value times the
// ratio of the ratings, computed in double and rounded once; the file's own
// value on both sides for any other flag or for ratings that give no ratio
// (one is 0).
[[nodiscard]] float ExpectedPrimary(const GenSpec& spec, std::int32_t c, std::int32_t s);
[[nodiscard]] float ExpectedSecondary(const GenSpec& spec, std::int32_t c, std::int32_t s);
[[nodiscard]] int DigitalState(const GenSpec& spec, std::int32_t d, std::int32_t s);
// The time stamp written in the .dat for sample s, and the time it stands for
// (microseconds) once multiplied by the time multiplier.
[[nodiscard]] std::int32_t RawTimeStamp(const GenSpec& spec, std::int32_t s);
[[nodiscard]] double TimeMicroseconds(const GenSpec& spec, std::int32_t s);
// Bytes of one BINARY sample record: 4 + 4 + 2·nA + 2·ceil(nD / 16).
[[nodiscard]] std::int64_t BinaryRecordSize(const GenSpec& spec);

// Appends three channels <names[0..2]> 120 degrees apart (A, B-120, C+120).
void AddThreePhase(GenSpec& spec, const QString& nameA, const QString& nameB, const QString& nameC,
                   const QString& circuit, const QString& units, double amplitude, double faultAmplitude,
                   double a, double primary = 1, double secondary = 1, const QString& ps = "P");

// The bundled sample record: 1997 BINARY, 50 Hz, 1200 samples/s, 1.2 s,
// voltages VA VB VC and currents IA IB IC with a phase A to ground fault in
// the middle, a neutral current, a DC battery voltage and 24 digital channels.
[[nodiscard]] GenSpec SampleRecordSpec();

// The benchmark record: nA analog channels in three-phase sets of sines and
// nD digital square waves of different periods, 1000 samples/s, 1997.
[[nodiscard]] GenSpec BenchRecordSpec(std::int32_t samples, std::int32_t analog, std::int32_t digital,
                                      DataFormat format);

} // namespace vesdra::gen
