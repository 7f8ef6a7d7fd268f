#pragma once
// The hall drawn by one widget: every seat painted here, none a widget of its
// own, so 249 seats refresh ten times a second for next to nothing. Only the
// seats whose state or label changed are repainted.
//
// In edit mode a click picks a seat up, the mouse carries it (its top-left
// corner at the pointer) and a second click, or the right button, puts it down.
// Otherwise a click on a present seat reports it.

#include "speak/SeatLayout.h"
#include "speak/SeatPainter.h"

#include <QHash>
#include <QImage>
#include <QList>
#include <QWidget>

class SeatMap : public QWidget
{
    Q_OBJECT
public:
    explicit SeatMap(QWidget* parent = nullptr);

    void setSeats(const SeatLayout& layout);
    const SeatLayout& seats() const { return m_layout; }
    // A null picture paints the hall white.
    void setBackground(const QImage& picture);

    // State of seat n at index n - 1; seats beyond the list show a closed microphone.
    void setStates(const QList<SeatState>& states);
    // Label of seat n at index n - 1; an empty one shows the seat's caption.
    void setLabels(const QStringList& labels);
    // Speakers' time rings by seat number; seats not named have none.
    void setRings(const QHash<int, TimeRing>& rings);
    // The state seat n is drawn in.
    SeatState stateOf(int number) const;

    void setEditing(bool editing);
    bool isEditing() const { return m_editing; }
    // Seat number being carried, 0 when none.
    int liftedSeat() const { return m_lifted; }

    QSize sizeHint() const override;

signals:
    void seatClicked(int number);
    void seatPutDown(int number);

protected:
    // A seat's tooltip is its whole label, which the seat may show cut short.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QString labelOf(int number) const;
    QRect areaOf(int number) const;
    void putDown();
    void fitExtent();

    SeatLayout m_layout;
    QImage m_background;
    QImage m_scaledBackground;
    QList<SeatState> m_states;
    QStringList m_labels;
    QHash<int, TimeRing> m_rings;
    bool m_editing = false;
    int m_lifted = 0;
};
