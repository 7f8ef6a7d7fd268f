#pragma once
// The basic settings page of the settings hub: unit and chairman counts,
// the port range searched for the controller, the hall screen's size and
// colours, the login password, the points of the five voting keys, the
// numbering of the units, and the language of the console.
//
// Each group has its own confirm button: it checks its fields, writes only
// its own columns in one UPDATE, and only then tells the operator it is done.
// The combo boxes act at once. The running link gets the new counts at once.
// The web view has a window of its own, opened from the link group.

#include "ui/PageTexts.h"

#include <QWidget>

class ColourCombo;
class HallScreen;
class Link;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class WebView;

class Frmbasicset : public QWidget
{
    Q_OBJECT
public:
    static constexpr const char* kUnitEdit = "1141";
    static constexpr const char* kUnitButton = "1140";
    static constexpr const char* kChairEdit = "1549";
    static constexpr const char* kChairButton = "1550";
    static constexpr const char* kPortFromEdit = "1197";
    static constexpr const char* kPortToEdit = "1198";
    static constexpr const char* kPortButton = "1199";
    static constexpr const char* kSizeCombo = "1142";
    static constexpr const char* kColourCombo = "1143";
    static constexpr const char* kTextColourCombo = "1290";
    static constexpr const char* kPreview = "1144";
    static constexpr const char* kScreenButton = "1146";
    static constexpr const char* kOldPassEdit = "1200";
    static constexpr const char* kNewPassEdit = "1201";
    static constexpr const char* kRepeatPassEdit = "1202";
    static constexpr const char* kPassButton = "1203";
    static constexpr const char* kPassCancelButton = "1204";
    static constexpr const char* kMarkEdits[5] = {"1428", "1433", "1434", "1435", "1436"};
    static constexpr const char* kMarkButton = "1437";
    static constexpr const char* kMarkCancelButton = "1438";
    static constexpr const char* kNumberEdit = "1566";
    static constexpr const char* kNumberButton = "1611";
    static constexpr const char* kLanguageCombo = "1612";
    static constexpr const char* kAnswerPaceCheck = "1614";
    static constexpr const char* kWebButton = "IDC_WEB_BUTTON";
    static constexpr const char* kStoredLine = "StoredLine";

    Frmbasicset(Link& link, HallScreen& screen, QWidget* parent = nullptr);

    void storeUnitCount();
    void storeChairCount();
    void storePortRange();
    void storePassword();
    void clearPassword();
    void storeMarks();
    void restoreMarks();
    void startNumbering();
    void toggleScreen();
    // The web view this page sets up; without one its button stays disabled.
    void setWebView(WebView* view);
    void openWebSettings();

signals:
    // The unit count was stored: the hub moves on to the seat layout.
    void unitCountStored(int count);
    // Windows opened from now on read the table of this language code.
    void languageChanged(const QString& code);

private:
    void load();
    void chooseSize(const QString& size);
    void chooseColour(const char* column, const QColor& colour);
    void chooseLanguage(int index);
    void chooseAnswerPace(bool on);
    void showPreview();
    void showScreenCaption();

    Link& m_link;
    HallScreen& m_screen;
    PageTexts m_texts;
    QLineEdit* m_units;
    QLineEdit* m_chairs;
    QLineEdit* m_portFrom;
    QLineEdit* m_portTo;
    QComboBox* m_size;
    ColourCombo* m_colour;
    ColourCombo* m_textColour;
    QLabel* m_preview;
    QLabel* m_storedLine;
    QPushButton* m_screenButton;
    QLineEdit* m_oldPass;
    QLineEdit* m_newPass;
    QLineEdit* m_repeatPass;
    QLineEdit* m_marks[5];
    QCheckBox* m_percentages;
    QCheckBox* m_showPass;
    QLineEdit* m_number;
    QComboBox* m_language;
    QCheckBox* m_answerPace;
    QPushButton* m_webButton;
    WebView* m_webView = nullptr;
    QStringList m_acceptedMarks;
};
