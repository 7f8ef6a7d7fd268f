#include "app/FrmPass.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "data/Backup.h"
#include "data/Schema.h"
#include "ui/DialogKeys.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"
#include "ui/Skin.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {
const QColor kStaticBlue(0, 0, 255);
}

FrmPass::FrmPass(TimerService& timers, QWidget* parent)
    : QDialog(parent), m_texts(QStringLiteral("FrmPass")), m_gate(timers)
{
    setObjectName(QStringLiteral("FrmPass"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(Skin::programIcon());
    setModal(true);
    setFixedSize(520, 300);

    const Texts& texts = m_texts;
    setWindowTitle(texts(QStringLiteral("DlgName")));

    m_picture.setFile(ProgramFolder::filePath(QStringLiteral("System/photo/NeterBmp.bmp")));

    QFont staticFont(QStringLiteral("Arial"));
    staticFont.setPointSize(12);

    // The title band of the picture carries the caption beside its lock.
    auto* title = new QLabel(texts(QStringLiteral("DlgName")), this);
    title->setObjectName(QStringLiteral("DlgName"));
    QFont titleFont(QStringLiteral("Arial"));
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setStyleSheet(QStringLiteral("color: #ffffff; background: transparent;"));
    title->setGeometry(66, 14, 440, 36);

    m_prompt = new QLabel(texts(QStringLiteral("ClewPass")), this);
    m_prompt->setObjectName(QStringLiteral("ClewPass"));
    m_prompt->setFont(staticFont);
    QPalette blue = m_prompt->palette();
    blue.setColor(QPalette::WindowText, kStaticBlue);
    m_prompt->setPalette(blue);
    m_prompt->setAttribute(Qt::WA_TranslucentBackground);
    m_prompt->setWordWrap(true);
    m_prompt->setGeometry(48, 96, 424, 48);

    m_password = new QLineEdit(this);
    m_password->setObjectName(QLatin1String(kPasswordEdit));
    m_password->setAccessibleName(texts(QStringLiteral("ClewPass")));
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);
    m_password->setGeometry(48, 150, 424, 36);
    m_password->setFont(staticFont);
    m_password->setStyleSheet(QStringLiteral(
        "QLineEdit { color: #10244a; background: #ffffff; border: 1px solid #7e9cc4; border-radius: 6px;"
        " padding: 2px 10px; } QLineEdit:focus { border: 2px solid #1f5fd0; }"));

    m_wait = new QLabel(this);
    m_wait->setObjectName(QLatin1String(kWaitLine));
    m_wait->setFont(staticFont);
    m_wait->setStyleSheet(QStringLiteral("color: #b02a1e; background: transparent;"));
    m_wait->setGeometry(48, 190, 424, 26);
    m_wait->hide();
    connect(&m_gate, &LoginGate::waitChanged, this, &FrmPass::showWait);

    // A damaged language table is replaced; one line says so.
    if (!LanguageTable::note().isEmpty()) {
        auto* note = new QLabel(LanguageTable::note(), this);
        note->setObjectName(QLatin1String(kLanguageNote));
        QFont small(QStringLiteral("Arial"));
        small.setPointSize(8);
        note->setFont(small);
        note->setWordWrap(true);
        note->setStyleSheet(QStringLiteral("color: #b02a1e; background: transparent;"));
        note->setGeometry(12, 262, 496, 36);
    }

    const Skin::Faces faces = Skin::faces(Skin::FaceKind::PushLight, QSize(128, 38));
    m_ok = new PictureButton(this);
    m_ok->setObjectName(QLatin1String(kLoginButton));
    m_ok->setFaces(faces);
    m_ok->setCaption(texts(QStringLiteral("BtnOK")));
    m_ok->setCaptionColour(kStaticBlue);
    m_ok->setCaptionFont(staticFont);
    m_ok->setBackdrop(&m_picture);
    m_ok->setGeometry(206, 222, 128, 38);

    m_exit = new PictureButton(this);
    m_exit->setObjectName(QLatin1String(kExitButton));
    m_exit->setFaces(faces);
    m_exit->setCaption(texts(QStringLiteral("BtnExit")));
    m_exit->setCaptionColour(kStaticBlue);
    m_exit->setCaptionFont(staticFont);
    m_exit->setBackdrop(&m_picture);
    m_exit->setGeometry(344, 222, 128, 38);

    // Enter logs in from the field or the log-in button; on Exit it does
    // nothing, so a stray Enter never ends the program. Escape is swallowed.
    m_exit->setClicksOnEnter(false);
    connect(m_password, &QLineEdit::returnPressed, this, [this] {
        if (m_ok->isEnabled())
            logIn();
    });
    connect(m_ok, &QAbstractButton::clicked, this, &FrmPass::logIn);
    connect(m_exit, &QAbstractButton::clicked, this, &FrmPass::exitProgram);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_exit);
    m_password->setFocus();
}

