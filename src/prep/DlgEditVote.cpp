#include "prep/DlgEditVote.h"

#include "core/LanguageTable.h"
#include "core/ProgramFolder.h"
#include "prep/MeetingTable.h"
#include "screen/RtfReader.h"
#include "screen/RtfWriter.h"
#include "ui/FileDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDialog>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextImageFormat>
#include <QUrl>
#include <QVBoxLayout>

DlgEditVote::DlgEditVote(const Target& target, const QSize& screenSize, const QColor& background,
                         const QColor& textColour, QWidget* parent)
    : QDialog(parent), m_target(target)
{
    setObjectName(QStringLiteral("DlgEditVote"));
    const PageTexts& texts = m_texts;
    setWindowTitle(texts("DlgEditVote") + QStringLiteral(" - ") + target.title + QStringLiteral("[*]"));

    m_edit = new QTextEdit(this);
    m_edit->setObjectName(QStringLiteral("1232"));
    m_edit->setAccessibleName(texts("DlgEditVote"));
    m_edit->setAcceptRichText(true);
    m_edit->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette palette = m_edit->palette();
    palette.setColor(QPalette::Base, background.isValid() ? background : QColor(Qt::white));
    palette.setColor(QPalette::Text, textColour.isValid() ? textColour : QColor(Qt::black));
    m_edit->setPalette(palette);
    QFont font = m_edit->font();
    font.setPointSize(20);
    m_edit->document()->setDefaultFont(font);

    auto* menuBar = new QMenuBar(this);
    QMenu* file = menuBar->addMenu(texts("RiceFile"));
    QAction* saveAction = file->addAction(texts("RiceSave"), this, [this] { save(); });
    saveAction->setObjectName(QStringLiteral("RiceSave"));
    saveAction->setShortcut(QKeySequence::Save);
    QAction* picture = file->addAction(texts("RiceInsertBmp"), this, [this] { choosePicture(); });
    picture->setObjectName(QStringLiteral("RiceInsertBmp"));
    menuBar->addMenu(makeEditMenu(menuBar));
    connect(m_edit, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        QMenu* menu = makeEditMenu(this);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(m_edit->viewport()->mapToGlobal(at));
    });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(menuBar);
    layout->addWidget(m_edit);

    const QSize size = screenSize.width() > 0 && screenSize.height() > 0 ? screenSize : QSize(1024, 768);
    resize(size.boundedTo(QSize(1280, 960)) + QSize(0, menuBar->sizeHint().height()));

    load();
    connect(m_edit->document(), &QTextDocument::modificationChanged, this, &QWidget::setWindowModified);
}

QMenu* DlgEditVote::makeEditMenu(QWidget* parent)
{
    const PageTexts& texts = m_texts;
    auto* menu = new QMenu(texts("RiceEdit"), parent);
    menu->setObjectName(QStringLiteral("RiceEdit"));
    auto add = [&](const char* name, auto slot, QKeySequence::StandardKey shortcut, bool enabled) {
        QAction* action = menu->addAction(texts(QLatin1String(name)), m_edit, slot);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutVisibleInContextMenu(true);
        action->setEnabled(enabled);
        return action;
    };
    const bool hasSelection = m_edit->textCursor().hasSelection();
    add("RiceUndo", &QTextEdit::undo, QKeySequence::Undo, m_edit->document()->isUndoAvailable());
    menu->addSeparator();
    add("RiceCut", &QTextEdit::cut, QKeySequence::Cut, hasSelection);
    add("RiceCopy", &QTextEdit::copy, QKeySequence::Copy, hasSelection);
    add("RicePaste", &QTextEdit::paste, QKeySequence::Paste, m_edit->canPaste());
    QAction* clear =
        menu->addAction(texts("RiceClear"), this, [this] { m_edit->textCursor().removeSelectedText(); });
    clear->setObjectName(QStringLiteral("RiceClear"));
    clear->setShortcut(QKeySequence::Delete);
    clear->setEnabled(hasSelection);
    menu->addSeparator();
    add("RiceSele", &QTextEdit::selectAll, QKeySequence::SelectAll, true);
    menu->addSeparator();
    QAction* font = menu->addAction(texts("RiceSetFont"), this, [this] { chooseFont(); });
    font->setObjectName(QStringLiteral("RiceSetFont"));
    // The menu bar's copy is built once, so it enables its entries as it opens.
    connect(menu, &QMenu::aboutToShow, menu, [this, menu] {
        const bool selection = m_edit->textCursor().hasSelection();
        for (QAction* action : menu->actions()) {
            const QString name = action->objectName();
            if (name == QLatin1String("RiceUndo"))
                action->setEnabled(m_edit->document()->isUndoAvailable());
            else if (name == QLatin1String("RiceCut") || name == QLatin1String("RiceCopy") ||
                     name == QLatin1String("RiceClear"))
                action->setEnabled(selection);
            else if (name == QLatin1String("RicePaste"))
                action->setEnabled(m_edit->canPaste());
        }
    });
    return menu;
}

