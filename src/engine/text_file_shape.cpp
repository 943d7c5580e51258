// Text-file shapes the readers refuse; see text_file_shape.h.
#include "engine/text_file_shape.h"

#include <cstring>

#include "platform/cp1252.h"

TextFileShape or_text_file_shape(std::FILE* stream) {
  static constexpr std::size_t kBlock = 65536;
  static thread_local char block[kBlock];
  std::size_t got = std::fread(block, 1, kBlock, stream);
  bool failed = std::ferror(stream) != 0;
  std::clearerr(stream);
  std::fseek(stream, 0, SEEK_SET);
  if (failed) return TextFileShape::kUsable;
  if (got == 0) return TextFileShape::kEmpty;
  const auto* b = reinterpret_cast<const unsigned char*>(block);
  if (got >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) return TextFileShape::kUtf8Mark;
  if (got >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF)))
    return TextFileShape::kUtf16;
  // UTF-16 without a mark: text in one byte of every pair, zero in the other.
  if (got >= 4 && ((b[0] != 0 && b[1] == 0 && b[2] != 0 && b[3] == 0) ||
                   (b[0] == 0 && b[1] != 0 && b[2] == 0 && b[3] != 0)))
    return TextFileShape::kUtf16;
  // A carriage return not followed by a line feed; one as the file's very
  // last byte only ends its last line.
  for (std::size_t i = 0; i + 1 < got; ++i)
    if (b[i] == '\r' && b[i + 1] != '\n') return TextFileShape::kLoneCr;
  return TextFileShape::kUsable;
}

const char* or_text_file_shape_text(TextFileShape shape, int language) {
  static const char* const kTexts[4][3] = {
      {"Il file %s è vuoto"_cp, "Die Datei %s ist leer", "The file %s is empty"},
      {"Il file %s è in UTF-8 con BOM: salvarlo come testo ANSI (Windows-1252)"_cp,
       "Die Datei %s ist UTF-8 mit BOM: als ANSI-Text (Windows-1252) speichern",
       "The file %s is UTF-8 with a BOM: save it as ANSI text (Windows-1252)"},
      {"Il file %s è in UTF-16 (Unicode): salvarlo come testo ANSI (Windows-1252)"_cp,
       "Die Datei %s ist UTF-16 (Unicode): als ANSI-Text (Windows-1252) speichern",
       "The file %s is UTF-16 (Unicode): save it as ANSI text (Windows-1252)"},
      {"Il file %s ha righe chiuse dal solo CR: fine riga non riconosciuta",
       "Die Datei %s beendet ihre Zeilen nur mit CR: Zeilenende nicht erkannt",
       "The file %s ends its lines with CR alone: line ends not recognised"},
  };
  if (shape == TextFileShape::kUsable) return nullptr;
  if (language < 0 || language > 2) language = 0;
  return kTexts[static_cast<int>(shape) - 1][language];
}

long or_cut_last_line(std::FILE* stream) {
  static constexpr std::size_t kBlock = 65536;
  static thread_local char block[kBlock];
  long line_ends = 0;
  int last = -1;
  std::size_t got;
  while ((got = std::fread(block, 1, kBlock, stream)) > 0) {
    for (std::size_t i = 0; i < got; ++i) line_ends += block[i] == '\n';
    last = static_cast<unsigned char>(block[got - 1]);
  }
  bool failed = std::ferror(stream) != 0;
  std::clearerr(stream);
  std::fseek(stream, 0, SEEK_SET);
  if (failed || line_ends == 0 || last == '\n') return 0;
  return line_ends + 1;
}

const char* or_cut_last_line_text(int language) {
  static const char* const kTexts[3] = {
      "Il file \xE8 troncato: la riga %ld, l'ultima, non \xE8 completa (manca l'a capo) e i suoi dati "
      "possono essere persi o tagliati",
      "Die Datei ist abgeschnitten: Zeile %ld, die letzte, ist nicht vollst\xE4ndig (der Zeilenumbruch fehlt), "
      "ihre Daten k\xF6nnen verloren oder gek\xFCrzt sein",
      "The file is cut off: line %ld, the last, is not complete (its line end is missing), and its data may be "
      "lost or cut short"};
  if (language < 0 || language > 2) language = 0;
  return kTexts[language];
}
