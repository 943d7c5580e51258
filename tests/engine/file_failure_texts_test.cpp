// The reasons a file message gives for a failed write or read, by the
// system's error and the user's language (a language out of range reads as
// Italian), which errors count as the disk failing, and the hint to close a
// document that holds a report.
#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "engine/text_lines.h"
#include "platform/cp1252.h"

namespace {

std::string utf8(const char* text) { return kt::cp1252_to_utf8(text); }

TEST(FileFailureTexts, EachWriteErrorHasItsReasonInEachLanguage) {
  struct Case {
    int error;
    const char* texts[3];
  } cases[] = {
      {ENOSPC, {"Disco pieno: non c'è più spazio per scrivere il file", "Datenträger voll: kein Platz mehr, um die Datei zu schreiben",
                "Disk full: no space left to write the file"}},
      {EDQUOT, {"Disco pieno: non c'è più spazio per scrivere il file", "Datenträger voll: kein Platz mehr, um die Datei zu schreiben",
                "Disk full: no space left to write the file"}},
      {EACCES, {"Accesso negato: mancano i diritti di scrittura", "Zugriff verweigert: keine Schreibrechte",
                "Access denied: no right to write"}},
      {EPERM, {"Accesso negato: mancano i diritti di scrittura", "Zugriff verweigert: keine Schreibrechte",
               "Access denied: no right to write"}},
      {EROFS, {"Disco protetto da scrittura", "Datenträger schreibgeschützt", "Disk is read-only"}},
      {EIO, {"Errore del disco in scrittura", "Schreibfehler des Datenträgers", "Disk write error"}},
      {EISDIR, {"Al posto del file c'è una cartella", "An Stelle der Datei steht ein Ordner", "A folder stands in the file's place"}},
      {0, {"Il file non è stato scritto intero", "Die Datei wurde nicht ganz geschrieben", "The file was not written whole"}},
      {EBADF, {"Il file non è stato scritto intero", "Die Datei wurde nicht ganz geschrieben", "The file was not written whole"}},
      {ENOENT, {"Il file non è stato scritto intero", "Die Datei wurde nicht ganz geschrieben", "The file was not written whole"}},
  };
  for (const Case& c : cases)
    for (int language = 0; language < 3; ++language)
      EXPECT_EQ(utf8(or_write_failure_reason(c.error, language)), c.texts[language]) << c.error << " " << language;
  EXPECT_EQ(utf8(or_write_failure_reason(ENOSPC, 3)), cases[0].texts[0]);
  EXPECT_EQ(utf8(or_write_failure_reason(EROFS, -1)), "Disco protetto da scrittura");
}

TEST(FileFailureTexts, TheReadReasonAndTheDocumentHintFollowTheLanguage) {
  const char* read[3] = {"Errore di lettura del file (il file non è stato letto intero)",
                         "Lesefehler (die Datei wurde nicht ganz gelesen)", "Read error (the file was not read whole)"};
  const char* hint[3] = {"(Chiudere il documento Word o Xls in uso e ripetere l'operazione)", "translate",
                         "Close document and repeat operation)"};
  for (int language = 0; language < 3; ++language) {
    EXPECT_EQ(utf8(or_read_failure_reason(language)), read[language]);
    EXPECT_EQ(utf8(or_close_document_hint(language)), hint[language]);
  }
  EXPECT_EQ(utf8(or_read_failure_reason(3)), read[0]);
  EXPECT_EQ(utf8(or_read_failure_reason(-1)), read[0]);
  EXPECT_EQ(utf8(or_close_document_hint(7)), hint[0]);
  EXPECT_EQ(utf8(or_close_document_hint(-2)), hint[0]);
}

TEST(FileFailureTexts, OnlyTheDisksOwnErrorsCountAsItsFailure) {
  for (int e : {ENOSPC, EDQUOT, EROFS, EIO}) EXPECT_TRUE(or_is_disk_failure(e)) << e;
  for (int e : {0, EACCES, EPERM, EISDIR, ENOENT, EBADF, EBUSY}) EXPECT_FALSE(or_is_disk_failure(e)) << e;
}

}  // namespace