void FrmPass::logIn()
{
    const QString typed = m_password->text();
    m_password->clear();
    m_password->setFocus();
    switch (m_gate.tryPassword(typed)) {
    case LoginGate::Answer::Accepted:
        m_loggedIn = true;
        accept();
        return;
    case LoginGate::Answer::Wrong:
        Prompt::information(m_texts(QStringLiteral("clew")), m_texts(QStringLiteral("PassErr")));
        return;
    case LoginGate::Answer::Waiting:
        return;
    case LoginGate::Answer::Damaged:
        offerRepair();
        return;
    }
}

void FrmPass::showWait(int secondsLeft)
{
    m_wait->setText(m_texts(QStringLiteral("MsgWait")).arg(secondsLeft));
    m_wait->setVisible(secondsLeft > 0);
    m_ok->setEnabled(secondsLeft == 0);
}

void FrmPass::offerRepair()
{
    const QString caption = m_texts(QStringLiteral("clew"));
    const QString damaged = m_texts(QStringLiteral("MsgDamaged"));
    const QStringList backups = Backup::copies(Schema::kSystemDatabase);
    if (!backups.isEmpty() &&
        Prompt::question(
            caption, damaged + QStringLiteral("\n\n") +
                         m_texts(QStringLiteral("MsgRestore")).arg(QFileInfo(backups.first()).fileName()))) {
        if (Backup::restoreLatest(Schema::kSystemDatabase))
            Prompt::information(caption, m_texts(QStringLiteral("MsgRestored")));
        return;
    }
    const QString word = m_texts(QStringLiteral("MsgFreshWord"));
    const QString kept = Schema::kSystemDatabase + QStringLiteral(".damaged-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
    const QString typed =
        Prompt::typed(caption, (backups.isEmpty() ? damaged + QStringLiteral("\n\n") : QString()) +
                                   m_texts(QStringLiteral("MsgFresh")).arg(word, kept));
    if (word.isEmpty() || typed.trimmed() != word)
        return;
    if (QFile::rename(ProgramFolder::filePath(Schema::kSystemDatabase), ProgramFolder::filePath(kept)) &&
        Schema::ensureSystemDatabase())
        Prompt::information(caption, m_texts(QStringLiteral("MsgFreshDone")));
}

void FrmPass::exitProgram()
{
    ProgramEnd::now(0);
}

void FrmPass::reject() {}

void FrmPass::keyPressEvent(QKeyEvent* event)
{
    if (DialogKeys::isEnterOrEscape(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void FrmPass::closeEvent(QCloseEvent* event)
{
    if (m_loggedIn) {
        QDialog::closeEvent(event);
        return;
    }
    // Only reached when the program end is intercepted (tests): the dialog stays.
    event->ignore();
    ProgramEnd::now(0);
}

void FrmPass::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    m_picture.paint(painter, QSize(1024, 741));
}

void FrmPass::showEvent(QShowEvent* event)
{
    WindowPlacement::centreOnScreen(*this);
    QDialog::showEvent(event);
}
