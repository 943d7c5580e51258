// The texts several structure pages show alike, kept once so that a change
// of wording reaches every page: name and table refusals, the availability
// of rooms, the hour totals of the teaching-post lists, the save and
// language notices.
#pragma once

#include "shell/ml_text.h"

namespace shared_text {

extern const MlText kNameTaken, kInUse, kNeedsLetter, kItalianOnly;
extern const MlText kTableFull, kTooManyTeachers, kTooManyClasses;
extern const MlText kSaveNextWithoutAsking, kWriteFailed, kReportsWritten;
extern const MlText kAlwaysAvailable, kLimitedHours, kHoursTitle, kRoomAlwaysAvailable;
extern const MlText kNobody, kDummy, kClassTotal, kLessonHours, kTeacherTotal;

}  // namespace shared_text
