#pragma once
// What the result display hands the screen panels for a stored result: the
// display kind, the sub-kind by which the panel reads the result string, and
// the label field list that goes with it, per vote kind. Scoring has a single
// mean mark, so it is always shown as text.

#include "screen/PanelKind.h"

#include <QString>

namespace ResultView {

// The label texts of the language table, and the evaluation's designed key names.
struct LabelTexts
{
    QString due;       // strYD
    QString present;   // strQD
    QString yes;       // MsgVote1
    QString no;        // MsgVote2
    QString abstain;   // MsgVote3
    QString unpressed; // MsgVote4
    QString noKey;     // MsgClewNokey: the label after the candidates of a three-way single choice
    QString meanMark;  // MsgClewMark
    QString satisfied = QStringLiteral("满意");
    QString dissatisfied = QStringLiteral("不满意");
    QString fairlySatisfied = QStringLiteral("基本满意");
};

struct Display
{
    PanelKind kind = PanelKind::Table;
    PanelSubKind subKind = PanelSubKind::None;
    QString labels; // a field list: every field followed by ":"
    bool operator==(const Display&) const = default;
};

// `view` is Table, Histogram or Pie. The candidates are the motion's field
// list; only its whole fields count (at most five), so a list whose last
// name lacks its ":" cannot run into the label after it. An unknown kind
// gives no sub-kind and no labels.
Display display(int voteKind, PanelKind view, const QString& candidates, const LabelTexts& texts);

} // namespace ResultView
