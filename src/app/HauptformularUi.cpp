#include "app/HauptformularUi.h"

#include "app/Icons.h"
#include "gui/ElidedLabel.h"
#include "gui/Fonts.h"
#include "views/lists/TResultList.h"

#include "widgets/TBDigit.h"
#include "widgets/TBLED.h"
#include "widgets/TBProgress.h"

#include <QAction>
#include <QCheckBox>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QToolButton>

#include <algorithm>
#include <functional>

namespace {

constexpr int ClientWidth = 688;
constexpr int ClientHeight = 635;
constexpr int ToolBarHeight = 39;
constexpr int StatusBarHeight = 23;
constexpr int StatusPanelWidth = 600;

// How the controls of the two columns grow: the left one's stay at the area's left edge, each
// beneath the lists above it; the right one's move with the divider and stay at the top.
constexpr Anchors leftBeneath(int listsAbove)
{
    return Anchors::fixed(Anchors::Across::Left, listsAbove);
}
constexpr Anchors RightColumn = Anchors::fixed(Anchors::Across::Divider, 0);

// The client area: the controls' described places at its described size; a larger area gives
// the lists more room (HauptformularUi::stretch).
class Client : public QWidget
{
public:
    explicit Client(QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("Client"));
        setMinimumSize(ClientWidth, ClientHeight);
    }
    QSize sizeHint() const override { return {ClientWidth, ClientHeight}; }
    std::function<void(QSize)> resized;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        if (resized) {
            resized(event->size());
        }
    }
};

template <typename Widget> Widget* place(Widget* widget, const char* name, int left, int top)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->move(left, top);
    return widget;
}

// A section header: single border, light yellow (0x80FFFF), bold; as wide as its text unless a
// width is given.
QLabel* header(QWidget* parent, const char* name, const QString& text, int left, int top,
               int width = 0)
{
    auto* label = place(new QLabel(text, parent), name, left, top);
    label->setFrameStyle(QFrame::Box | QFrame::Plain);
    label->setLineWidth(1);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, Fonts::colour(0x80FFFF));
    label->setPalette(palette);
    label->setFont(Fonts::sansSerif(11, true));
    label->adjustSize();
    if (width > 0) {
        label->resize(width, label->height());
    }
    return label;
}

// A sunken caption of a fixed size (phase captions and the labels of the number displays).
QLabel* sunken(QWidget* parent, const char* name, const QString& text, const QRect& place_)
{
    auto* label = place(new QLabel(text, parent), name, place_.left(), place_.top());
    label->resize(place_.size());
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(1);
    label->setFont(Fonts::sansSerif(11, true));
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QRect& place_)
{
    auto* button = place(new QPushButton(caption, parent), name, place_.left(), place_.top());
    button->resize(place_.size());
    button->setFont(Fonts::sansSerif(11, true));
    button->setAutoDefault(true); // Return presses a focused button, as Space does
    return button;
}

// An "Anzeigen" button beside the header of the list whose selected line it shows.
QPushButton* showButton(QWidget* parent, const char* name, const QString& list, const QRect& place_)
{
    auto* show = button(parent, name, QStringLiteral("Anzeigen"), place_);
    show->setToolTip(QStringLiteral("Zeigt den selektierten Eintrag in der Liste an"));
    show->setAccessibleName(QStringLiteral("Anzeigen: ") + list);
    return show;
}

// The name by which assistive technology reads a control labelled with `caption`.
QString nameOf(const char* caption)
{
    QString name = QString::fromUtf8(caption).trimmed();
    if (name.endsWith(u':')) {
        name.chop(1);
    }
    return name;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const QString& caption, const QRect& place_)
{
    auto* box = place(new QCheckBox(caption, parent), name, place_.left(), place_.top());
    box->resize(place_.size());
    box->setFont(Fonts::sansSerif(11, true));
    // A button fills its background with the Button role; the grey belongs to the Window role.
    box->setBackgroundRole(QPalette::Window);
    box->setAutoFillBackground(true);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Window, QColor(0x95, 0x95, 0x95));
    box->setPalette(palette);
    return box;
}

