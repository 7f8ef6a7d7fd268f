#pragma once
// The candidates of an election: three names (modes 1 and 2) or five (modes
// 3 and 4). A voted motion shows its names read-only.

#include <QDialog>
#include <QStringList>

class QLineEdit;
class QPushButton;

class FrmNominee : public QDialog
{
    Q_OBJECT
public:
    FrmNominee(int mode, const QStringList& current, bool voted, QWidget* parent = nullptr);

    // The names to store after OK; the current ones for a mode without candidates.
    QStringList names() const { return m_list; }

    void accept() override;

private:
    int m_mode;
    bool m_voted;
    QStringList m_list;
    QLineEdit* m_names[5];
    QString m_caption;
    QString m_tooLong;
};
