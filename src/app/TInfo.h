#pragma once

#include <QDialog>

// The about window: the program's picture, its name and version, and an OK button.
class TInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TInfo(QWidget* parent = nullptr);
};