QFrame* line(QWidget* parent, const char* name, QFrame::Shape shape, const QRect& place_)
{
    auto* frame = place(new QFrame(parent), name, place_.left(), place_.top());
    frame->resize(place_.size());
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

QToolButton* toolButton(QWidget* parent, const char* name, const QString& picture,
                        const QString& hint, int left)
{
    auto* tool = place(new QToolButton(parent), name, left, 0);
    tool->resize(39, 38);
    tool->setIcon(Icons::icon(picture, QSize(32, 32)));
    tool->setIconSize(QSize(32, 32));
    tool->setToolTip(hint);
    tool->setAccessibleName(hint);
    tool->setAutoRaise(true);
    return tool;
}

// A menu item (or an item of the menu bar itself) with the object name by which tests and
// handlers find it.
QAction* addItem(QWidget* menu, const char* name, const QString& caption)
{
    auto* item = new QAction(caption, menu);
    item->setObjectName(QString::fromLatin1(name));
    menu->addAction(item);
    return item;
}

// A menu of the menu bar; the menu and its title item share the object name.
QMenu* addMenu(QMenuBar* bar, const char* name, const QString& caption)
{
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName(QString::fromLatin1(name));
    menu->menuAction()->setObjectName(QString::fromLatin1(name));
    return menu;
}

} // namespace

std::vector<QObject*> HauptformularUi::runLocked() const
{
    return {bitBtn1,      bitBtn3, bitBtn4,  bitBtn6,     bitBtn7,     optionen1,
            importdatei1, info1,   beenden1, toolButton1, toolButton2, toolButton5};
}

std::vector<QObject*> HauptformularUi::loadLocked() const
{
    std::vector<QObject*> controls = runLocked();
    controls.insert(controls.end(), {bitBtn2, checkBox1, checkBox2});
    return controls;
}

HauptformularUi::HauptformularUi(QMainWindow* window)
{
    auto* client = new Client(window);
    client->setFont(Fonts::sansSerif(11));
    window->setCentralWidget(client);

    buildMenu(window);
    buildToolBar(client);
    buildLists(client);
    buildPhases(client);
    buildDisplays(client);
    buildBill(client);

    bitBtn1 = button(client, "BitBtn1", QStringLiteral("Importfile laden"), {62, 580, 136, 25});
    anchor(bitBtn1, leftBeneath(Anchors::GrowingLists));
    bitBtn2 = button(client, "BitBtn2", QStringLiteral("Berechnung starten"), {198, 580, 136, 25});
    anchor(bitBtn2, leftBeneath(Anchors::GrowingLists));
    bitBtn2->setEnabled(false);
    // The divider between the columns: the line starts inside the tool bar's height and belongs
    // beneath it.
    QFrame* divider = line(client, "Bevel1", QFrame::VLine, {393, 31, 3, 581});
    divider->lower();
    anchor(divider, {Anchors::Across::Divider, Anchors::Across::Divider, 0, Anchors::GrowingLists});
    anchor(line(client, "Bevel2", QFrame::HLine, {398, 291, 290, 3}),
           {Anchors::Across::Divider, Anchors::Across::Right, 0, 0});

    statusBar1 = new QStatusBar(client);
    statusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusBar1->setAccessibleName(QStringLiteral("Statusleiste"));
    statusBar1->setGeometry(0, ClientHeight - StatusBarHeight, ClientWidth, StatusBarHeight);
    statusBar1->setSizeGripEnabled(false);
    // It names the loaded file, whose name may hold anything: plain text, a long path shortened
    // in the middle and whole in the tool tip.
    statusPanel = new ElidedLabel(QStringLiteral("Geladenes Importfile:"), statusBar1);
    statusPanel->setObjectName(QStringLiteral("StatusPanel1"));
    statusPanel->setAccessibleName(QStringLiteral("Geladenes Importfile"));
    statusPanel->setFont(Fonts::sansSerif(12, true));
    statusPanel->setFixedWidth(StatusPanelWidth);
    statusPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    statusBar1->addWidget(statusPanel);
    anchor(statusBar1, {Anchors::Across::Left, Anchors::Across::Right, Anchors::GrowingLists,
                        Anchors::GrowingLists});

    Q_ASSERT(m_described.size() ==
             std::size_t(client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly).size()));
    client->resized = [this](QSize size) { stretch(size); };

    bitBtn1->setToolTip(QStringLiteral("Importfile laden (Strg+O)"));
    bitBtn2->setToolTip(QStringLiteral("Berechnung starten (F5)"));
    orderTabs();
}

void HauptformularUi::anchor(QWidget* widget, Anchors anchors)
{
    m_described.push_back({widget, widget->geometry(), anchors});
}

