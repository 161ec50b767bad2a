#pragma once

#include "views/ItemViewDialog.h"

// View of a nested item, opened from the list of items lying in one another: graphic, place and
// the number of items stacked there, with "Hingehen".
class TAnsichtinein : public ItemViewDialog
{
    Q_OBJECT

public:
    explicit TAnsichtinein(QWidget* parent = nullptr, Services services = {});
};
