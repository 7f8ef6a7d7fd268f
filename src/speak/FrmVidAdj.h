#pragma once
// The camera adjustment window: a small window above everything else with the
// camera's motion and speed buttons, so the operator can correct the picture
// during a meeting. The speaking page creates it once and shows or hides it;
// its close box only hides it, so it can be shown again.

#include "speak/CameraPad.h"

#include <QWidget>

class Link;

class FrmVidAdj : public QWidget
{
    Q_OBJECT
public:
    static constexpr CameraPad::Names kPad = {
        "IDC_VIDUP_BNT",   "IDC_VIDLEFT_BNT", "IDC_VIDRIGHT_BNT",    "IDC_VIDDOWN_BNT",
        "IDC_VIDNEAR_BNT", "IDC_FARNESS_BNT", "IDC_APERTUREADD_BNT", "IDC_APERTUREDEC_BNT",
        "IDC_PACEADD_BNT", "IDC_PACEDEC_BNT"};

    explicit FrmVidAdj(Link& link, QWidget* parent = nullptr);

signals:
    // The close box was used: the window is hidden, and whoever shows it puts its button back.
    void closedByOperator();

protected:
    void closeEvent(QCloseEvent* event) override;
};
