#pragma once
// The band that marks every window of a rehearsal: amber with dark stripes at
// its ends and the language table's text, shrunk until it fits, so a training
// window is never mistaken for a real meeting's.

#include <QLabel>

class TrainingBand : public QLabel
{
    Q_OBJECT
public:
    static constexpr char kObjectName[] = "TrainingBand";
    static constexpr int kHeight = 28;

    TrainingBand(const QString& text, const QRect& place, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Kept apart from the widget's font: a hub's style sheet would otherwise resize it.
    QFont m_textFont;
};
