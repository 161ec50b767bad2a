#pragma once

#include "app/BillCommands.h"
#include "views/bill/BillData.h"

// The bill document's data as the main window shows it now: the lists, the displays, the check
// boxes and the run state with its breakdown.
BillData billDataOf(const BillCommands::Context& window);
