#pragma once
// The preparation hub: page buttons on the left, one page on the right. The
// pages are made once and shown or hidden; the motion and delegate pages work
// on the meeting selected on the meeting page and reload each time they show.

#include <QDialog>

class FrmMeeset;
class FrmMeeMat;
class PrepPage;
class QLabel;
class QPushButton;

class FrmMeeOut : public QDialog
{
    Q_OBJECT
public:
    explicit FrmMeeOut(QWidget* parent = nullptr);

    FrmMeeset* meetingPage() const { return m_meetings; }
    FrmMeeMat* motionPage() const { return m_motions; }
    QWidget* delegatePage() const { return m_delegates; }

    void showMeetings();
    void showMotions();
    void showDelegates();

    void done(int result) override;

private:
    void showPage(QWidget* page, QPushButton* pressed, const QString& title, bool firstIcon);
    void updateButtons();

    FrmMeeset* m_meetings;
    FrmMeeMat* m_motions;
    QWidget* m_delegates = nullptr; // joins when the delegate page exists
    QPushButton* m_meetingsButton;
    QPushButton* m_motionsButton;
    QPushButton* m_delegatesButton;
    QPushButton* m_exit;
    QLabel* m_heading;
    QLabel* m_pageTitle;
    QLabel* m_iconMeeting;  // 1522
    QLabel* m_iconDelegate; // 1521
    QWidget* m_current = nullptr;
    bool m_meetingUsable = false;
    QString m_titles[3];
};
