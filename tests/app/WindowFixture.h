#pragma once

#include "gui/FakeDialogs.h"

#include "app/THauptformular.h"
#include "app/TarvekWindows.h"
#include "views/ItemViewDialog.h"
#include "views/lists/TResultList.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

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
    void click(const char* name) const
    {
        QTest::mouseClick(control<QAbstractButton>(name), Qt::LeftButton);
    }

    void load(const QString& path)
    {
        m_dialogs.nextFile = path;
        click("BitBtn1");
    }
    // Starts a run with the start button and waits until it has ended.
    void run()
    {
        click("BitBtn2");
        ASSERT_TRUE(window().RunActive());
        QTRY_VERIFY_WITH_TIMEOUT(!window().RunActive(), 20000);
    }
    // Calls action once, from inside the run, when a protocol line containing `text` appears.
    void whenProtocolShows(const QString& text, std::function<void()> action)
    {
        TResultList* protocol = window().listBox(1);
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
            shown = {QString::fromLatin1(dialog->metaObject()->className()),
                     dialog->fieldText(field),
                     dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1")) != nullptr};
            dialog->close();
        });
        action();
        return shown;
    }

    FakeDialogs m_dialogs;
    QTemporaryDir m_dir;
    TarvekWindows* m_windows = nullptr;
};
