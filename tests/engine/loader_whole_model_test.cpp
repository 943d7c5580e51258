// Every value a description leaves in the model, read through "SYNT:": the
// school's options and band tables, each class, room, common room, building,
// subject, teacher constraint and teaching-line option (the lessons of the
// sample school are in its stored model, tests/data/loader), written as text and
// compared with the dumps under tests/data/loader/whole. The descriptions
// are the ones that use every keyword and item the desktop program writes
// (tests/data/description) and the liceo sample, so a keyword or an
// option read into the wrong field, cut or left out shows as a difference.
// KT_UPDATE_GOLDEN=1 rewrites the dumps after a deliberate change.
#include <gtest/gtest.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "loader_harness.h"
#include "platform/cp1252.h"

namespace {

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));
std::string format(const char* pattern, ...) {
  char buffer[1024];
  va_list args;
  va_start(args, pattern);
  std::vsnprintf(buffer, sizeof(buffer), pattern, args);
  va_end(args);
  return buffer;
}

template <typename T>
std::string list(const T* values, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i ? "," : "") + std::to_string(static_cast<long long>(values[i]));
  return out;
}

// A week grid as its days' hours, "-" when not configured.
std::string grid(const std::uint8_t* g) {
  if (g[0] == 255) return "-";
  std::string out;
  for (int d = 0; d < kDays; ++d) {
    if (d) out += '/';
    for (int h = 0; h < kHoursPerDay; ++h) out += g[d * kHoursPerDay + h] < 10 ? char('0' + g[d * kHoursPerDay + h]) : '*';
  }
  return out;
}

std::string band(const BandTable& b) {
  std::string out = std::to_string(b.count) + ":";
  for (int i = 0; i < b.count && i < kBandPairs; ++i) out += format(" %d-%d", b.pairs[i][0], b.pairs[i][1]);
  return out;
}

std::string triples(const TripleTable& t) {
  std::string out = std::to_string(t.count) + ":";
  for (int i = 0; i < t.count && i < kBandPairs; ++i)
    out += format(" %d-%d-%d", t.triples[i][0], t.triples[i][1], t.triples[i][2]);
  return out;
}

template <int N>
std::string pairs(const std::int8_t (*p)[2], int count) {
  std::string out = std::to_string(count) + ":";
  for (int i = 0; i < count && i < N; ++i) out += format(" %d-%d", p[i][0], p[i][1]);
  return out;
}

template <int N>
std::string upairs(const std::uint8_t (*p)[2], int count) {
  std::string out = std::to_string(count) + ":";
  for (int i = 0; i < count && i < N; ++i) out += format(" %d-%d", p[i][0], p[i][1]);
  return out;
}

