#include "app/FrmPass.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "data/PasswordHash.h"
#include "data/Schema.h"
#include "data/SettingsTable.h"
#include "ui/DialogKeys.h"
#include "ui/PictureButton.h"
#include "ui/ProgramEnd.h"
#include "ui/Skin.h"
#include "ui/WindowPlacement.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>

namespace {
const QColor kStaticBlue(0, 0, 255);
}

FrmPass::FrmPass(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmPass"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowIcon(Skin::programIcon());
    setModal(true);
    setFixedSize(520, 300);

    const Texts texts(QStringLiteral("FrmPass"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_passErr = texts(QStringLiteral("PassErr"));
    m_clew = texts(QStringLiteral("clew"));

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

    // Only a click acts here: Enter is swallowed even on a focused button.
    m_ok->setClicksOnEnter(false);
    m_exit->setClicksOnEnter(false);
    connect(m_ok, &QAbstractButton::clicked, this, &FrmPass::logIn);
    connect(m_exit, &QAbstractButton::clicked, this, &FrmPass::exitProgram);
    setTabOrder(m_password, m_ok);
    setTabOrder(m_ok, m_exit);
    m_password->setFocus();
}

void FrmPass::logIn()
{
    const QString typed = m_password->text();
    SettingsTable settings;
    settings.setPath(Schema::kSystemDatabase);
    settings.load();
    if (PasswordHash::matches(settings.UserPass, typed)) {
        m_loggedIn = true;
        accept();
        return;
    }
    Prompt::information(m_clew, m_passErr);
    m_password->clear();
    m_password->setFocus();
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
