#pragma once

#include "views/ItemViewDialog.h"

class QLabel;

// View of an item that has no price and must be added by hand: graphic and number of items, and
// a note that an item that is not drawn may be an animation.
class TAnsichtnichtberechnet : public ItemViewDialog
{
    Q_OBJECT

public:
    // Seven lines; a line break of the system's texts (CR LF) is shown as one line end.
    static constexpr const char* kExplanation = "Wird das Item\r\nnicht angezeigt,\r\nkann es sich "
                                                "um\r\neine Animation\r\nhandeln und\r\nmuss "
                                                "nicht\r\nberechnet werden";

    explicit TAnsichtnichtberechnet(QWidget* parent = nullptr, Services services = {});

protected:
    void FormShow() override;

private:
    QLabel* m_label3 = nullptr;
};
