#pragma once
// The result display: a motion's stored result as a table, a histogram or a
// pie, on a preview panel inside the dialog and on the hall screen, both given
// the same calls. It only shows; the voting page opens it modally for the
// selected motion:
//
//     FrmResult dialog(hallScreen, {meeting, motion.title, kind, motion.candidates, motion.result,
//                                   motion.votedAt, motion.showPercent, hallScreen.scrSize()}, this);
//     dialog.exec();
//
// The voting page's panel colour and text size are not taken: the result is
// drawn on pure blue, and the panel sizes its text from its own width.

#include "screen/PanelKind.h"

#include <QDateTime>
#include <QDialog>
#include <QString>
#include <QStringList>
#include <array>

class HallScreen;
class QLabel;
class QLineEdit;
class QRadioButton;
class QButtonGroup;
class ScreenPanel;

struct ResultRequest
{
    QString meeting;
    QString motionName;
    int kind = 0;                 // vote kind 0..6
    QStringList candidates;       // the motion's candidates
    QString result;               // its result string; empty when it was never voted
    QDateTime votedAt;            // of the last count
    bool showPercentages = false; // a motion's table shows them
    QString scrSize;              // the hall screen's size ("1024*768"); the preview takes its shape
    int seats = 1;                // the number to elect of an election
};

class FrmResult : public QDialog
{
    Q_OBJECT
public:
    // Object names of the designed controls.
    static constexpr const char* kMotionName = "1214";
    static constexpr const char* kKindName = "1216";
    static constexpr std::array<const char*, 5> kCandidates{"1217", "1218", "1219", "1220", "1221"};
    static constexpr const char* kVoteTime = "IDC_VOTE_TIME";
    static constexpr const char* kPreview = "1213";
    static constexpr const char* kTextView = "IDC_RADIO_TEXTDRAW";
    static constexpr const char* kHistogramView = "IDC_RADIO_HISTDRAW";
    static constexpr const char* kPieView = "IDC_RADIO_FANDRAW";
    static constexpr const char* kExit = "IDC_RESULT_EXIT";
    static constexpr const char* kNotVoted = "MsgClewResult";

    FrmResult(HallScreen& screen, const ResultRequest& request, QWidget* parent = nullptr);

    // Draws the result in a view (Table, Histogram or Pie) on both panels;
    // scoring stays a table whatever is asked.
    void showView(PanelKind view);
    ScreenPanel* preview() const { return m_preview; }

private:
    HallScreen& m_screen;
    ResultRequest m_request;
    ScreenPanel* m_preview;
    QButtonGroup* m_views = nullptr;
};