void HauptformularUi::stretch(QSize size) const
{
    const QSize extra = size - QSize(ClientWidth, ClientHeight);
    // The status bar's one panel takes all of the bar's extra width.
    statusPanel->setFixedWidth(StatusPanelWidth + std::max(0, extra.width()));
    for (const Placed& placed : m_described) {
        placed.widget->setGeometry(anchoredPlace(placed.described, placed.anchors, extra));
    }
}

void HauptformularUi::orderTabs() const
{
    // Top to bottom, the left column first; each list is followed by its "Anzeigen".
    const std::array<QWidget*, 19> order = {
        toolButton1, toolButton2, toolButton5, toolButton6, listBox[0], listBox[5], bitBtn7,
        listBox[2],  bitBtn3,     listBox[1],  listBox[4],  bitBtn4,    bitBtn1,    bitBtn2,
        checkBox2,   checkBox1,   bitBtn6,     bitBtn8,     listBox[3]};
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void HauptformularUi::buildMenu(QMainWindow* window)
{
    QMenuBar* menu = window->menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    menu->setFont(Fonts::sansSerif(11));

    QMenu* optionen = addMenu(menu, "Optionen1", QStringLiteral("&Optionen"));
    optionen1 = optionen->menuAction();
    pfadangaben1 = addItem(optionen, "Pfadangaben1", QStringLiteral("&Pfadangaben"));
    clientVerzeichnis1 =
        addItem(optionen, "ClientVerzeichnis1", QStringLiteral("&Client-Verzeichnis"));
    downloadaktiv1 = addItem(optionen, "Downloadaktiv1", QStringLiteral("&Download aktiv"));
    downloadaktiv1->setCheckable(true);
    preislistenServer1 =
        addItem(optionen, "PreislistenServer1", QStringLiteral("Preislisten-&Server ..."));
    preislisteSuchen1 = addItem(optionen, "PreislisteSuchen1",
                                QStringLiteral("&Jetzt nach neuer Preisliste suchen"));
    preislisteEinlesen1 =
        addItem(optionen, "PreislisteEinlesen1", QStringLiteral("Preisliste &einlesen ..."));

    QMenu* importdatei = addMenu(menu, "Importdatei1", QStringLiteral("&Importdatei"));
    importdatei1 = importdatei->menuAction();
    importdatei1->setEnabled(false);
    ansehen1 = addItem(importdatei, "Ansehen1", QStringLiteral("&Editieren"));
    grundriss1 = addItem(importdatei, "Grundriss1", QStringLiteral("&Grundriss"));
    grundriss1->setEnabled(false);
    ansichtImSpiel1 =
        addItem(importdatei, "AnsichtImSpiel1", QStringLiteral("&Ansicht wie im Spiel"));
    ansichtImSpiel1->setEnabled(false);
    bereinigen1 = addItem(importdatei, "Bereinigen1", QStringLiteral("&Bereinigen ..."));
    vergleichen1 = addItem(importdatei, "Vergleichen1", QStringLiteral("&Vergleichen mit ..."));
    stapelpruefung1 = addItem(importdatei, "Stapelpruefung1", QStringLiteral("&Stapelprüfung ..."));

    QMenu* rechnung = addMenu(menu, "Rechnung1", QStringLiteral("&Rechnung"));
    rechnung1 = rechnung->menuAction();
    rechnung1->setEnabled(false);
    kostenaufstellung1 =
        addItem(rechnung, "Kostenaufstellung1", QStringLiteral("&Kostenaufstellung"));
    rechnungSpeichern1 =
        addItem(rechnung, "RechnungSpeichern1", QStringLiteral("Rechnung &speichern ..."));
    rechnungDrucken1 =
        addItem(rechnung, "RechnungDrucken1", QStringLiteral("Rechnung &drucken ..."));
    rechnungKopieren1 =
        addItem(rechnung, "RechnungKopieren1", QStringLiteral("Rechnung k&opieren"));

    info1 = addItem(menu, "Info1", QStringLiteral("In&fo"));
    beenden1 = addItem(menu, "Beenden1", QStringLiteral("&Beenden"));
    beenden1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    // An item's key works only while its menu can be opened: a key would reach the item past a
    // menu that a run or a missing file has turned off.
    const auto keys = [](QAction* item, const QKeySequence& sequence, QAction* menuTitle) {
        const auto follow = [item, sequence](bool on) {
            item->setShortcut(on ? sequence : QKeySequence());
        };
        follow(menuTitle->isEnabled());
        QObject::connect(menuTitle, &QAction::enabledChanged, item, follow);
    };
    // "Stapelprüfung" needs no loaded file: its key also works while the menu "Importdatei" is
    // off for want of one, whenever the window is idle (as "Info" is).
    stapelpruefung1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    window->addAction(stapelpruefung1);
    QObject::connect(info1, &QAction::enabledChanged, stapelpruefung1, &QAction::setEnabled);
    keys(ansehen1, QKeySequence(Qt::CTRL | Qt::Key_E), importdatei1);
    keys(grundriss1, QKeySequence(Qt::CTRL | Qt::Key_G), importdatei1);
    keys(ansichtImSpiel1, QKeySequence(Qt::CTRL | Qt::Key_I), importdatei1);
    keys(rechnungSpeichern1, QKeySequence(Qt::CTRL | Qt::Key_S), rechnung1);
    keys(rechnungDrucken1, QKeySequence(Qt::CTRL | Qt::Key_P), rechnung1);
    keys(rechnungKopieren1, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), rechnung1);

    // The two buttons' keys; the buttons decide whether they may be pressed now.
    const auto buttonKey = [window](const char* name, const QKeySequence& sequence) {
        auto* action = new QAction(window);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(sequence);
        window->addAction(action);
        return action;
    };
    importfileLaden1 = buttonKey("ImportfileLaden1", QKeySequence(Qt::CTRL | Qt::Key_O));
    berechnungStarten1 = buttonKey("BerechnungStarten1", QKeySequence(Qt::Key_F5));
}