std::string school_part() {
  const EngineSchool& s = g_eng_school;
  std::string out = format("school [%s] [%s] code [%s] support [%s] class-code %d\n", s.title, s.header2, s.school_code,
                           s.support_code, s.class_code_length);
  for (int d = 0; d < kDays; ++d)
    out += format("day %d [%s] [%s] [%s] hours %d provisional %d short %d\n", d, s.day_codes[d], s.day_names[d],
                  s.day_abbrevs[d], s.hours_per_day[d], s.provisional_hours_per_day[d], s.short_day[d]);
  out += format("daysprns %d oreprolu %d standby grouping %d percentage %d allowance %d band %s\n", s.daysprns_number,
                s.oreprolu, s.standby_grouping, s.standby_percentage, s.standby_allowance, band(s.standby_band).c_str());
  const std::pair<const char*, const BandTable*> bands[] = {
      {"ihminimo", &s.ihminimo},       {"ihpresenza", &s.ihpresenza},     {"ihinsegna", &s.ihinsegna},
      {"ihconpresenza", &s.ihconpresenza}, {"ihconinsegna", &s.ihconinsegna}, {"ihlabpresenza", &s.ihlabpresenza},
      {"ihlabinsegna", &s.ihlabinsegna}, {"ihbuche", &s.ihbuche},         {"ihbuchecsb", &s.ihbuchecsb},
      {"ihbuchecst", &s.ihbuchecst},   {"iggiorni", &s.iggiorni},         {"materiehsg", &s.materiehsg},
      {"ihsg", &s.ihsg},               {"ihsglab", &s.ihsglab},           {"ihsgcon", &s.ihsgcon},
      {"enterexit", &s.enterexit},     {"enterexitcon", &s.enterexitcon}, {"enterexitlab", &s.enterexitlab},
      {"gruppioremax", &s.gruppioremax}, {"ultimeoremax", &s.ultimeoremax}, {"giornipausacl", &s.giornipausacl}};
  for (const auto& [name, table] : bands) out += format("band %s %s\n", name, band(*table).c_str());
  out += format("extra insegna %s presenza %s pexdiz %s pexdiy %d\n", triples(s.ihinsegnaextra).c_str(),
                triples(s.ihpresenzaextra).c_str(), triples(s.pexdiz).c_str(), s.pexdiy);
  out += format(
      "counts subjects %d common %d teachers %d classes %d real %d lessons %d lab-lessons %d rooms %d buildings %d "
      "pause-subjects %d attre %d zendo %d lab-groups %d\n",
      s.subject_count, s.common_room_count, s.teacher_count, s.class_count, s.real_class_count, s.lesson_count,
      s.lab_lesson_count, s.room_count, s.building_count, s.pause_subject_count, s.attre_count, s.zendo_count,
      s.lab_group_count);
  out += format(
      "options maxbuday %d-%d itpleggero %d noriposoauto %d nosalu %d budime %d/%d tocomi %d/%d pamez %d/%d tekno %s "
      "[%s] rotazix %d pausamensa %s specialex %s uses %d%d%d%d%d flags %d split %d rotation-pause %s peroco %d "
      "avomax %d\n",
      s.maxbuday[0], s.maxbuday[1], s.itpleggero, s.noriposoauto, s.nosalu, s.budime, s.budime_second, s.tocomi,
      s.tocomi_second, s.pamez, s.pamez_second, list(s.tekno, 5).c_str(), s.tekno_text, s.rotazix_flag,
      list(s.pausamensa, 4).c_str(), list(s.specialex, 2).c_str(), s.uses_fercav, s.uses_dkif, s.uses_tramox,
      s.uses_pligi, s.uses_tekgrado, s.option_flags, s.split_flags, list(s.rotation_pause, 4).c_str(), s.uses_peroco,
      s.uses_avomax);
  for (int i = 0; i < s.attre_count && i < 20; ++i) out += format("attre %d [%s]\n", i, s.attre_names[i]);
  for (int i = 0; i < s.zendo_count && i < 20; ++i) out += format("zendo %d [%s]\n", i, s.zendo_names[i]);
  for (int k = 0; k < 2; ++k)
    for (int d = 0; d < kDays; ++d) {
      bool any = false;
      for (int h = 0; h < kHoursPerDay; ++h) any = any || s.timing[k][d][h];
      if (any) out += format("timing %d day %d %s\n", k, d, list(s.timing[k][d], kHoursPerDay).c_str());
    }
  return out;
}

