#pragma once
// The candidates of an election: three names (modes 1 and 2) or five (modes
// 3 and 4), packed with a colon after each. A voted motion shows its names
// read-only.

#include <QDialog>

class QLineEdit;
class QPushButton;

class FrmNominee : public QDialog
{
    Q_OBJECT
public:
    FrmNominee(int mode, const QString& currentList, bool voted, QWidget* parent = nullptr);

    // The list to store after OK; the current list for a mode without candidates.
    QString packedList() const { return m_list; }

    void accept() override;

private:
    int m_mode;
    bool m_voted;
    QString m_list;
    QLineEdit* m_names[5];
    QString m_caption;
    QString m_tooLong;
};