void HauptformularUi::buildToolBar(QWidget* client)
{
    auto* bar = new QFrame(client);
    bar->setObjectName(QStringLiteral("ToolBar1"));
    bar->setAccessibleName(QStringLiteral("Werkzeugleiste"));
    bar->setGeometry(0, 0, ClientWidth, ToolBarHeight);
    anchor(bar, {Anchors::Across::Left, Anchors::Across::Right, 0, 0});
    bar->setStyleSheet(
        QStringLiteral("QFrame#ToolBar1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, "
                       "stop:0 #FFFFFF, stop:1 #C8C8C8); border-bottom: 1px solid #A0A0A0; }"));
    toolButton1 = toolButton(bar, "ToolButton1", QStringLiteral("importpfad"),
                             QStringLiteral("Importpfad setzen"), 0);
    toolButton2 = toolButton(bar, "ToolButton2", QStringLiteral("editieren"),
                             QStringLiteral("Importdatei editieren"), 39);
    toolButton2->setEnabled(false);
    auto* separator = place(new QFrame(bar), "ToolButton4", 39 + 39, 0);
    separator->resize(10, 38);
    toolButton5 = toolButton(bar, "ToolButton5", QStringLiteral("beenden"),
                             QStringLiteral("Tarvek beenden"), 39 + 39 + 10);
    toolButton6 = toolButton(bar, "ToolButton6", QStringLiteral("grundriss"),
                             QStringLiteral("Grundriss anzeigen"), 39 + 39 + 10 + 39);
    toolButton6->setAccessibleName(QStringLiteral("Grundriss anzeigen"));
    toolButton6->setEnabled(false);
}