std::string places_part() {
  const EngineSchool& s = g_eng_school;
  std::string out;
  for (int b = 0; b < s.building_count; ++b) {
    const EngineBuilding& x = g_eng_buildings[b];
    out += format("building %d [%s] no-move %d sections", b, x.name, x.no_move);
    for (int i = 0; i < x.section_count && i < kMaxBuildingSections; ++i) out += format(" %s", x.sections[i]);
    out += " classes";
    for (int i = 0; i < x.class_count && i < kMaxClasses; ++i) out += format(" %s", x.classes[i]);
    for (int i = 0; i < x.condition_count && i < kMaxBuildingConditions; ++i)
      out += format(" nocs [%s] %d %d", x.conditions[i].name, x.conditions[i].value, x.conditions[i].building);
    out += "\n";
  }
  for (int c = 0; c < s.class_count; ++c) {
    const EngineClass& x = g_eng_classes[c];
    out += format(
        "class %d [%s] [%s] lessons %d three %d building %d rotazix %d kind %d type %d parent %d keys %d,%d "
        "weekdays [%.7s] [%.7s] digits %d,%d step %d sissi [%s] weight %u gap-skip %d calendar %s\n",
        c, x.code, x.display_name, x.lesson_count, x.three_char_flag, x.building, x.rotazix, x.kind, x.room_type, x.parent,
        x.subgroup_keys[0], x.subgroup_keys[1], x.special_weekdays, x.special_weekdays_b, x.class_digits[0],
        x.class_digits[1], x.scalino_step, x.sissi_id, x.weight, x.gap_skip, grid(x.special_calendar).c_str());
    for (int k = 0; k < 2; ++k)
      for (int d = 0; d < kDays; ++d) {
        bool any = false;
        for (int h = 0; h < kHoursPerDay; ++h) any = any || x.timing[k][d][h];
        if (any) out += format("  timing %d day %d %s\n", k, d, list(x.timing[k][d], kHoursPerDay).c_str());
      }
  }
  for (int r = 0; r < s.room_count; ++r) {
    const EngineRoom& x = g_eng_rooms[r];
    out += format("room %d [%s] lab %d state %d home %d kind %d hours %s\n", r, x.name, x.lab_flag, x.allocation_state,
                  x.home_class, x.kind_or_building, grid(x.availability).c_str());
  }
  for (int c = 0; c < s.common_room_count; ++c) {
    const EngineCommonRoom& x = g_eng_common_rooms[c];
    out += format(
        "common %d [%s] building %d subjects %s admitted %d needed %d digits %d,%d avomax %d coppie %s peroco %s "
        "perocoet %d hours %s ox %s\n",
        c, x.name, x.building, list(x.subjects, 4).c_str(), x.admitted_attendance, x.needed_attendance, x.digits[0],
        x.digits[1], x.avomax, upairs<10>(x.coppie, x.coppie_count).c_str(), upairs<10>(x.peroco, x.peroco_count).c_str(),
        x.perocoet, grid(x.availability).c_str(), grid(x.ox_grid).c_str());
  }
  for (int g = 0; g < s.lab_group_count; ++g) {
    std::string rooms;
    for (int i = 0; i < kLabGroupRooms && g_eng_lab_groups[g].rooms[i] != 0xFFFF; ++i)
      rooms += " " + std::to_string(g_eng_lab_groups[g].rooms[i]);
    out += format("lab-group %d [%s]%s\n", g, g_eng_lab_groups[g].name, rooms.c_str());
  }
  for (int i = 0; i < s.subject_count; ++i) {
    const EngineSubject& x = g_eng_subjects[i];
    out += format("subject %d [%s] [%s] pause %d pexdix %d no118x %d msomx %d sissi [%s]\n", i, x.group_name,
                  x.specific_name, x.pause_flag, x.pexdix, x.no118x, x.msomx, x.sissi_id);
  }
  return out;
}

