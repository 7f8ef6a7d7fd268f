#pragma once
// The print preview: one register page at a time, drawn by the same renderer
// that prints and writes PDFs, with first, previous, next and last page, a page
// number to go to, and print. The page commands are enabled only where they
// lead somewhere, so a one-page job has all four disabled.
//
// Printing asks first, then goes to the default printer; without one it says
// so and prints nothing. Tests hand in their own printer source.

#include "reports/RegisterPainter.h"
#include "reports/RegisterTable.h"
#include "ui/PageTexts.h"

#include <QDialog>
#include <functional>
#include <memory>

class QPrinter;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QLabel;

class FrmSysPre : public QDialog
{
    Q_OBJECT
public:
    static constexpr const char* kFirstButton = "IDC_FIRST_PAGE";
    static constexpr const char* kPreviousButton = "IDC_PREV_PAGE";
    static constexpr const char* kNextButton = "IDC_NEXT_PAGE";
    static constexpr const char* kLastButton = "IDC_LAST_PAGE";
    static constexpr const char* kPageNumber = "IDC_PAGE_NUMBER";
    static constexpr const char* kGoButton = "IDC_GOTO_PAGE";
    static constexpr const char* kPrintButton = "IDC_PRINT";
    static constexpr const char* kCloseButton = "IDC_CLOSE";
    static constexpr const char* kPageView = "FrmPreView";

    FrmSysPre(RegisterTable table, const RegisterHeading& heading, QWidget* parent = nullptr);
    ~FrmSysPre() override;

    int page() const { return m_page; }
    int pageCount() const { return m_painter.pageCount(); }
    void setPage(int page);
    // After the question, every page on the default printer.
    void printAll();

    // The printer to use; none when there is no default printer.
    using PrinterSource = std::function<std::unique_ptr<QPrinter>()>;
    void setPrinterSource(PrinterSource source) { m_printerSource = std::move(source); }

private:
    void updateCommands();

    PageTexts m_texts;
    RegisterTable m_table;
    RegisterPainter m_painter;
    int m_page = 1;
    PrinterSource m_printerSource;

    QPushButton* m_first;
    QPushButton* m_previous;
    QPushButton* m_next;
    QPushButton* m_last;
    QSpinBox* m_number;
    QLabel* m_count;
    QWidget* m_view;
};
