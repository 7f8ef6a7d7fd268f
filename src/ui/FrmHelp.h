#pragma once
// The operator's guide (Help.html of the program folder) in a window of the
// console's own, so help works on a PC without a web browser. Links inside
// the guide move within it; links out of it open with the desktop's viewer.
// Each language table names its own guide (FrmHelp/GuideFile); a program
// folder without that file falls back to the English Help.html.

#include <QDialog>

class QTextBrowser;

class FrmHelp : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kBrowser = "HelpText";
    static constexpr const char* kCloseButton = "HelpClose";

    explicit FrmHelp(const QString& path, QWidget* parent = nullptr);

    // Opens the guide over `parent` (window-modal, so it works over a modal
    // hub too) and deletes it on close. A missing file is told, and no window opens.
    static FrmHelp* openGuide(const QString& path, QWidget* parent);
    // The guide of the language in use, in the program folder.
    static QString guidePath();

    QTextBrowser* browser() const { return m_browser; }

private:
    QTextBrowser* m_browser = nullptr;
};