std::string teacher_part(int t) {
  const EngineTeacher& x = g_eng_teachers[t];
  std::string out = format(
      "teacher %d [%s] klk [%s] hours %d contract %d,%d less-budime %d standby %d pseudo %d weekly %d type %d fcv %d "
      "calendar %d subject %d main %d partner %d source %d sissi [%s] marks %d standby-hours %d support %d\n",
      t, x.name, x.subject_text, x.lesson_hours, x.contract_values[0], x.contract_values[1], x.contract_less_budime,
      x.standby_value, x.pseudo_flag, x.weekly_hours, x.type_flags, x.fcv_flag, x.calendar_class,
      x.subject_index == 0xFFFF ? -1 : x.subject_index, x.main_teacher, x.partner, x.source_teacher, x.sissi_id,
      x.item_marks, x.standby_hours, x.support_hours);
  out += format(
      "  pmin %d-%d pmax %d-%d cavallomax %d-%d umin %d-%d umax %d-%d fmin %s fmax %s emin %s emax %s\n", x.pmin_hours,
      x.pmin_days, x.pmax_hours, x.pmax_days, x.cavallomax_hour, x.cavallomax_days, x.umin_hours, x.umin_days,
      x.umax_hours, x.umax_days, list(x.fmin, 3).c_str(), list(x.fmax, 3).c_str(), list(x.emin, 3).c_str(),
      list(x.emax, 3).c_str());
  out += format("  ov %s om %s dimpe %s ovmnb %s\n", list(x.ov, kDays).c_str(), list(x.om, kDays).c_str(),
                list(x.dimpe, kDays).c_str(), list(x.ovmnb, kDays).c_str());
  out += format("  allowed %s forbidden %s\n", grid(x.allowed_hours).c_str(), grid(x.forbidden_hours).c_str());
  out += format("  free %d [%s] alt %d [%s] byte %d\n", x.free_day_count, list(x.free_days, x.free_day_count).c_str(),
                x.alt_free_day_count, list(x.alt_free_days, x.alt_free_day_count).c_str(), x.free_day_byte);
  out += format("  gl %d-%d gp %d-%d gu %d-%d gx %s gmin %d gmax %d insegnamin %d insegna %d presenza %d inse %s xprese %s\n",
                x.gl_hours, x.gl_days, x.gp_hours, x.gp_days, x.gu_hours, x.gu_days, list(x.gx, 3).c_str(), x.gmin_days,
                x.gmax_days, x.insegnamin, x.insegna, x.presenza, upairs<kBandPairs>(x.inse_pairs, x.inse_count).c_str(),
                upairs<kBandPairs>(x.xprese_pairs, x.xprese_count).c_str());
  out += format("  carshare [%s] %d privilege %d buk %d,%d riposo %d enterexit %s tekgrado %d,%d labrifol %d\n",
                x.carshare_name, x.carshare_wait, x.privilege_flag, x.buk[0], x.buk[1], x.riposo,
                pairs<kRuleBandPairs>(x.enterexit_pairs, x.enterexit_count).c_str(), x.tekgrado[0], x.tekgrado[1],
                x.labrifol);
  out += format(
      "  gpausa %d ignorapausa %d nomotor %d nomweek %d gruppioremax %s ultimeoremax %s pausameper %s maxbudayper %d\n",
      x.gpausa, x.ignorapausa, x.nomotor, x.nomweek, pairs<kRuleBandPairs>(x.gruppioremax_pairs, x.gruppioremax_count).c_str(),
      pairs<kRuleBandPairs>(x.ultimeoremax_pairs, x.ultimeoremax_count).c_str(), list(x.pausameper, 4).c_str(),
      x.maxbudayper);
  out += format(
      "  brentix %d paulab %d quorvex %d clasenoc %d dkif %d tramox %d pligi %s segrubi %s prela %s fercav %s mxr %d "
      "setting %d\n",
      x.brentix, x.paulab, x.quorvex, x.clasenoc, x.dkif, x.tramox, list(x.pligi, 2).c_str(), list(x.segrubi, 2).c_str(),
      list(x.prela, 2).c_str(), list(x.fercav, 3).c_str(), x.mxr, x.setting_byte);
  for (int i = 0; i < x.task_count && i < kMaxTeacherTasks; ++i) {
    const TeacherTask& k = x.tasks[i];
    out += format("  task %d refs %d,%d day %d hours %d-%d j %d grid %s\n", i, k.references[0], k.references[1], k.day,
                  k.first_hour, k.last_hour, k.j_flag, grid(k.grid).c_str());
  }
  for (int i = 0; i < x.class_off_count && i < kMaxClassOffRecords; ++i) {
    const TeacherClassOff& k = x.class_off[i];
    out += format("  class-off %d refs %d,%d day %d hours %d-%d\n", i, k.references[0], k.references[1], k.day,
                  k.first_hour, k.last_hour);
  }
  return out;
}