void HauptformularUi::buildLists(QWidget* client)
{
    struct ListPlace
    {
        int number;
        const char* name;
        QRect place;
        const char* title; // the header above the list
    };
    static constexpr std::array<ListPlace, 5> Left = {{
        {1, "ListBox1", {4, 63, 386, 81}, "Protokoll"},
        {6, "ListBox6", {4, 167, 386, 81}, "Items, welche nicht importiert werden dürfen"},
        {3, "ListBox3", {4, 273, 386, 81}, "Ineinanderliegende Items"},
        {2, "ListBox2", {4, 378, 386, 85}, "Unbedingt prüfen"},
        {5, "ListBox5", {4, 487, 386, 85}, "Nicht berechnete Items (bitte manuell hinzuaddieren)"},
    }};
    // Top to bottom, each list takes its share of the extra height and half the extra width.
    for (std::size_t i = 0; i < Left.size(); ++i) {
        const ListPlace& entry = Left[i];
        const QFont font = entry.number == 5 ? Fonts::microsoftSansSerif(11) : Fonts::sansSerif(11);
        auto* list = new TResultList(font, 13, client);
        list->setObjectName(QString::fromLatin1(entry.name));
        list->setGeometry(entry.place);
        list->setAccessibleName(QString::fromUtf8(entry.title));
        listBox[std::size_t(entry.number - 1)] = list;
        anchor(list, {Anchors::Across::Left, Anchors::Across::Divider, int(i), int(i) + 1});
    }
    // Each header, and the "Anzeigen" beside it, stays above its list.
    anchor(header(client, "StaticText1", QStringLiteral(" Protokoll "), 4, 45), leftBeneath(0));
    anchor(header(client, "StaticText21",
                  QStringLiteral(" Items, welche nicht importiert werden dürfen  "), 4, 149),
           leftBeneath(1));
    bitBtn7 = showButton(client, "BitBtn7", listBox[5]->accessibleName(), {272, 148, 75, 19});
    anchor(bitBtn7, leftBeneath(1));
    anchor(
        header(client, "StaticText11", QStringLiteral(" Ineinanderliegende Items "), 4, 255, 153),
        leftBeneath(2));
    bitBtn3 = showButton(client, "BitBtn3", listBox[2]->accessibleName(), {158, 254, 75, 19});
    anchor(bitBtn3, leftBeneath(2));
    anchor(header(client, "StaticText2", QStringLiteral(" Unbedingt prüfen "), 4, 360),
           leftBeneath(3));
    anchor(header(client, "StaticText16",
                  QStringLiteral(" Nicht berechnete Items (bitte manuell hinzuaddieren) "), 4, 469),
           leftBeneath(4));
    bitBtn4 = showButton(client, "BitBtn4", listBox[4]->accessibleName(), {316, 468, 75, 19});
    anchor(bitBtn4, leftBeneath(4));
}

void HauptformularUi::buildPhases(QWidget* client)
{
    struct Phase
    {
        const char* caption;
        const char* label;
        int lamp;
    };
    static const std::array<Phase, 8> Phases = {{
        {" Berechnung Itemanzahl", "StaticText3", 1},
        {" Ermittlung der niedrigsten Fläche", "StaticText6", 2},
        {" Ermittlung X/Y Koordinaten", "StaticText13", 7},
        {" Berechnung der Quadratschritt", "StaticText5", 5},
        {" Prüfung beweglicher Items", "StaticText22", 9},
        {" Prüfung ineinanderliegender Items", "StaticText7", 3},
        {" Bereinigung ineinanderliegender Items", "StaticText19", 6},
        {" Itemberechnung", "StaticText8", 4},
    }};
    anchor(header(client, "StaticText4", QStringLiteral(" Ablauffolge "), 399, 53), RightColumn);
    auto* panel = place(new QFrame(client), "Panel1", 663, 73);
    panel->resize(22, 165);
    anchor(panel, RightColumn);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setAccessibleName(QStringLiteral("Phasenlampen"));
    for (std::size_t i = 0; i < Phases.size(); ++i) {
        const int top = 72 + 21 * int(i);
        anchor(sunken(client, Phases[i].label, QString::fromUtf8(Phases[i].caption),
                      {399, top, 262, 17}),
               RightColumn);
        auto* lamp = new TBLED(panel);
        lamp->setObjectName(QStringLiteral("BLED%1").arg(Phases[i].lamp));
        lamp->setAccessibleName(nameOf(Phases[i].caption));
        lamp->setGeometry(3, top - 73 + 1, 15, 15);
        lamp->setFarbeAn(QColor(0x00, 0xFF, 0x00));
        lamp->setFarbeAus(QColor(0x80, 0x80, 0x80));
        lamp->setAnAus(false);
        lamp->setRand(1);
        lamp->setRandfarbe(QColor(0x80, 0x80, 0x80));
        lamp->setLichtpunkt(2);
        lamp->setLichtpunktx(5);
        lamp->setLichtpunkty(4);
        lamp->setBlinken(false);
        bled[std::size_t(Phases[i].lamp - 1)] = lamp;
    }
}

