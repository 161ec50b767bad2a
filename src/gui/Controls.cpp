#include "gui/Controls.h"

#include "gui/Fonts.h"

#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

QPushButton* makeButton(QWidget* parent, const char* name, const QString& caption,
                        const QRect& place)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(place);
    return button;
}

namespace {

// Return and Enter on a focused button press it, as Space does.
class PressOnReturn final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
            return false;
        }
        static_cast<QPushButton*>(watched)->animateClick();
        return true;
    }
};

} // namespace

QPushButton* makeCommandButton(QWidget* parent, const char* name, const QString& caption)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString(caption).remove(u'&'));
    button->setAutoDefault(false);
    button->installEventFilter(new PressOnReturn(button));
    return button;
}

void setUpFixedDialog(QDialog* dialog, const char* name, const QString& title, QSize size,
                      bool bold)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                           Qt::WindowCloseButtonHint);
    dialog->setFont(Fonts::sansSerif(11, bold));
    dialog->setFixedSize(size);
}

QStatusBar* makeStatusLine(QWidget* parent)
{
    auto* line = new QStatusBar(parent);
    line->setObjectName(QStringLiteral("Statuszeile"));
    line->setAccessibleName(QStringLiteral("Statuszeile"));
    line->setSizeGripEnabled(false);
    return line;
}

void setUpSizableDialog(QDialog* dialog, const char* name, const QString& title, QSize size)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setAccessibleName(title);
    dialog->setFont(Fonts::sansSerif(10));
    dialog->resize(size);
}

void setUpPictureWindow(QDialog* dialog, const char* name, const QString& title, QSize size)
{
    dialog->setObjectName(QString::fromLatin1(name));
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    dialog->setFont(Fonts::sansSerif(11));
    dialog->resize(size);
}

QLabel* makeBuddyLabel(QWidget* parent, const char* name, const QString& caption, QWidget* buddy)
{
    QString spoken = QString(caption).remove(u'&');
    if (spoken.endsWith(u':')) {
        spoken.chop(1);
    }
    auto* label = named(new QLabel(caption, parent), name, spoken);
    label->setBuddy(buddy);
    return label;
}

QLabel* makeTextLabel(QWidget* parent, const char* name, const QString& accessibleName)
{
    auto* label = named(new QLabel(parent), name, accessibleName);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QTableView* makeSortableTable(QWidget* parent, const char* name, const QString& accessibleName,
                              QAbstractItemModel* model)
{
    auto* table = named(new QTableView(parent), name, accessibleName);
    table->setModel(model);
    table->setSortingEnabled(true);
    table->sortByColumn(-1, Qt::AscendingOrder);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 8);
    return table;
}
