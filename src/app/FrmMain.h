#pragma once
// The operator's start screen: 1024 x 741, the hub of the console's areas.

#include <QDialog>

class FrmMain : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);

    // A second start of the program asks the running copy to come forward.
    void bringToFront();
};
