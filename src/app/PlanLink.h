#pragma once

class ItemViewDialog;
class TGrundriss;
class THauptformular;
class TSpielansicht;

// Links the window "Grundriss" with the main window: it opens from the main window's "Grundriss"
// after a complete run (while open, it stays as it is) and closes when a load or a run makes its
// plan old; a line selected in one of the three item lists marks its tiles, and a click on a tile
// selects its item's line. A double click opens the item view of that line's list when it shows
// the item's place, else `placeView` with the item's place.
class PlanLink
{
public:
    static void connect(THauptformular& main, TGrundriss& plan, ItemViewDialog& placeView);
    // The window "Ansicht wie im Spiel" opens, as "Grundriss" does, from the main window (and
    // from "Grundriss") after a complete run, with the item graphics' client folder, and closes
    // with it; a click on an item opens `placeView` with the item's place.
    static void connectGameView(THauptformular& main, TGrundriss& plan, TSpielansicht& gameView,
                                ItemViewDialog& placeView);
};
