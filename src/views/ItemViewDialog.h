#pragma once

#include "views/ItemLine.h"

#include <QDialog>

#include <array>
#include <memory>
#include <optional>
#include <span>

class QAbstractItemView;
class QLabel;
class QPushButton;
class TUOArt;

namespace tarvek::client {
class GameClient;
}
namespace tarvek::views {
class ItemViewPrompts;
}

// What the three item view dialogs share: a fixed-size dialog with the item's graphic on the
// left in a framed art area, one labelled value field per item field on the right, and the
// buttons "Hingehen" (when the item has a position) and "Schliessen". A dialog is created once
// and filled anew from a line of its result list every time it is shown; its fields keep the
// last values in between.
class ItemViewDialog : public QDialog
{
    Q_OBJECT

public:
    // What the dialog talks to. Empty members get the real ones: Qt's modal showing and message
    // boxes, and the game client of the platform.
    struct Services
    {
        std::shared_ptr<tarvek::views::ItemViewPrompts> prompts;
        std::shared_ptr<tarvek::client::GameClient> client;
    };

    static constexpr const char* kNoClientTitle = "Info";
    static constexpr const char* kNoClientText =
        "Bitte zuerst einen entsprechenden Client starten.";
    // %1: the field's label ("X", "Y" or "Z").
    static constexpr const char* kNoPositionText =
        "Das Feld „%1“ enthält keine gültige Position. An den Client wurde nichts gesendet.";
    static constexpr const char* kFocusLostText =
        "Ein anderes Fenster hat während der Eingabe den Tastaturfokus übernommen.\n"
        "Der Befehl wurde nicht vollständig an den Client gesendet.";

    ~ItemViewDialog() override;

    // "Anzeigen" beside the result list: shows the dialog for the list's selected line (the
    // current one when none is selected). A list without lines shows nothing.
    void showSelected(const QAbstractItemView& list);

    // Fills the fields from one item line, sets the graphic from the "D:" value and shows the
    // dialog modally; returns when it has been closed. A "D:" value that is not a whole number
    // goes to the general error report, and the dialog is not shown (false).
    bool showLine(const QString& line);

    // The text of a value field as shown ("" for a field this dialog does not have).
    QString fieldText(tarvek::views::ItemField field) const;
    TUOArt* art() const { return m_art; }

    // The go-to for the X, Y and Z fields: ".go " + their numbers, each after one blank, joined
    // by ",", as in ".go  1432, 1610, -20". It is built from numbers, never from the texts as they
    // stand: a field of a stranger's file may carry control characters or a chat command. Each
    // field must read, after its leading blank, as an optional sign and at most four digits (the
    // import format's coordinates, -999 to 9999). Nothing when a field does not; then *badField
    // names it ("X", "Y" or "Z").
    std::optional<QString> goToCommand(QString* badField = nullptr) const;

    // "Hingehen": sends the go-to command built from the fields; the dialog stays open. A field
    // that holds no position sends nothing and is named in an error message.
    void BitBtn1Click();
    // "Schliessen": ends the showing.
    void BitBtn2Click();
    // Types the command into the game client, or tells the user that none runs or that another
    // window took the keyboard midway.
    void SendToUO(const QString& command);

protected:
    // The parts in which the dialogs differ.
    struct Form
    {
        const char* caption;
        int width;
        int height;
        std::span<const tarvek::views::FieldCut> cuts; // fields and their markers, in line order
        int artTop;
        bool goTo; // has "Hingehen"
        int closeLeft;
        int closeTop;
    };

    ItemViewDialog(const Form& form, Services services, QWidget* parent);

    // Called every time the dialog is shown.
    virtual void FormShow() {}
    // Called after the fields are filled, before the modal showing; and after it has ended.
    virtual void beforeModal() {}
    virtual void afterModal() {}

    tarvek::views::ItemViewPrompts& prompts() const { return *m_prompts; }

    // Bold 11-pixel "MS Sans Serif", the font of labels and buttons.
    static QFont boldFont();

    void showEvent(QShowEvent* event) override;

private:
    void buildArtArea(int artTop);
    void buildFields(std::span<const tarvek::views::FieldCut> cuts);
    void buildButtons(const Form& form);
    void setFieldText(tarvek::views::ItemField field, const QString& value);

    const std::span<const tarvek::views::FieldCut> m_cuts;
    const std::shared_ptr<tarvek::views::ItemViewPrompts> m_prompts;
    const std::shared_ptr<tarvek::client::GameClient> m_client;
    std::array<QLabel*, 6> m_fields{};
    TUOArt* m_art = nullptr;
    QPushButton* m_goButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