std::string lesson_part(int i) {
  const EngineLesson& x = g_eng_lessons[i];
  std::string out = format(
      "lesson %d line %d teacher %d class %d subject %d first %d room %d kind 0x%02x part %d second %d common %d/%d "
      "lab-group %d part-line %d incompatible %d [%s] paired %d [%s] pause %d building %d/%d forced %d room-building %d\n",
      i, x.line_number, x.teacher.get(), x.class_index.get(), x.subject, x.first_subject, x.room.get(), x.piece_kind.get(),
      x.part_subject, x.second_teacher.get(), x.common_room.get(), x.second_common_room, x.lab_group, x.part_line_number,
      x.incompatible_subject, x.incompatible_subject_name, x.paired_subject, x.paired_subject_name, x.pause_subject_flag,
      x.building, x.building_flag, x.forced_building, x.room_building);
  out += format(
      "  joint %d [%s]", x.joint_count, x.joint_code);
  for (int j = 0; j < x.joint_count && j < kMaxJointLessons; ++j)
    out += format(" %d:[%s]", x.joint_lessons[j], x.joint_entries[j]);
  out += format(
      " further %d grade %d lists %d,%d reference %d lab %d assistants %d group [%s] pmgy %d pmgz %d filed %d maps "
      "[%s][%s][%s][%s] block %d/%d standby %d articulated %d itpmx %d miscre %d class-off %d setting %d support %d\n",
      x.further_item_values, x.grade_flag, x.list_positions[0], x.list_positions[1], x.further_reference,
      x.chosen_laboratory, x.lab_assistant_count, x.group_text, x.pmgy_digit, x.pmgz_digit, x.filed_value,
      x.consecutive_maps[0], x.consecutive_maps[1], x.consecutive_maps[2], x.consecutive_maps[3], x.block_length,
      x.part_block_length, x.standby_marker, x.articulated_number != 0 /* the numbers run on from load to load */, x.itpmx, x.miscre, x.class_off_flag,
      x.room_setting_code, x.supported_class_code);
  return out;
}

std::string dump_model(bool lessons) {
  std::string out = school_part() + places_part();
  for (int t = 0; t < g_eng_school.teacher_count; ++t) out += teacher_part(t);
  for (int i = 0; lessons && i < g_eng_school.lesson_count; ++i) out += lesson_part(i);
  return out;
}

struct Source {
  const char* name;  // of the dump
  std::string description;
  int provisional;
  bool lessons = true;  // the sample school's lessons are in its stored model
};

TEST(LoaderWholeModel, EveryValueOfTheDescriptionsEqualsItsDump) {
  const std::string data = std::string(KT_TEST_DATA), examples = std::string(KT_SOURCE_DIR) + "/examples/";
  const Source sources[] = {{"every_item", data + "/description/every_item/scuola2.txt", 0},
                            {"every_item_provisional", data + "/description/every_item/scuola2.txt", 1},
                            {"keywords", data + "/description/keywords/scuola2.txt", 0},
                            {"posts", data + "/description/posts/scuola2.txt", 0},
                            {"small", data + "/loader/small/scuola2.txt", 0},
                            {"liceo", examples + "liceo/scuola2.txt", 0, false}};
  for (const Source& source : sources) {
    std::string bytes = engine_test::read_file(source.description);
    ASSERT_FALSE(bytes.empty()) << source.description;
    loader_test::Outcome outcome = loader_test::run_synt(bytes, 0, source.provisional);
    ASSERT_EQ(outcome.code, 0) << source.name << ": " << outcome.message;
    std::string dump = kt::cp1252_to_utf8(dump_model(source.lessons));
    std::string golden = data + "/loader/whole/" + source.name + ".txt";
    const char* update = std::getenv("KT_UPDATE_GOLDEN");
    if (update != nullptr && update[0] == '1') engine_test::write_file(golden, dump);
    EXPECT_EQ(dump, engine_test::read_file(golden)) << source.name;
  }
}

}  // namespace
