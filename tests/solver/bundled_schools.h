// The sample schools with every teacher given a bundle of personal
// constraint lines, on a fixed week kept in tests/data/residual/weeks: most
// teacher rule families then count something on a week nobody searched for
// them.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "school_fixture.h"

// Personal constraint lines, one bundle per teacher in turn; "%P" is the
// next teacher's name (the car-share partner). Days and hours fit both a
// six-day week of five hours and a five-day week of six.
inline const char* const kBundles[] = {
    "PMIN:2-3\tPMAX:1-2\tFMIN:1-2-3\tFMAX:1-2-2\tLI:VE:",
    "EMIN:2-3-1\tEMAX:1-1-1\tCAVALLOMAX:1-2\tOP:LU:1-2",
    "OV:LU:4MA:3\tOM:ME:2\tOVMNB:GI:1\tDIMPE:VE:2\tOP:VE:4-5",
    "LI:LU:MA:\tLIALT:ME:\tGMIN:3\tGMAX:3",
    "PRESENZA:5\tINSEGNAMIN:2\tINSEGNA:4\tINSE:4-2:3-1\tXPRESE:5-1",
    "GL:3-2\tGP:2-1\tGU:1-2\tGX:1-2-3\tLI:GI:",
    "BUK:2:1\tRIPOSO:1\tCARSHARE:%P:2\tGPAUSA:1\tLI:ME:",
    "IGNORAPAUSA:\tNOMOTOR:3\tNOMWEEK:2\tGRUPPIOREMAX:2-1\tULTIMEOREMAX:1-2\tLI:VE:\tINSEGNA:4",
    "ENTEREXIT:3-1\tBRENTIX:\tPRNS:\tMXR:2\tPAULAB:\tGMAX:4",
    "QUORVEX:3\tCLASENOC:2\tDKIF:1\tTRAMOX:2\tPLIGI:1-2\tOP:GI:1-5",
    "SEGRUBI:2-1\tPRELA:1-3\tFERCAV:1-2-3\tPAUSAMEPER:3-30-60-3\tMXR:1\tOP:LU:4-5",
    "MAXBUDAYPER:2\tTEKGRADO:1-2\tLABRIFOL:1\tLI:MA:\tPMIN:1-2",
    "GMAX:2\tFMIN:5-5-2\tGL:2-0\tGX:0-1-1\tQUORVEX:1",
};
inline constexpr int kBundleCount = static_cast<int>(sizeof kBundles / sizeof kBundles[0]);

// A school-wide weekly gap allowance, day limits and a lunch pause that
// asks for two hours after the return, for the schools that give none.
inline constexpr const char* kSchoolLimits =
    "IHBUCHE:\t2-0:99-1\t\nIGGIORNI:\t3-1:5-2\t\nIHMINIMO:\t2-1\t\nPAUSAMENSA:\t3-30-60-2\t\n";

struct BundledWeek {
  const char* name;    // of the recorded files and the test
  const char* school;  // examples/...
  const char* week;    // tests/data/residual/weeks/...
  int shift;           // teacher i takes bundle (i + shift) mod the bundles; < 0: the school's own lines
  const char* school_lines = "";  // after the header's last line
  bool lesson_items = false;       // piccola's teaching lines take kLessonItems
};

// Class items on some of piccola's teaching lines: consecutive-hour maps,
// daily subject limits, incompatible subjects, the class's forbidden hours,
// prolonged hours and tasks.
inline const char* const kLessonItems[][2] = {
    {"ROSSI\t1A 6\t", "ROSSI\t1A 6 G:222 PMGY:2 MNIG:MATEMATICA:\t"},
    {"BIANCHI\t3A 6\t", "BIANCHI\t3A 6 G:33 KOP:LU:1-2MA:4-5\t"},
    {"COLOMBO\t1A 4\t", "COLOMBO\t1A 4 ORP:2 K:2:1-4\t"},
    {"RICCI\t1B 4\t", "RICCI\t1B 4 J:1:2-5 G:22\t"},
    {"FERRARI\t2B 6\t", "FERRARI\t2B 6 G:2211 PMGY:1\t"},
    {"ESPOSITO\t3B 6\t", "ESPOSITO\t3B 6 KOP:SA:1-5 G:222\t"},
};

inline void PrintTo(const BundledWeek& c, std::ostream* out) { *out << c.name; }

inline std::vector<std::string> split_lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The school's description with each "V:" line replaced by its bundle and
// the school lines put after the header.
inline std::string with_bundles(const std::string& text, const BundledWeek& c) {
  std::vector<std::string> lines = split_lines(text), names;
  for (const std::string& line : lines)
    if (line.rfind("V:\t", 0) == 0) names.push_back(line.substr(3, line.find('\t', 3) - 3));
  std::string out;
  bool header = true;
  int teacher = 0;
  for (const std::string& line : lines) {
    if (header && line.empty()) {
      out += c.school_lines;
      header = false;
    }
    if (line.rfind("V:\t", 0) != 0 || c.shift < 0) {
      out += line + "\n";
      continue;
    }
    int n = static_cast<int>(names.size());
    std::string bundle = kBundles[(teacher + c.shift) % kBundleCount];
    if (std::size_t at = bundle.find("%P"); at != std::string::npos)
      bundle.replace(at, 2, names[(teacher + 1) % n]);
    out += "V:\t" + names[teacher] + "\t" + bundle + "\t\n";
    ++teacher;
  }
  if (c.lesson_items) {
    for (const auto& item : kLessonItems)
      if (std::size_t at = out.find(item[0]); at != std::string::npos)
        out.replace(at, std::string(item[0]).size(), item[1]);
    out += "PAUSAMATERIA:\tSCIENZE MOTORIE-1\t\n";
  }
  return out;
}

// A residual list without the closing line's date and timing columns.
inline std::string without_clock(const std::string& text) {
  std::string out;
  for (std::string line : split_lines(text)) {
    if (line.rfind("Fine ", 0) == 0) line = line.substr(0, line.find(" ["));
    out += line + "\n";
  }
  return out;
}

// A copy of the school with the bundles and the week as its saved timetable.
inline std::unique_ptr<SchoolCopy> bundled_copy(const BundledWeek& c) {
  namespace fs = std::filesystem;
  auto school = std::make_unique<SchoolCopy>(c.school);
  fs::path description = school->folder() / "scuola2.txt";
  std::string text = with_bundles(file_text(description), c);
  std::ofstream(description, std::ios::binary | std::ios::trunc) << text;
  fs::copy_file(fs::path(KT_TEST_DATA) / "residual" / "weeks" / c.week, school->folder() / "savego.txt",
                fs::copy_options::overwrite_existing);
  return school;
}

// The weeks of the sample schools, each with its own turn of the bundles.
inline const BundledWeek kBundledWeeks[] = {
    {"piccola_saved", "piccola", "piccola_saved.txt", 0, kSchoolLimits},
    {"piccola_balanced", "piccola", "piccola_balanced.txt", 5, kSchoolLimits},
    {"piccola_overlaps", "piccola", "piccola_overlaps.txt", 9, kSchoolLimits},
    {"piccola_plain", "piccola", "piccola_saved.txt", 3},
    {"piccola_items", "piccola", "piccola_saved.txt", 1, kSchoolLimits, true},
    {"liceo_computed", "liceo", "liceo_computed.txt", 0},
    {"liceo_saved", "liceo", "liceo_saved.txt", 7},
    {"istituto_searched", "istituto", "istituto_searched.txt", 11},
};
