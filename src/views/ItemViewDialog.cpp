#include "views/ItemViewDialog.h"

#include "base/Cp1252.h"
#include "gui/Fonts.h"
#include "importfile/ImportFormat.h"
#include "views/QtItemViewPrompts.h"
#include "views/art/TUOArt.h"
#include "views/goto/GameClient.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

using tarvek::views::FieldCut;
using tarvek::views::ItemField;

namespace {

// Field rows, top to bottom: a label at left 206 and a sunken value field to its right.
constexpr int kLabelLeft = 206;
constexpr std::array<int, 6> kLabelTops{13, 36, 59, 81, 104, 127};
constexpr std::array<int, 6> kFieldTops{11, 34, 57, 80, 103, 126};
constexpr int kFieldHeight = 17;

struct FieldLook
{
    const char* label;
    const char* labelName;
    const char* fieldName;
    int left;
    int width;
    bool alignRight; // "Anzahl" is right-aligned and carries its blank behind the value
};

// Indexed by ItemField.
constexpr std::array<FieldLook, 6> kFieldLooks{{
    {"D:", "FieldLabel1", "StaticText1", 222, 85, false},
    {"H:", "FieldLabel2", "StaticText2", 222, 85, false},
    {"X:", "FieldLabel3", "StaticText3", 222, 85, false},
    {"Y:", "FieldLabel4", "StaticText4", 222, 85, false},
    {"Z:", "FieldLabel5", "StaticText5", 222, 85, false},
    {"Anzahl:", "FieldLabel6", "StaticText6", 250, 57, true},
}};

struct Strip
{
    const char* name;
    int left;
    int top;
    int width;
    int height;
};

// Four narrow raised panels on the edges of the art area; the picture shows between them.
constexpr std::array<Strip, 4> kArtStrips{{
    {"ArtStripTop", 11, 1, 190, 7},
    {"ArtStripLeft", 11, 8, 7, 172},
    {"ArtStripRight", 194, 8, 7, 172},
    {"ArtStripBottom", 11, 180, 190, 7},
}};

constexpr int kArtLeft = 11;
constexpr int kArtPanelWidth = TUOArt::kAreaWidth + 2;
constexpr int kArtPanelHeight = TUOArt::kAreaHeight + 2;
constexpr int kButtonWidth = 147;
constexpr int kButtonHeight = 25;
constexpr int kGoLeft = 12;
constexpr int kGoTop = 193;

constexpr std::size_t indexOf(ItemField field)
{
    return static_cast<std::size_t>(field);
}

// A field's number, converted as the calculation converts numbers. Field texts are
// Windows-1252 text as read from the import file; anything else is no digit anyway.
std::optional<int> wholeNumber(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return tarvek::toInteger(std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

// A coordinate of the import format as a view field shows it: one leading blank, an optional
// sign and one to four decimal digits, -999 to 9999. Nothing for any other text.
std::optional<int> coordinate(const QString& field)
{
    static const QRegularExpression shape(QStringLiteral("^ [+-]?[0-9]{1,4}$"));
    if (!shape.match(field).hasMatch()) {
        return std::nullopt;
    }
    const std::optional<int> value = wholeNumber(field.mid(1));
    return value && *value >= -999 ? value : std::nullopt;
}

QString notANumberText(const QString& text)
{
    return QString::fromStdString(
        tarvek::conversionErrorText(tarvek::utf8ToCp1252(text.toStdString())));
}

QFrame* raisedPanel(QWidget* parent, const char* name, const QRect& place)
{
    auto* const panel = new QFrame(parent);
    panel->setObjectName(QLatin1String(name));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    panel->setAutoFillBackground(true);
    panel->setGeometry(place);
    return panel;
}

} // namespace

ItemViewDialog::ItemViewDialog(const Form& form, Services services, QWidget* parent)
    : QDialog(parent), m_cuts(form.cuts),
      m_prompts(services.prompts ? std::move(services.prompts)
                                 : std::make_shared<tarvek::views::QtItemViewPrompts>()),
      m_client(services.client ? std::move(services.client)
                               : std::shared_ptr(tarvek::client::makePlatformGameClient()))
{
    setWindowTitle(QString::fromUtf8(form.caption));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setFixedSize(form.width, form.height);
    setFont(Fonts::sansSerif(11));
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::Button));
    setPalette(colours);
    setAutoFillBackground(true);

    buildArtArea(form.artTop);
    buildFields(form.cuts);
    buildButtons(form);
}

ItemViewDialog::~ItemViewDialog() = default;

void ItemViewDialog::buildArtArea(int artTop)
{
    auto* const panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel12"));
    panel->setFrameStyle(QFrame::Box | QFrame::Plain);
    panel->setLineWidth(1);
    panel->setGeometry(kArtLeft, artTop, kArtPanelWidth, kArtPanelHeight);
    m_art = new TUOArt(panel);
    m_art->setObjectName(QStringLiteral("UOArt2"));
    m_art->move(1, 1);
    for (const Strip& strip : kArtStrips) {
        raisedPanel(this, strip.name, QRect(strip.left, strip.top, strip.width, strip.height));
    }
}

