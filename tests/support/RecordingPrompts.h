#pragma once

#include "views/ItemViewPrompts.h"

#include <QDialog>
#include <QString>

#include <functional>
#include <vector>

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
