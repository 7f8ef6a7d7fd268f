#pragma once
// The document page of the meeting hub: a plain text file (a speech, the chair's script) shown in
// the page's own view and on the hall screen's text area, paged screen by screen or stepped
// sentence by sentence with the current sentence in the highlight colour, by hand or at a pace.
// Both views always show the same text, so one sentence position serves both.

#include "screen/SentenceStepper.h"

#include <QColor>
#include <QWidget>

#include <memory>

class HallScreen;
class TimerService;
class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTextEdit;
class Timer;

class FrmFile : public QWidget
{
    Q_OBJECT
public:
    // Point sizes of the text when a file is loaded: the page's view and the hall screen.
    static constexpr double kViewPointSize = 12.8;
    static constexpr double kScreenPointSize = 16.2;

    FrmFile(HallScreen& screen, TimerService& timers, QWidget* parent = nullptr);
    ~FrmFile() override;

    // The open button: asks for a file and loads it.
    void chooseFile();
    // Loads a text file into both views; a file that cannot be read leaves them as they were.
    bool openFile(const QString& path);

    void nextSentence();
    void previousSentence();
    // Stops automatic stepping and goes back to the start, nothing highlighted.
    void restore();
    void toggleAuto();
    bool isAutoRunning() const;

    void firstScreen();
    void previousScreen();
    void nextScreen();
    void lastScreen();

    // The whole text of both views in this font (the font button asks for it).
    void applyFont(const QFont& font);
    void chooseFont();
    void setTextColour(const QColor& colour);
    void setHighlightColour(const QColor& colour);
    QColor textColour() const { return m_textColour; }
    QColor highlightColour() const { return m_highlightColour; }
    // Takes the stop symbols from their field (the OK button).
    void takeStopSymbols();

    QTextEdit* view() const { return m_view; }
    const SentenceStepper& stepper() const { return m_stepper; }

private:
    void paintSentence();
    void stopAuto();
    void onAutoTick();
    void buildColourList(QComboBox* list, const QColor& selected);

    HallScreen& m_screen;
    QTextEdit* m_view;
    QPushButton* m_auto;
    QLineEdit* m_stopField;
    QSpinBox* m_pace;
    QComboBox* m_highlightList;
    QComboBox* m_textList;
    SentenceStepper m_stepper;
    std::unique_ptr<Timer> m_timer;
    QColor m_textColour;
    QColor m_highlightColour = QColor(255, 255, 0);
    QString m_autoCaption;
    QString m_pauseCaption;
};
