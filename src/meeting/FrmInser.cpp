#include "meeting/FrmInser.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "core/Prompt.h"
#include "screen/HallScreen.h"
#include "screen/RichEditMenu.h"
#include "screen/RtfWriter.h"

#include <QFontDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QVBoxLayout>

FrmInser::FrmInser(HallScreen& screen, const QColor& background, QWidget* parent)
    : QDialog(parent), m_screen(screen), m_background(background)
{
    setObjectName(QStringLiteral("FrmInser"));
    const Texts texts(QStringLiteral("FrmInser"));
    setWindowTitle(texts(QStringLiteral("DlgName")));

    m_note = new QLabel(texts(QStringLiteral("MsgNote")), this);
    m_note->setObjectName(QLatin1String(kNote));
    m_note->setWordWrap(true);

    m_edit = new QTextEdit(this);
    m_edit->setObjectName(QStringLiteral("IDC_INSERT_EDIT"));
    m_edit->setAccessibleName(texts(QStringLiteral("DlgName")));
    m_edit->setAcceptRichText(true);
    // Drawn in the screen's colours, so the operator sees the text as the hall will.
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, background);
    palette.setColor(QPalette::Text, m_screen.screenTextColour());
    m_edit->setPalette(palette);
    m_edit->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_edit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        RichEditMenu::popup(
            m_edit, [this] { chooseFont(); }, at);
    });

    auto* send = new QPushButton(texts(QStringLiteral("IDC_SEND_INSBNT")), this);
    send->setObjectName(QStringLiteral("IDC_SEND_INSBNT"));
    send->setAccessibleName(send->text());
    send->setAutoDefault(false);
    connect(send, &QPushButton::clicked, this, [this] { sendToScreen(); });
    auto* ok = new QPushButton(texts(QStringLiteral("IDOK")), this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setAccessibleName(ok->text());
    ok->setAutoDefault(false);
    // OK sends what was not sent yet, then closes; Cancel closes and sends nothing.
    connect(ok, &QPushButton::clicked, this, [this] {
        if (!m_edit->document()->isModified() || sendToScreen())
            accept();
    });
    auto* cancel = new QPushButton(texts(QStringLiteral("IDCANCEL")), this);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    cancel->setAccessibleName(cancel->text());
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(send);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_note);
    layout->addWidget(m_edit, 1);
    layout->addLayout(buttons);

    resize(800, 400);
    const QRect area = parent
                           ? parent->window()->frameGeometry()
                           : (QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry()
                                                               : QRect(0, 0, 800, 400));
    move(area.center() - rect().center());
}

QString FrmInser::relativeFilePath()
{
    return QStringLiteral("System/insretview.rtf");
}

bool FrmInser::sendToScreen()
{
    const QString path = ProgramFolder::filePath(relativeFilePath());
    const QString caption = Texts(QStringLiteral("Public"))(QStringLiteral("MsgClew"));
    const Texts texts(QStringLiteral("FrmInser"));
    // "Send to screen" must be seen in the hall even when no page has shown the screen yet.
    m_screen.showWindow();
    m_screen.showTextArea();
    QString error;
    if (!RtfWriter().writeFile(*m_edit->document(), path, &error)) {
        Prompt::information(caption, texts(QStringLiteral("MsgWriteErr")).arg(path, error));
        return false;
    }
    m_edit->document()->setModified(false);
    if (!m_screen.loadRtfFile(path)) {
        Prompt::information(caption, texts(QStringLiteral("MsgWriteErr")).arg(path, QString()));
        return false;
    }
    // The window keeps its own title; the line above the text says it is on the screen.
    m_note->setText(texts(QStringLiteral("MsgSent")));
    m_screen.textDocument()->setModified(false);
    m_screen.setTextBackground(m_background);
    return true;
}

void FrmInser::applyFont(const QFont& font)
{
    QTextCharFormat format;
    format.setFont(font, QTextCharFormat::FontPropertiesSpecifiedOnly);
    QTextCursor cursor = m_edit->textCursor();
    if (cursor.hasSelection())
        cursor.mergeCharFormat(format);
    m_edit->mergeCurrentCharFormat(format);
}

void FrmInser::chooseFont()
{
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, m_edit->currentCharFormat().font(), this);
    if (ok)
        applyFont(font);
}
