#pragma once
// The online key monitor (dialog "在线监测按键情况"): every unit up to
// unitCount with its delegate's name and whether it has pressed a key,
// refreshed each second while the vote runs on behind it. It sends nothing
// and writes nothing. The voting page opens it modally:
//
//     FrmKeyMonitor monitor(link, timers, meetingName, kind, this);
//     monitor.exec();
//
// Units sit 22 to a column group, groups left to right, so all 249 are shown;
// the list is as large as its units need and scrolls only where the display
// is too small. Under it: how many of the units signed in have pressed. The
// names are read once, when the monitor opens.

#include <QDialog>
#include <QHash>
#include <memory>

class Link;
class QLabel;
class QTableWidget;
class Timer;
class TimerService;

class FrmKeyMonitor : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kList = "1600";
    static constexpr const char* kClose = "IDCANCEL";
    static constexpr const char* kTotals = "MsgTotals";

    FrmKeyMonitor(Link& link, TimerService& timers, const QString& meeting, int kind,
                  QWidget* parent = nullptr);
    ~FrmKeyMonitor() override;

    // Rewrites the key states (and rebuilds the list when unitCount changed).
    void refresh();
    // What the list shows for a unit: part 0 number, 1 name, 2 key state.
    QString cellText(int unit, int part) const;

private:
    void build();
    void fitList();

    Link& m_link;
    int m_kind;
    QHash<int, QString> m_names;
    QString m_notPressed;
    QString m_pressed;
    QString m_notSignedIn;
    QString m_totalsFormat;
    QTableWidget* m_list;
    QLabel* m_totals;
    int m_units = -1; // units the list was built for
    std::unique_ptr<Timer> m_timer;
};