void HauptformularUi::buildDisplays(QWidget* client)
{
    bprogress1 = place(new TBProgress(client), "BProgress1", 399, 254);
    bprogress1->resize(231, 19);
    // The progress bar takes the right column's extra width, its per-cent display beyond it.
    anchor(bprogress1, {Anchors::Across::Divider, Anchors::Across::Right, 0, 0});
    bprogress1->setAusrichtung(TBProgress::tausricht::Horizontal);
    bprogress1->setPanel_Licht(QColor(0xC0, 0xC0, 0xC0));
    bprogress1->setPanel_Schatten(QColor(0x80, 0x80, 0x80));
    bprogress1->setLED_Licht(QColor(0xFF, 0xFF, 0xFF));
    bprogress1->setLED_Schatten(QColor(0xFF, 0x00, 0x00));
    bprogress1->setWert(0);
    bprogress1->setAccessibleName(QStringLiteral("Fortschritt"));

    struct Display
    {
        const char* label;
        const char* caption;
        int digits;
        bool minus;
        int top;
    };
    static const std::array<Display, 4> Displays = {{
        {"StaticText9", " Anzahl Items:", 10, false, 301},
        {"StaticText10", " Niedrigstes Item auf Pos Z:", 9, true, 322},
        {"StaticText14", " Ermittelte QS:", 9, true, 343},
        {"StaticText12", " Zu zahlende Gesamtsumme:", 9, true, 364},
    }};
    const auto makeDigit = [client](int number, int digits, bool minus, QPoint at) {
        auto* digit = new TBDigit(client);
        digit->setObjectName(QStringLiteral("BDigit%1").arg(number));
        digit->setFarbe(QColor(0, 0, 0));
        digit->setGlaslicht(QColor(0xC0, 0xC0, 0xC0));
        digit->setGlasschatten(QColor(0xFF, 0xFF, 0xFF));
        digit->setGroesse(TBDigit::tgroesse::G1);
        digit->setRahmen(true);
        digit->setNullen(false);
        digit->setDigitanzahl(digits);
        digit->setMinusfeld(minus);
        digit->setWert(0);
        digit->move(at);
        return digit;
    };
    bdigit[0] = makeDigit(1, 3, false, {631, 253});
    bdigit[0]->setAccessibleName(QStringLiteral("Fortschritt in Prozent"));
    anchor(bdigit[0], Anchors::fixed(Anchors::Across::Right, 0));
    auto* percent = place(new QLabel(QStringLiteral("%"), client), "Label2", 668, 251);
    percent->setFont(Fonts::sansSerif(19));
    percent->adjustSize();
    anchor(percent, Anchors::fixed(Anchors::Across::Right, 0));
    for (std::size_t i = 0; i < Displays.size(); ++i) {
        const Display& d = Displays[i];
        anchor(sunken(client, d.label, QString::fromUtf8(d.caption), {399, d.top + 2, 176, 17}),
               RightColumn);
        bdigit[i + 1] = makeDigit(int(i) + 2, d.digits, d.minus, {579, d.top});
        bdigit[i + 1]->setAccessibleName(nameOf(d.caption));
        anchor(bdigit[i + 1], RightColumn);
    }
}

void HauptformularUi::buildBill(QWidget* client)
{
    checkBox2 = checkBox(client, "CheckBox2", QStringLiteral("Wasserbau"), {428, 399, 85, 17});
    checkBox1 = checkBox(client, "CheckBox1", QStringLiteral("Kellerbau (nur Gilden)"),
                         {522, 399, 143, 17});
    anchor(checkBox2, RightColumn);
    anchor(checkBox1, RightColumn);
    anchor(header(client, "StaticText15", QStringLiteral(" Rechnung"), 400, 426, 69), RightColumn);
    bitBtn6 = button(client, "BitBtn6", QStringLiteral("Refresh"), {471, 425, 75, 19});
    anchor(bitBtn6, RightColumn);
    bitBtn8 = button(client, "BitBtn8", QStringLiteral("Kostenaufstellung"), {550, 425, 120, 19});
    anchor(bitBtn8, RightColumn);
    bitBtn8->setAccessibleName(QStringLiteral("Kostenaufstellung"));
    bitBtn8->setEnabled(false);
    auto* bill = new TResultList(Fonts::courierNew(12), 15, client);
    bill->setObjectName(QStringLiteral("ListBox4"));
    bill->setAccessibleName(QStringLiteral("Rechnung"));
    bill->setGeometry(398, 444, 284, 166);
    // The bill's 39 columns need the whole width; its eight lines fit without scrolling.
    bill->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    listBox[3] = bill;
    // The bill takes the right column's extra width and the whole extra height.
    anchor(bill, {Anchors::Across::Divider, Anchors::Across::Right, 0, Anchors::GrowingLists});
}
