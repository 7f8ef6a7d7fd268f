#include "ui/FrmHelp.h"

#include "core/ProgramFolder.h"
#include "ui/PageTexts.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

FrmHelp::FrmHelp(const QString& path, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FrmHelp"));
    const Texts texts(QStringLiteral("FrmHelp"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    resize(820, 640);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QString::fromLatin1(kBrowser));
    m_browser->setAccessibleName(windowTitle());
    m_browser->setOpenExternalLinks(true);
    m_browser->setSource(QUrl::fromLocalFile(path));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* close = buttons->addButton(texts(QStringLiteral("IDCANCEL")), QDialogButtonBox::RejectRole);
    close->setObjectName(QString::fromLatin1(kCloseButton));
    close->setAccessibleName(close->text());
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser);
    layout->addWidget(buttons);
}

QString FrmHelp::guidePath()
{
    const QString english = ProgramFolder::filePath(QStringLiteral("Help.html"));
    const QString named = Texts(QStringLiteral("FrmHelp"))(QStringLiteral("GuideFile"));
    if (named.isEmpty())
        return english;
    const QString path = ProgramFolder::filePath(named);
    return QFileInfo(path).isFile() ? path : english;
}

FrmHelp* FrmHelp::openGuide(const QString& path, QWidget* parent)
{
    if (!QFileInfo(path).isFile()) {
        PageTexts(QStringLiteral("FrmHelp"), QStringLiteral("DlgName"))
            .message(QStringLiteral("MsgNoHelp"), path);
        return nullptr;
    }
    auto* window = new FrmHelp(path, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}
