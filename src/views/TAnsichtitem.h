#pragma once

#include "views/ItemViewDialog.h"

// View of any item of the plan with its graphic and place, and "Hingehen": what a double click
// on a tile opens when the tile's item has no list view with a place. Without "Hingehen" for an
// item that is no longer where it was (a removed item of a comparison).
class TAnsichtitem : public ItemViewDialog
{
    Q_OBJECT

public:
    explicit TAnsichtitem(QWidget* parent = nullptr, Services services = {}, bool goTo = true);
};
