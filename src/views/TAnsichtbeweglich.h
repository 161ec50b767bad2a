#pragma once

#include "views/ItemViewDialog.h"

// View of an item that may not be imported: graphic and place, with "Hingehen".
class TAnsichtbeweglich : public ItemViewDialog
{
    Q_OBJECT

public:
    static constexpr const char* kRestartText =
        "Die Berechnung sollte unbedingt neu gestartet werden, wenn alle Items\r\n"
        "gelöscht wurden, die nicht importiert werden dürfen!";

    explicit TAnsichtbeweglich(QWidget* parent = nullptr, Services services = {});

    // When set while the dialog is shown, closing it advises to run the calculation again.
    // Cleared before every showing; nothing in the dialog sets it yet.
    bool RestartAdvised() const { return m_restartAdvised; }
    void setRestartAdvised(bool advised) { m_restartAdvised = advised; }

protected:
    void beforeModal() override;
    void afterModal() override;

private:
    bool m_restartAdvised = false;
};
