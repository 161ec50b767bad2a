#pragma once

class TGrundriss;
class THauptformular;

// Links the window "Grundriss" with the main window: it opens from the main window's "Grundriss"
// after a complete run and closes when a load or a run makes its plan old; a line selected in one
// of the three item lists marks its tiles, and a click on a tile selects its item's line (a
// double click also opens the item view of that list).
class PlanLink
{
public:
    static void connect(THauptformular& main, TGrundriss& plan);
};
