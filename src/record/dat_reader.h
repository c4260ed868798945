#pragma once
#include "record/read_result.h"
#include "record/record_model.h"

namespace vesdra {

// The .dat readers fill the sample matrices of a record model from its
// RutaDat, with the counts and factors its .cfg gave: every rate segment's
// samples (up to the last segment's end sample, MuestrasAnunciadas), each
// analog value scaled to a*x + b, the digital channels as 0/1, the time
// stamps times MultTiempo (when it is not 0), and TasaCalculada from the
// first two time stamps (0 when they give none). A 1997 record gets both
// its sides by its P/S flags, the one first in force in Valores (the file's
// own side when every channel is referred to it, else the primary) and the
// other in ValoresOtroLado; a channel whose other side cannot be derived
// (a rating 0, or its ratio or a value times it beyond single precision)
// holds the file's values on both, and the result names it. No value the
// readers store is infinite or NaN.
//
// A data file that holds fewer whole samples than announced is read as far
// as it goes, however many are announced: the sample count becomes the
// samples present and the result says how many were announced. A sample
// cut by the end of the file is not one. Nothing is sized beyond what the
// file can hold. An empty file is refused (DatVacio); so is a record with
// no analog sample to show (no analog channel, 0 samples announced or
// whole in the file) and a file that cannot be read. A refused file leaves
// every sample matrix empty and says why.
// The opening gauge advances by 1 percent every nS / 90 samples.

// BINARY: fixed-size little-endian records (record/binary_layout.h); a last
// record cut short by the end of the file is not read, and a file shorter
// than one record is refused (DatCorto, naming its bytes and a record's).
// A file that shrinks between its measuring and its reading is read as far
// as it then goes, and told as one short from the start: no sample it no
// longer holds is shown.
[[nodiscard]] ResultadoLectura LeerDatBinario(RecordModel& r);

// ASCII: one comma-separated line per sample (CR LF or LF); empty or blank
// lines are no samples and are passed over; a file whose lines end in CR
// alone is refused (FinesDeLineaCR). Every sample line is one sample, where
// it stands, so that every later sample keeps its time, up to as many
// samples as the file could hold whole lines (each holds the commas of its
// fields): memory follows the file's size, not its count of lines. A line
// that does not hold a sample's fields (fewer, or more that are not empty:
// a field lost or two lines run together), wherever it stands and whether
// or not a line end closes it, gives nothing of its own: each of its cells
// takes the sample before it. In a line of a sample's fields, a field that
// is no number or a number beyond single precision, a value a*x + b beyond
// it and a digital field that is no whole number from 0 to 255 take the
// sample before too, the others are read. Cells before the first that can
// be read in their column take that one. The time stamp is read as written
// wherever the line has one; one that is no number (or empty), or that the
// multiplier takes beyond double precision, takes the sample before in the
// same way. The result counts such lines and names the first one's line
// number; a file with no sample line whose values are whole and readable
// is refused (SinLineaEntera). The file is read in blocks, twice (the lines
// counted, then read): a file cut short meanwhile ends the read sooner, its
// missing samples taken as lines with nothing, the line it was cut inside
// too. A line longer than its fields allow (64 characters a field) is a
// damaged line wherever it stands, and no more than a block and such a
// line is held at a time: a file of none but such lines (one without line
// ends) is refused after its first pass.
[[nodiscard]] ResultadoLectura LeerDatAscii(RecordModel& r);

// The reader of the kind the .cfg names: r.TipoFichero, trimmed and
// upper-cased (and kept so), "ASCII" or "BINARY". Any other type reads
// nothing and is refused (TipoDesconocido), the sample matrices untouched.
// The open sequence reads every data file through this.
[[nodiscard]] ResultadoLectura LeerDat(RecordModel& r);

// The samples the .cfg announces: the last rate segment's end sample (the
// largest end sample, should the segments not rise); 0 without rate lines.
[[nodiscard]] std::int64_t MuestrasAnunciadas(const RecordModel& r);

// The .cfg gives rate segments of different rates (the views count every
// sample at the first rate).
[[nodiscard]] bool TasasDistintas(const RecordModel& r);

} // namespace vesdra
