#pragma once
// The insert dialog of the meeting hub: a small rich-text editor whose content goes to the hall
// screen in one step. The text travels as RTF through System/insretview.rtf, overwritten on every
// send, so the screen shows exactly what a saved file would. A line above the text says what to do
// and, once sent, that it is on the screen; OK sends what is unsent and closes, Cancel only closes.

#include <QColor>
#include <QDialog>

class HallScreen;
class QLabel;
class QTextEdit;

class FrmInser : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kNote = "MsgNote";

    FrmInser(HallScreen& screen, const QColor& background, QWidget* parent = nullptr);

    // Relative path of the file that carries the text to the screen.
    static QString relativeFilePath();

    // Writes the editor's content and shows it on the screen's text area; false (with a message)
    // when the file cannot be written or read back.
    bool sendToScreen();
    // The font for the selection, or for what is typed next when nothing is selected.
    void applyFont(const QFont& font);
    void chooseFont();

    QTextEdit* editor() const { return m_edit; }

private:
    HallScreen& m_screen;
    QColor m_background;
    QLabel* m_note;
    QTextEdit* m_edit;
};
