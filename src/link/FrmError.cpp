#include "link/FrmError.h"

#include "core/LanguageTable.h"
#include "ui/PictureButton.h"
#include "ui/Skin.h"

#include <QLabel>
#include <QPainter>

namespace {
constexpr int kWidth = 600;
constexpr int kHeight = 350;
constexpr int kPictureWidth = 170;
constexpr int kButtonWidth = 176;
} // namespace

FrmError::FrmError(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmError"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setModal(true);
    setFixedSize(kWidth, kHeight);
    setStyleSheet(Skin::darkStyleSheet());

    const Texts texts(QStringLiteral("FrmError"));
    setWindowTitle(texts(QStringLiteral("DlgError")));
    m_picture = Skin::picture(QStringLiteral("no-controller"), QSize(kPictureWidth, kHeight));

    QFont adviceFont(QStringLiteral("Arial"));
    adviceFont.setPointSize(11);
    int y = 26;
    for (int line = 1; line <= 4; ++line) {
        const QString key = QStringLiteral("IDC_STATIC_ERRCLEW%1").arg(line);
        auto* label = new QLabel(texts(key), this);
        label->setObjectName(key);
        label->setFont(adviceFont);
        label->setWordWrap(true);
        if (line == 1) {
            QFont lead = adviceFont;
            lead.setBold(true);
            lead.setPointSize(12);
            label->setFont(lead);
        }
        label->setGeometry(kPictureWidth + 28, y, kWidth - kPictureWidth - 56, line == 1 ? 50 : 44);
        y += line == 1 ? 58 : 46;
    }

    QFont buttonFont(QStringLiteral("Arial"));
    buttonFont.setPointSize(11);
    const Skin::Faces faces = Skin::faces(Skin::FaceKind::Push, QSize(kButtonWidth, 38));

    auto* jump = new PictureButton(this);
    jump->setObjectName(QLatin1String(kContinueButton));
    jump->setFaces(faces);
    jump->setCaptionFont(buttonFont);
    jump->setCaption(texts(QStringLiteral("IDC_ERROR_JUMP")));
    jump->setGeometry(kWidth - 2 * kButtonWidth - 28 - 12, kHeight - 38 - 22, kButtonWidth, 38);

    auto* ok = new PictureButton(this);
    ok->setObjectName(QLatin1String(kOkButton));
    ok->setFaces(faces);
    ok->setCaptionFont(buttonFont);
    ok->setCaption(texts(QStringLiteral("IDOK")));
    ok->setGeometry(kWidth - kButtonWidth - 28, kHeight - 38 - 22, kButtonWidth, 38);

    // The way to learn the console without hardware, a row of its own above the two designed buttons.
    auto* training = new PictureButton(this);
    training->setObjectName(QLatin1String(kTrainingButton));
    training->setFaces(Skin::faces(Skin::FaceKind::Push, QSize(2 * kButtonWidth + 12, 38)));
    training->setCaptionFont(buttonFont);
    training->setCaption(texts(QStringLiteral("IDC_ERROR_TRAIN")));
    training->setGeometry(kWidth - 2 * kButtonWidth - 28 - 12, kHeight - 2 * 38 - 22 - 12,
                          2 * kButtonWidth + 12, 38);

    connect(training, &QAbstractButton::clicked, this, [this] { finish(Outcome::Training); });
    connect(jump, &QAbstractButton::clicked, this, [this] { finish(Outcome::Continue); });
    connect(ok, &QAbstractButton::clicked, this, [this] { finish(Outcome::Ok); });
    ok->setFocus();
}

void FrmError::finish(Outcome outcome)
{
    m_outcome = outcome;
    accept();
}

void FrmError::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Skin::paintDialogShade(painter, rect());
    painter.drawPixmap(0, 0, m_picture);
}
