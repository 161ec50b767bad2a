#pragma once

#include "views/ItemViewDialog.h"
#include "views/ItemViewPrompts.h"
#include "views/goto/GameClient.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QString>

#include <functional>
#include <string>
#include <vector>

// One QApplication for the whole test program.
inline void ensureApplication()
{
    static int argc = 1;
    static char name[] = "views_test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        new QApplication(argc, argv);
    }
}

// Shows the dialog without a nested event loop, lets the test act on it as a person would
// while it is open, and records every message box instead of showing it.
class RecordingPrompts : public tarvek::views::ItemViewPrompts
{
public:
    struct Box
    {
        QWidget* parent;
        QString title;
        QString text;
    };

    void showModal(QDialog& dialog) override
    {
        ++modalShowings;
        dialog.show();
        if (whileShown) {
            whileShown(dialog);
        }
        dialog.hide();
    }
    void information(QWidget* parent, const QString& title, const QString& text) override
    {
        informations.push_back({parent, title, text});
    }
    void reportError(QWidget* parent, const QString& text) override
    {
        errors.push_back({parent, {}, text});
    }

    std::function<void(QDialog&)> whileShown;
    int modalShowings = 0;
    std::vector<Box> informations;
    std::vector<Box> errors;
};

// A game client that records the commands it is given.
class RecordingClient : public tarvek::client::GameClient
{
public:
    bool SendToUO(const std::string& command) override
    {
        commands.push_back(command);
        return running;
    }

    bool running = true;
    std::vector<std::string> commands;
};

// Clicks a button of the dialog by its name, as the user would.
void clickButton(QDialog& dialog, const char* name);
