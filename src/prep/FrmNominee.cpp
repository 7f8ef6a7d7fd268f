#include "prep/FrmNominee.h"

#include "core/LanguageTable.h"
#include "core/Prompt.h"
#include "data/FieldList.h"
#include "prep/Candidates.h"
#include "prep/NameFilter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

FrmNominee::FrmNominee(int mode, const QStringList& current, bool voted, QWidget* parent)
    : QDialog(parent), m_mode(mode), m_voted(voted), m_list(current)
{
    setObjectName(QStringLiteral("FrmNominee"));
    const Texts texts(QStringLiteral("FrmNominee"));
    setWindowTitle(texts(QStringLiteral("DlgName")));
    m_caption = texts(QStringLiteral("MsgClew"));
    m_tooLong = texts(QStringLiteral("MsgTooLong"));
    setFixedSize(420, 300);

    static const char* const kLabels[] = {"IDC_STATIC_CDATEONE", "IDC_STATIC_CDATETWO",
                                          "IDC_STATIC_CDATETHREE", "IDC_STATIC_CDATEFOUR",
                                          "IDC_STATIC_CDATEFIVE"};
    const QStringList names = FieldList::exactly(current, 5);
    for (int i = 0; i < 5; ++i) {
        auto* label = new QLabel(texts(QString::fromLatin1(kLabels[i])), this);
        label->setObjectName(QString::fromLatin1(kLabels[i]));
        label->setGeometry(20, 20 + i * 40, 120, 28);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QLineEdit* edit = m_names[i] = new QLineEdit(names[i], this);
        edit->setObjectName(QString::number(1043 + i));
        edit->setAccessibleName(label->text());
        edit->setGeometry(150, 20 + i * 40, 250, 28);
        label->setBuddy(edit);
        edit->setMaxLength(Candidates::kListLength);
        // A colon would split a name in two when the list is read back.
        connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
            const QString filtered = NameFilter::candidateName(text);
            if (filtered != text)
                edit->setText(filtered);
        });
        edit->setEnabled(!voted && !((mode == 1 || mode == 2) && i >= 3));
    }

    auto* ok = new QPushButton(texts(QStringLiteral("IDOK")), this);
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setAccessibleName(ok->text());
    ok->setGeometry(150, 240, 110, 36);
    ok->setDefault(true);
    auto* cancel = new QPushButton(texts(QStringLiteral("IDCANCEL")), this);
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    cancel->setAccessibleName(cancel->text());
    cancel->setGeometry(290, 240, 110, 36);
    connect(ok, &QPushButton::clicked, this, &FrmNominee::accept);
    connect(cancel, &QPushButton::clicked, this, &FrmNominee::reject);
}

void FrmNominee::accept()
{
    if (m_voted) { // the names of a voted election stay as they were stored
        QDialog::accept();
        return;
    }
    QStringList names;
    for (QLineEdit* edit : m_names)
        names.append(edit->text().trimmed());
    const QStringList list = Candidates::forMode(m_mode, names, m_list);
    // The motion row holds a limited list; refuse before anything is stored.
    if (!Candidates::fits(list)) {
        Prompt::information(m_caption, m_tooLong);
        return;
    }
    m_list = list;
    QDialog::accept();
}
