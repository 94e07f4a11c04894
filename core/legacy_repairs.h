// Repairs applied to each version 4 record as it is read, before conversion:
// old option combinations that the converter would otherwise misread.
#pragma once
#include "core/legacy_record.h"

namespace zorbel {

void repair_version4_record(LegacyRecord* record);

}  // namespace zorbel