void ItemViewDialog::buildFields(std::span<const FieldCut> cuts)
{
    for (std::size_t row = 0; row < cuts.size(); ++row) {
        const ItemField field = cuts[row].field;
        const FieldLook& look = kFieldLooks[indexOf(field)];

        auto* const label = new QLabel(QLatin1String(look.label), this);
        label->setObjectName(QLatin1String(look.labelName));
        label->setFont(boldFont());
        label->adjustSize();
        label->move(kLabelLeft, kLabelTops[row]);

        auto* const value = new QLabel(this);
        value->setObjectName(QLatin1String(look.fieldName));
        // Assistive technology reads the value with what it is ("D", "Anzahl").
        value->setAccessibleDescription(label->text().chopped(1));
        value->setTextFormat(Qt::PlainText);
        value->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        value->setLineWidth(1);
        value->setAlignment((look.alignRight ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
        value->setGeometry(look.left, kFieldTops[row], look.width, kFieldHeight);
        m_fields[indexOf(field)] = value;
    }
}

void ItemViewDialog::buildButtons(const Form& form)
{
    const auto makeButton = [this](const char* caption, const char* name, int left, int top) {
        auto* const button = new QPushButton(QString::fromUtf8(caption), this);
        button->setObjectName(QLatin1String(name));
        button->setFont(boldFont());
        button->setAutoDefault(false);
        button->setGeometry(left, top, kButtonWidth, kButtonHeight);
        return button;
    };
    if (form.goTo) {
        m_goButton = makeButton("Hingehen", "BitBtn1", kGoLeft, kGoTop);
        connect(m_goButton, &QPushButton::clicked, this, &ItemViewDialog::BitBtn1Click);
    }
    m_closeButton = makeButton("Schliessen", "BitBtn2", form.closeLeft, form.closeTop);
    connect(m_closeButton, &QPushButton::clicked, this, &ItemViewDialog::BitBtn2Click);
}

QFont ItemViewDialog::boldFont()
{
    return Fonts::sansSerif(11, true);
}

void ItemViewDialog::showSelected(const QAbstractItemView& list)
{
    const QAbstractItemModel* const model = list.model();
    if (model == nullptr || model->rowCount(list.rootIndex()) == 0) {
        return;
    }
    QModelIndex line = list.currentIndex();
    if (const QItemSelectionModel* const selection = list.selectionModel()) {
        const QModelIndexList selected = selection->selectedIndexes();
        if (!selected.isEmpty()) {
            line = selected.first();
        }
    }
    if (!line.isValid()) {
        return;
    }
    showLine(line.data(Qt::DisplayRole).toString());
}

bool ItemViewDialog::showLine(const QString& line)
{
    for (const auto& [field, value] : tarvek::views::splitItemLine(line, m_cuts)) {
        setFieldText(field, value);
        if (field == ItemField::D) {
            // The graphic is read back from the field, before the other fields are filled.
            const QString text = fieldText(ItemField::D);
            const std::optional<int> graphic = wholeNumber(text);
            if (!graphic) {
                m_prompts->reportError(parentWidget(), notANumberText(text));
                return false;
            }
            m_art->setArtIndex(*graphic);
        }
    }
    beforeModal();
    m_prompts->showModal(*this);
    afterModal();
    return true;
}

void ItemViewDialog::setFieldText(ItemField field, const QString& value)
{
    QLabel* const label = m_fields[indexOf(field)];
    if (label == nullptr) {
        return;
    }
    const bool rightAligned = kFieldLooks[indexOf(field)].alignRight;
    label->setText(rightAligned ? value + u' ' : u' ' + value);
}

QString ItemViewDialog::fieldText(ItemField field) const
{
    const QLabel* const label = m_fields[indexOf(field)];
    return label == nullptr ? QString() : label->text();
}

std::optional<QString> ItemViewDialog::goToCommand(QString* badField) const
{
    QString command = QStringLiteral(".go");
    QChar separator = u' ';
    for (const ItemField field : {ItemField::X, ItemField::Y, ItemField::Z}) {
        const std::optional<int> value = coordinate(fieldText(field));
        if (!value) {
            if (badField != nullptr) {
                *badField = QString::fromUtf8(kFieldLooks[indexOf(field)].label).chopped(1);
            }
            return std::nullopt;
        }
        command += separator + QStringLiteral(" ") + QString::number(*value);
        separator = u',';
    }
    return command;
}

void ItemViewDialog::BitBtn1Click()
{
    QString badField;
    if (const std::optional<QString> command = goToCommand(&badField)) {
        SendToUO(*command);
    } else {
        m_prompts->reportError(this, QString::fromUtf8(kNoPositionText).arg(badField));
    }
}

void ItemViewDialog::BitBtn2Click()
{
    close();
}

void ItemViewDialog::SendToUO(const QString& command)
{
    using Delivery = tarvek::client::GameClient::Delivery;
    const Delivery delivery = m_client->deliver(command.toStdString());
    if (delivery != Delivery::Typed) {
        // A client that runs but cannot be reached is named with its own reason.
        const std::string failure = m_client->failureText();
        const QString text = delivery == Delivery::FocusLost ? QString::fromUtf8(kFocusLostText)
                             : failure.empty()               ? QString::fromUtf8(kNoClientText)
                                                             : QString::fromStdString(failure);
        m_prompts->information(this, QLatin1String(kNoClientTitle), text);
    }
    // The keys went to the client; the dialog takes the keyboard again.
    activateWindow();
}

void ItemViewDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (const QScreen* const shown = screen()) {
        move(shown->availableGeometry().center() - rect().center());
    }
    FormShow();
}
