// Texts of the teaching-post constraints page and of its validation, in the
// three languages (Italian, German, English). The Italian rows are the
// program's own wording and are kept exactly; the drop-down items that the
// page compares (" Non definito", the building option suffixes) are plain
// Italian items, not translated.
#pragma once

#include "shell/ml_text.h"
#include "structure/teacher_page_texts.h"

namespace vicat_text {

extern const MlText kTitle;
extern const MlText kPageHelp;
extern const MlText kTestHelp;
extern const MlText kEditCopy;
extern const MlText kEditable;
// The questions and notice of leaving a changed teacher, as the teachers
// page words them.
using procat_text::kSaveChanges;
using procat_text::kSavedAutomatically;
using procat_text::kSaveNextWithoutAsking;
extern const MlText kWriteFailed;
extern const MlText kGroupSumTooLarge;
extern const MlText kJoinedSameTeacher;
extern const MlText kNoBreaks;
extern const MlText kPartnerMapWarning;
extern const MlText kListCaption;
extern const MlText kTotalHours;
// Help on the panels' controls.
extern const MlText kHelpDaily, kHelpExcluded, kHelpSubgroup, kHelpBuilding, kHelpPlacement, kHelpClasswork,
    kHelpNoBreak, kHelpJoined, kHelpForbidden, kHelpGrouping;
// Validation.
extern const MlText kItpConverted;
extern const MlText kSameMapForEveryClass;
extern const MlText kChooseClass;
extern const MlText kClassworkTooLong;
extern const MlText kClassworkWindow;
extern const MlText kGroupingDays;
extern const MlText kCorrectGrouping;
extern const MlText kRaiseServiceDays;
extern const MlText kSplitDone;

}  // namespace vicat_text
