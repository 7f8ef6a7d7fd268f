#include "settings/FrmSysset.h"

#include "settings/Frmbasicset.h"
#include "settings/Frmfound.h"
#include "speak/FrmVid.h"
#include "ui/DialogKeys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPolygonF>
#include <QPushButton>

namespace {

enum class Mark
{
    Basic,
    Cameras,
    Seats
};

// The marks beside the title: a sliders sign for the basic settings, a camera,
// a row of seats for the hall.
QPixmap mark(Mark kind)
{
    QPixmap pixmap(28, 28);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor gold(0xf2, 0xb1, 0x34);
    if (kind == Mark::Cameras) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(gold);
        painter.drawRoundedRect(QRectF(2, 8, 17, 13), 2, 2);
        painter.drawPolygon(QPolygonF({QPointF(20, 14.5), QPointF(26, 9), QPointF(26, 20)}));
        painter.drawRect(QRectF(9, 21, 3, 4));
    } else if (kind == Mark::Seats) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(gold);
        for (int x : {2, 11, 20})
            painter.drawRoundedRect(QRectF(x, 10, 7, 9), 2, 2);
        painter.drawRect(QRectF(2, 21, 25, 3));
    } else {
        painter.setPen(QPen(gold, 2.4, Qt::SolidLine, Qt::RoundCap));
        for (int y : {7, 14, 21})
            painter.drawLine(QPointF(4, y), QPointF(24, y));
        painter.setBrush(gold);
        painter.setPen(Qt::NoPen);
        for (auto [x, y] : {std::pair{9, 7}, std::pair{19, 14}, std::pair{12, 21}})
            painter.drawEllipse(QPointF(x, y), 3.6, 3.6);
    }
    return pixmap;
}

} // namespace

FrmSysset::FrmSysset(Link& link, HallScreen& screen, const QString& installationType, QWidget* parent)
    : HubFrame(QStringLiteral("FrmSysset"), kTitle, parent)
{
    setHeading("1308", texts()(QStringLiteral("IDC_STATIC_SYSSET")));
    QLabel* basicMark = addMark("1519", mark(Mark::Basic));

    QPushButton* basicButton = addButton(kBasicButton, 60);
    QPushButton* cameraButton = addButton(kCameraButton, 160);
    QPushButton* seatButton = addButton(kSeatButton, 260);
    QPushButton* exit = addButton(kExitButton, 550);

    m_basic = new Frmbasicset(link, screen, this);
    addPage(m_basic, basicButton, texts()(QStringLiteral("MsgClew1")), basicMark);
    setPageAvailable(m_basic, true);
    connect(basicButton, &QPushButton::clicked, this, &FrmSysset::showBasic);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_basic, &Frmbasicset::languageChanged, this, &FrmSysset::languageChanged);

    const QString type = installationType.trimmed();
    if (type == QLatin1String("0") || type == QLatin1String("2")) {
        m_cameras = new FrmVid(link, this);
        addPage(m_cameras, cameraButton, texts()(QStringLiteral("MsgClew2")),
                addMark("1518", mark(Mark::Cameras)));
        setPageAvailable(m_cameras, true);
        connect(cameraButton, &QPushButton::clicked, this, &FrmSysset::showCameras);
        m_seats = new Frmfound(this);
        addPage(m_seats, seatButton, texts()(QStringLiteral("MsgClew3")), addMark("1520", mark(Mark::Seats)));
        setPageAvailable(m_seats, true);
        connect(seatButton, &QPushButton::clicked, this, &FrmSysset::showSeats);
        connect(m_basic, &Frmbasicset::unitCountStored, this, &FrmSysset::unitCountStored);
        connect(m_seats, &Frmfound::layoutExistsChanged, this, &FrmSysset::showSeatHint);
    } else {
        cameraButton->hide();
        seatButton->hide();
    }
    showBasic();
}

void FrmSysset::showBasic()
{
    showPage(m_basic);
    setHint(QString());
}

void FrmSysset::showSeats()
{
    if (!m_seats)
        return;
    showPage(m_seats);
    showSeatHint();
}

void FrmSysset::showCameras()
{
    if (!m_cameras)
        return;
    m_cameras->refresh();
    showPage(m_cameras);
    setHint(QString());
}

void FrmSysset::showSeatHint()
{
    const bool empty = currentPage() == m_seats && !m_seats->hasLayout();
    setHint(empty ? texts()(QStringLiteral("MsgHintSeats")) : QString());
}

void FrmSysset::unitCountStored()
{
    showSeats();
    m_seats->unitCountChanged();
}

void FrmSysset::done(int)
{
    QDialog::done(QDialog::Accepted);
}

void FrmSysset::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::isEnterOrEscape(*event)) {
        event->accept();
        return;
    }
    HubFrame::keyPressEvent(event);
}
