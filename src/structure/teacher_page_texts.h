// The texts of the teachers page in the three languages: refusals,
// questions, help lines and list captions. One table for the page's four
// units, so a text used by two of them is one row. Rows with "%s" or "%d"
// are formatted by the caller with the current language's text.
#pragma once

#include "shell/ml_text.h"

namespace procat_text {

extern const MlText kTitle, kGeneralHelp, kAddTeacherHelp, kNewYearHelp;
extern const MlText kSavedAutomatically, kSaveChanges, kSaveNextWithoutAsking, kTooManyTeachers, kAddPrompt,
    kNameTooShort, kNameFirstLetter, kAlreadyExists, kRenamePrompt, kNameInUse, kDummyWarning,
    kNothingToAdvance, kWriteFailed;
extern const MlText kAssistantWarning, kTooManyPosts, kQuickEntry, kDeleteCopy, kSureToDelete, kNothingToReAdd,
    kLabAndConversation, kTotalHours, kSortTip;
extern const MlText kCaptionLab, kCaptionLabPartners, kCaptionConversation, kCaptionConversationPartners,
    kCaptionMain;
extern const MlText kEditCopy, kQuickHelp, kDoubleClickHint, kTooManyJoint, kGymNotCommonRoom, kTooManyKinds,
    kKindPrompt, kNeedClass, kNeedSubject, kZeroHours, kNeedPartner, kZeroPartnerHours, kSamePartner,
    kNotManaged, kNotManagedLab, kAddNewItem;
extern const MlText kExtendedHelp, kLabHelp, kLabEquipmentHelp, kGymEquipmentHelp, kJointHelp;

}  // namespace procat_text
