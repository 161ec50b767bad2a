#pragma once

#include "support/FakeDialogs.h"

#include "app/THauptformular.h"
#include "app/TarvekWindows.h"
#include "views/ItemViewDialog.h"
#include "views/lists/TResultList.h"

#include "widgets/TBDigit.h"
#include "widgets/TBLED.h"
#include "widgets/TBProgress.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <functional>

// A main window with its dialogs in a program folder of its own (with the sample price list),
// driven through its controls.
class WindowFixture : public GuiTest
{
protected:
    WindowFixture() { copyPriceList(); }
    ~WindowFixture() override { delete m_windows; }

    static QString sample(const char* name)
    {
        return QStringLiteral(TARVEK_SOURCE_DIR "/examples/") + QString::fromLatin1(name);
    }
    void copyPriceList() const
    {
        QFile::copy(sample("Preisliste.txt"), m_dir.filePath(QStringLiteral("Preisliste.txt")));
    }
    QString writeFile(const QString& name, const QByteArray& content) const
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
        return path;
    }

    // Creates the windows, shows the main window and waits for its start-up (which reads the
    // options and runs the price list check).
    THauptformular& start()
    {
        m_windows = new TarvekWindows(m_dir.path() + u'/');
        showAndStart();
        return window();
    }
    void showAndStart() const
    {
        window().show();
        EXPECT_TRUE(QTest::qWaitFor([this] { return window().startedUp(); }, 10000));
    }
    THauptformular& window() const { return m_windows->hauptformular(); }
    template <typename Widget = QPushButton> Widget* control(const char* name) const
    {
        Widget* widget = window().findChild<Widget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    static void click(QAbstractButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // The controls by what they are; each is found by its object name.
    QPushButton* loadButton() const { return control("BitBtn1"); }  // "Importfile laden"
    QPushButton* startButton() const { return control("BitBtn2"); } // and "Stopp"
    QPushButton* showNestedButton() const { return control("BitBtn3"); }
    QPushButton* showNotCalculatedButton() const { return control("BitBtn4"); }
    QPushButton* refreshButton() const { return control("BitBtn6"); }
    QPushButton* showMovableButton() const { return control("BitBtn7"); }
    QPushButton* breakdownButton() const { return control("BitBtn8"); } // "Kostenaufstellung"
    QCheckBox* basementBox() const { return control<QCheckBox>("CheckBox1"); }
    QCheckBox* waterBox() const { return control<QCheckBox>("CheckBox2"); }
    QToolButton* pathsTool() const { return control<QToolButton>("ToolButton1"); }
    QToolButton* editTool() const { return control<QToolButton>("ToolButton2"); }
    QToolButton* quitTool() const { return control<QToolButton>("ToolButton5"); }
    QToolButton* planTool() const { return control<QToolButton>("ToolButton6"); }
    QAction* menuAction(const char* name) const { return control<QAction>(name); }
    QAction* optionsMenu() const { return menuAction("Optionen1"); }
    QAction* importMenu() const { return menuAction("Importdatei1"); }
    QAction* billMenu() const { return menuAction("Rechnung1"); }
    QAction* copyBill() const { return menuAction("RechnungKopieren1"); }
    QAction* downloadActive() const { return menuAction("Downloadaktiv1"); }
    QAction* priceListImport() const { return menuAction("PreislisteEinlesen1"); }
    // BDigit1 .. BDigit5, BLED1 .. BLED9 by number.
    TBDigit* display(int number) const
    {
        return control<TBDigit>(QStringLiteral("BDigit%1").arg(number).toLatin1());
    }
    TBDigit* itemCountDisplay() const { return display(2); }
    TBDigit* totalDisplay() const { return display(5); }
    TBLED* lamp(int number) const
    {
        return control<TBLED>(QStringLiteral("BLED%1").arg(number).toLatin1());
    }
    TBProgress* progressBar() const { return control<TBProgress>("BProgress1"); }
    TResultList* protocolList() const { return window().listBox(1); }
    TResultList* warningList() const { return window().listBox(2); }
    TResultList* nestedList() const { return window().listBox(3); }
    TResultList* billList() const { return window().listBox(4); }
    TResultList* notCalculatedList() const { return window().listBox(5); }
    TResultList* movableList() const { return window().listBox(6); }

    void load(const QString& path)
    {
        m_dialogs.nextFile = path;
        click(loadButton());
    }
    // Starts a run with the start button and waits until it has ended.
    void run()
    {
        click(startButton());
        ASSERT_TRUE(window().RunActive());
        QTRY_VERIFY_WITH_TIMEOUT(!window().RunActive(), 20000);
    }
    // Calls action once, from inside the run, when a protocol line containing `text` appears.
    void whenProtocolShows(const QString& text, std::function<void()> action)
    {
        TResultList* protocol = protocolList();
        QObject::connect(
            protocol->model(), &QAbstractItemModel::rowsInserted, protocol,
            [protocol, text, action, done = false](const QModelIndex&, int first, int) mutable {
                if (!done && protocol->entryText(first).contains(text)) {
                    done = true;
                    action();
                }
            });
    }

    // The item view that the next action shows modally: its class and one field's text; the
    // view is closed again.
    struct ShownView
    {
        QString className;
        QString field;
        bool goTo = false; // has "Hingehen"
    };
    ShownView nextItemView(tarvek::views::ItemField field, const std::function<void()>& action)
    {
        ShownView shown;
        QTimer::singleShot(0, &window(), [&] {
            auto* dialog = qobject_cast<ItemViewDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            shown = {.className = QString::fromLatin1(dialog->metaObject()->className()),
                     .field = dialog->fieldText(field),
                     .goTo = dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")) != nullptr};
            dialog->close();
        });
        action();
        return shown;
    }

    FakeDialogs m_dialogs;
    QTemporaryDir m_dir;
    TarvekWindows* m_windows = nullptr;
};
