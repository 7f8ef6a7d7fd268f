#pragma once
// What the hall screen shows of a sign-in, as whole panel states: the
// procedure's two lines (its prompt and its end) and its figures. The sign-in
// page pushes each state once to the hall screen.
//
// The figures keep the lines shown before them: the hall's table does not
// show them, but the web view's chair page shows them under the attendance.

#include "screen/ScreenPanelState.h"

class SignInScreenPresenter
{
public:
    const ScreenPanelState& lines(const QString& first, const QString& second, const PanelColours& colours);
    // Labels and values as the procedure gives them: field lists of due, present and absent (and the quorum).
    const ScreenPanelState& figures(const QString& title, const QString& values, const QString& labels,
                                    const PanelColours& colours);

private:
    ScreenPanelState m_shown;
};
