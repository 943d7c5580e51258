// The texts of the school page and its sections panel, one MlText row each
// (Italian, German, English), shared by its three behaviour files.
#pragma once

#include "shell/ml_text.h"
#include "structure/shared_texts.h"

extern const MlText kHowToText, kNameHelp, kTracksHelp, kShortDayHelp, kProlongedHelp, kSpecialHelp,
    kCalendarHelp, kCalendarExplanation, kTypeHelp, kClassGroupHelp, kListHelp, kClassicalHelp, kMoveHelp;
extern const MlText kNoClassesQuestion, kNoCalendarQuestion, kShortDayZero, kCalendarTitle;
extern const MlText kTracksClash, kInitialUnique, kDifferentShortNames, kTrackNameMissing, kTrackInitialsDiffer,
    kShortNameIsInitial, kNoEmptyTrack;
extern const MlText kSectionHasLessons, kClassHasLessons, kRenumberOn, kRenumberOff;
extern const MlText kTypeNames[3];
extern const MlText kListHeadings[4];
using shared_text::kTooManyClasses;  // shown by the teachers page too  // "Sezione", "Indirizzo", "Classe", "Tipologia"
