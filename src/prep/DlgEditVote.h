#pragma once
// The rich-text editor of a meeting's banner and of a motion's proposal. The
// page behind it is drawn in the secondary screen's colours, so the operator
// sees the text as the hall will. The file is RTF; one that cannot be read is
// treated as absent and the editor starts from the default text.

#include "ui/PageTexts.h"

#include <QColor>
#include <QDialog>
#include <QSize>

class QMenu;
class QTextEdit;

class DlgEditVote : public QDialog
{
    Q_OBJECT
public:
    enum class Mode
    {
        Banner,  // MeeFile/Meebanner/<meeting key>.rtf
        Proposal // MeeFile/<meeting key>/<motion key>.rtf
    };
    struct Target
    {
        Mode mode = Mode::Banner;
        QString title;      // meeting name or motion title: the default text
        QString meetingKey; // names the meeting's folder (and the banner)
        QString motionKey;  // names the proposal
        QString file;       // the stored file name; empty when there is none yet
    };

    DlgEditVote(const Target& target, const QSize& screenSize, const QColor& background,
                const QColor& textColour, QWidget* parent = nullptr);

    // True once the document was written; the caller then stores savedFile().
    bool saved() const { return m_saved; }
    QString savedFile() const;
    // Relative path written by save().
    QString savePath() const;
    QTextEdit* editor() const { return m_edit; }

    bool save();
    // Inserts a BMP file at the cursor; false when it is no picture.
    bool insertPicture(const QString& path);
    void chooseFont();
    void choosePicture();

    // Closing with unsaved changes asks whether to save them first.
    void reject() override;

private:
    void load();
    void setDefaultText();
    QMenu* makeEditMenu(QWidget* parent);

    Target m_target;
    QTextEdit* m_edit;
    bool m_saved = false;
    PageTexts m_texts{QStringLiteral("Public"), QStringLiteral("MsgClew")};
};
