#pragma once
// What the pages of one meeting in progress share beyond the link: whether the
// last sign-in has been ended (the vote may start only then). The meeting hub
// owns one and hands it to the sign-in procedure and the voting page, so no
// page keeps it and no global does.

#include <QObject>

class MeetingState : public QObject
{
    Q_OBJECT

public:
    explicit MeetingState(QObject* parent = nullptr) : QObject(parent) {}

    // False from a sign-in start (normal or supplementary), true from its end.
    bool signInClosed() const { return m_signInClosed; }
    void setSignInClosed(bool closed);

signals:
    void signInClosedChanged(bool closed);

private:
    bool m_signInClosed = false;
};
