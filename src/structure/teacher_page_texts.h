// The texts of the teachers page in the three languages: refusals,
// questions, help lines and list captions. One table for the page's four
// units, so a text used by two of them is one row. Rows with "%s" or "%d"
// are formatted by the caller with the current language's text.
#pragma once

#include "shell/ml_text.h"
#include "structure/shared_texts.h"

namespace procat_text {

extern const MlText kTitle, kGeneralHelp, kAddTeacherHelp, kNewYearHelp;
extern const MlText kSavedAutomatically, kSaveChanges, kAddPrompt,
    kNameTooShort, kNameFirstLetter, kAlreadyExists, kRenamePrompt, kNameInUse, kRenameNotSaved, kDummyWarning,
    kNothingToAdvance;
extern const MlText kAssistantWarning, kTooManyPosts, kQuickEntry, kDeleteCopy, kSureToDelete, kNothingToReAdd,
    kLabAndConversation, kTotalHours, kSortTip;
extern const MlText kCaptionLab, kCaptionLabPartners, kCaptionConversation, kCaptionConversationPartners,
    kCaptionMain;
extern const MlText kEditCopy, kQuickHelp, kDoubleClickHint, kGymNotCommonRoom,
    kKindPrompt, kNeedClass, kNeedSubject, kZeroHours, kNeedPartner, kZeroPartnerHours, kSamePartner,
    kNotManaged, kNotManagedLab, kAddNewItem;
extern const MlText kExtendedHelp, kLabHelp, kLabEquipmentHelp, kGymEquipmentHelp, kJointHelp;
// Rows other structure pages show too.
using shared_text::kSaveNextWithoutAsking;
using shared_text::kTableFull;
using shared_text::kTooManyClasses;
using shared_text::kTooManyTeachers;
using shared_text::kWriteFailed;

}  // namespace procat_text
