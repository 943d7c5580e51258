// Reader of a SISSI (Axios) export: pipe-separated records, one per
// teaching assignment (school code, teacher id and name, class id, class
// with its study track, subject id and name, weekly hours). In import mode
// it adds to the working model the study tracks, sections, classes,
// teachers and subjects the file names and the school lacks, with their
// SISSI identifiers, and returns one import row per record. In
// code-correction mode it adds no teacher, class or subject and collects
// the file's names and identifiers in a correspondence table instead.
//
// Records are bounded (kSissiRecordLimit bytes); a longer record keeps its
// first part. Every table index is checked before a write; a limit reached
// stops the read with its message. Files of a few thousand records.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

inline constexpr std::size_t kSissiRecordLimit = 65536;  // a record and its continuation lines

struct SissiImportRow {
  std::int32_t number = 0;  // 1-based, file order
  std::int32_t teacher = -1;
  std::int32_t class_index = -1;
  std::int32_t track = 0;
  std::int32_t subject = -1;
  std::uint8_t hours = 1;
  std::uint8_t configured = 0;
  std::uint8_t to_import = 0;
  std::uint8_t selected = 0;
};

struct SissiCorrespondence {
  char class_name[21] = {};
  char subject_name[21] = {};
  char teacher_name[21] = {};
  char class_id[17] = {};
  char subject_id[9] = {};
  char teacher_id[17] = {};
  std::uint8_t candidate = 0;
};

struct SissiImport {
  std::vector<SissiImportRow> rows;
  std::vector<SissiCorrespondence> entries;
  int entry_count = 0;  // entries in use, from the front
};

// Reads the export at `path` (a local path) into `out`; 0 read, -1 when the
// file is missing or a limit or a bad class name stopped the read, after
// `tell` got the message. What was added before a stop stays in the working
// model; the caller decides whether it stays.
int og_read_sissi_export(const std::string& path, bool code_correction, SissiImport& out,
                         const std::function<void(const std::string&)>& tell);

// "ZZ " before a name that does not begin with a letter, within 20
// characters.
std::string og_sissi_prefixed_name(const std::string& name);
