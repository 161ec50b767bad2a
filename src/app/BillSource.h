#pragma once

#include "views/bill/BillData.h"

class THauptformular;

// The bill document's data as the main window shows it now: the lists, the displays, the check
// boxes and the run state with its breakdown.
BillData billDataOf(const THauptformular& window);
