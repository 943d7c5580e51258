// The automatic subject of a co-teaching hour on the lessons-by-class page:
// a second teacher chosen for a frontal hour takes "<subject>_COMPR" as its
// conversation subject, the conversation subject of that name when there is
// one (never another conversation subject), a new hidden one when there is
// none, and another letter when an ordinary subject holds the name.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionary_support.h"
#include "structure/lessons_by_class_page.h"

namespace {

using namespace kt::ui;
using namespace dictionary_test;
using C = Clacoco;

struct Case {
  const char* id;
  const char* existing;  // a subject there before, "" none
  char existing_type;
  const char* taken;  // the subject the hour takes
  bool made;          // a new hidden subject made for it
};

TEST(LessonsByClassSubjects, ASecondTeacherTakesTheCompresenceSubjectOfItsName) {
  const Case cases[] = {{"none", "", 'C', "FISICA_COMPR", true},
                        {"there as conversation", "FISICA_COMPR", 'C', "FISICA_COMPR", false},
                        {"there as ordinary", "FISICA_COMPR", 'N', "GISICA_COMPR", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    empty_school();
    std::memcpy(g_ui_structure.classes[g_ui_structure.class_count++].code, "1A ", 3);
    g_ui_structure.sections[0][0] = 1;
    int physics = add_subject("FISICA");
    int conv = add_subject("CONV INGLESE");
    g_ui_structure.subjects[conv].type = 'C';
    int existing = -1;
    if (c.existing[0]) {
      existing = add_subject(c.existing);
      g_ui_structure.subjects[existing].type = c.existing_type;
    }
    int rossi = add_teacher("ROSSI", physics);
    g_ui_teachers[rossi].posts[0].class_index = 0;
    g_ui_teachers[rossi].posts[0].own.hours = 3;
    add_teacher("VERDI", conv);
    int before = int(g_ui_structure.subject_count);

    TestDriver ui;
    Clacoco page;
    ASSERT_TRUE(page.Create(nullptr));
    page.ShowWindow(kSwShow);
    page.ShowHour(0, 7);
    ui.Select(page, C::kSecondId, "VERDI");
    ASSERT_EQ(int(g_ui_structure.subject_count), before + (c.made ? 1 : 0));
    int taken = c.made ? before : existing;
    EXPECT_EQ(subject_name(taken), c.taken);
    EXPECT_EQ(g_ui_structure.subjects[taken].type, 'C');
    if (c.made) EXPECT_EQ(+g_ui_structure.subjects[taken].hidden, 1);
    EXPECT_EQ(g_ui_structure.subjects[conv].type, 'C');  // the other conversation subject untouched
    if (existing >= 0) EXPECT_EQ(g_ui_structure.subjects[existing].type, c.existing_type);

    ui.Select(page, C::kConversationId, c.taken);
    const UiTeachingPost& post = g_ui_teachers[rossi].posts[0];
    EXPECT_EQ(+post.conversation_subject, taken);
    EXPECT_EQ(+post.partner, 1);
    EXPECT_EQ(+post.partner_part.hours, 1);
    EXPECT_EQ(+post.own.hours, 3);
    og_snapshot_all();
    page.DestroyWindow();
    EXPECT_TRUE(ui.Problems().empty());
  }
}

}  // namespace