QString DlgEditVote::savedFile() const
{
    const QString& name = m_target.mode == Mode::Banner ? m_target.meetingKey : m_target.motionKey;
    return name + QStringLiteral(".rtf");
}

QString DlgEditVote::savePath() const
{
    return m_target.mode == Mode::Banner ? MeetingFiles::banner(savedFile())
                                         : MeetingFiles::proposal(m_target.meetingKey, savedFile());
}

void DlgEditVote::load()
{
    if (!m_target.file.isEmpty()) {
        const QString relative = m_target.mode == Mode::Banner
                                     ? MeetingFiles::banner(m_target.file)
                                     : MeetingFiles::proposal(m_target.meetingKey, m_target.file);
        const QString path = ProgramFolder::filePath(relative);
        if (QFileInfo::exists(path)) {
            RtfReader reader;
            // A damaged or foreign file would show as half a text: start afresh instead.
            if (reader.readFile(path, m_edit->document()) == RtfReader::Status::Ok) {
                m_edit->document()->clearUndoRedoStacks();
                m_edit->document()->setModified(false);
                return;
            }
        }
    }
    setDefaultText();
}

void DlgEditVote::setDefaultText()
{
    m_edit->clear();
    QTextCursor cursor = m_edit->textCursor();
    cursor.insertText(QStringLiteral("\n\n\n") + m_target.title);
    m_edit->document()->clearUndoRedoStacks();
    m_edit->document()->setModified(false);
}

bool DlgEditVote::save()
{
    const QString path = ProgramFolder::filePath(savePath());
    QDir().mkpath(QFileInfo(path).path());
    RtfWriter writer;
    // Chinese texts name the GBK code page, the others the Western one; the text itself is Unicode.
    writer.setCodePage(LanguageTable::code() == QLatin1String("0") ? 936 : 1252);
    QString error;
    if (!writer.writeFile(*m_edit->document(), path, &error)) {
        m_texts.message("MsgSaveErr", error);
        return false;
    }
    m_edit->document()->setModified(false);
    m_saved = true;
    return true;
}

bool DlgEditVote::insertPicture(const QString& path)
{
    QImage image;
    if (!image.load(path, "BMP")) {
        m_texts.message("MsgBmpErr");
        return false;
    }
    static int counter = 0;
    const QUrl name(QStringLiteral("picture%1.bmp").arg(++counter));
    m_edit->document()->addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.setName(name.toString());
    format.setWidth(image.width());
    format.setHeight(image.height());
    m_edit->textCursor().insertImage(format);
    return true;
}

void DlgEditVote::chooseFont()
{
    QTextCursor cursor = m_edit->textCursor();
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, cursor.charFormat().font(), this);
    if (!ok)
        return;
    QTextCharFormat format;
    format.setFont(font);
    m_edit->mergeCurrentCharFormat(format);
}

void DlgEditVote::choosePicture()
{
    const QString path =
        FileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("bmp file (*.bmp)"));
    if (!path.isEmpty())
        insertPicture(path);
}

void DlgEditVote::reject()
{
    if (m_edit->document()->isModified()) {
        if (m_texts.question("MsgCloseClew") && !save())
            return;
    }
    QDialog::reject();
}
