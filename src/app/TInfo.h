#pragma once

#include <QDialog>

// The about window: the program's picture, its name and version, the licences of the parts it
// ships (Qt, the fonts), and an OK button.
class TInfo : public QDialog
{
    Q_OBJECT

public:
    explicit TInfo(QWidget* parent = nullptr);

    static const QString LicenceText;
};
