// The texts of the buildings page, one MlText row each (Italian, German,
// English). Messages that carry values are printf formats.
#pragma once

#include "shell/ml_text.h"

extern const MlText kBuildingsPageText, kNamesText, kStaticText, kRotationText, kAssociateText, kNoTransferText,
    kReachableText, kMinutesText, kGroupsText, kBuildingsSortTip;
extern const MlText kAnyHour, kFirstHourWarning, kOneBuilding, kDifferentNames, kSameInitial,
    kShortName, kHourMissing, kBuildingWithoutClasses, kReachableMissing,
    kClassOutside, kLabOutside, kGymOutside, kGymsOneBuilding;
extern const MlText kBuildingsHeadings[4];
