// The user's texts of the data-file search and restore, Italian, German and
// English, as the system has always shown them (the German rows that were
// never translated stay as they are). Converted to 1252 at compile time.
#include "platform/cp1252.h"
#include "schooldata/data_file_restore.h"

namespace {

struct Row {
  const char* text[3];
};

const Row kRows[] = {
    {{"Selezionare una Cartella / Scuola prima di procedere",
      "Wählen Sie einen Ordner / Schule, bevor Sie fortfahren"_cp, "Select a Folder / School before proceeding"}},
    {{"Scegliere una cartella diversa da quella in uso", "Wählen Sie eine andere als die im Einsatz Ordner"_cp,
      "Choose a folder other than the one in use"}},
    {{"Sicuro di ricoprire la configurazione esistente?",
      "Achten Sie darauf, die bestehende Konfiguration zu decken?", "Sure to cover the existing configuration?"}},
    {{"ATTENZIONE: Il file sulla Penna USB è meno recente di quello sul disco! Sicuro di ricoprire la "
      "configurazione esistente?"_cp,
      "ACHTUNG: Die Datei auf dem USB-Stick ist früher als die auf der Disc! Achten Sie darauf, die bestehende "
      "Konfiguration zu decken?"_cp,
      "CAUTION: The file on the USB pen drive is less recent than the one on the disc! Sure to cover the "
      "existing configuration?"}},
    {{"ATTENZIONE: la cancellazione del file:\n\n[%s]\n\nsarà irreversibile.\n\nSicuri di procedere?"_cp,
      "ACHTUNG: das Löschen der Datei: \n\n[%s]\n\n wird unumkehrbar sein.\n\nSicher, um fortzufahren?"_cp,
      "WARNING: Deleting the file: \n\n[%s]\n\n will be irreversible.\n\nSure to proceed?"}},
    {{"Error creating [%s]", "Error creating [%s]", "Error creating [%s]"}},
    {{"Errore nella copia di [%s]: i file precedenti sono rimasti invariati",
      "Fehler beim Kopieren von [%s]: die bisherigen Dateien sind unverändert"_cp,
      "Error copying [%s]: the previous files are unchanged"}},
    {{"File di Dati di KestrinTempus esistenti nella Penna USB:", "KestrinTempus Dateien im USB Stift vorhanden:",
      "KestrinTempus Data Files existing in USB Pen:"}},
    {{"File di Dati di KestrinTempus esistenti in tutto il Computer:",
      "KestrinTempus Dateien im gesamten Computer vorhanden:",
      "KestrinTempus Data Files existing in the whole computer:"}},
    {{"Recupera file dati selezionato", "Recupera file dati selezionato", "Recover selected data file"}},
    {{"Cancella file dati selezionato", "Cancella file dati selezionato", "Delete selected data file"}},
    {{"Elaborazione in corso - Attendere", "Fortschritte in der Entwicklung - Bitte warten",
      "Processing in progress - Please wait"}},
    {{"Questa cartella non può essere cancellata"_cp, "Dieser Ordner kann nicht gelöscht werden"_cp,
      "This folder cannot be deleted"}},
};

}  // namespace

const char* data_file_text(DataFileText which, int language) {
  int l = language >= 0 && language <= 2 ? language : 0;
  return kRows[static_cast<int>(which)].text[l];
}
