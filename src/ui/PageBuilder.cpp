#include "ui/PageBuilder.h"

#include "core/LanguageTable.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const int kRowHeight = 28;

// Qt's own interface names a non-editable combo box after its current item on
// Linux; this one keeps the accessible name the page gave it.
class AccessibleComboBox : public QAccessibleWidget
{
public:
    explicit AccessibleComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && !box()->accessibleName().isEmpty())
            return box()->accessibleName();
        if (kind == QAccessible::Name || kind == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(kind);
    }
    // The item list, as Qt's own interface offers it.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override
    {
        if (name == showMenuAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(widget()); }
};

QAccessibleInterface* comboBoxFactory(const QString& className, QObject* object)
{
    if (className != QLatin1String("QComboBox"))
        return nullptr;
    auto* box = qobject_cast<QComboBox*>(object);
    return box && !box->isEditable() ? new AccessibleComboBox(box) : nullptr;
}

} // namespace

PageBuilder::PageBuilder(QWidget* parent, const Texts& texts) : m_parent(parent), m_texts(texts)
{
    nameComboBoxesByLabel();
}

void PageBuilder::nameComboBoxesByLabel()
{
    QAccessible::installFactory(&comboBoxFactory); // a second install is ignored
}

QLabel* PageBuilder::label(const char* id, const char* textKey, const QRect& place)
{
    auto* l = new QLabel(m_texts(QString::fromLatin1(textKey)), m_parent);
    l->setObjectName(QString::fromLatin1(id));
    l->setGeometry(place);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

QPushButton* PageBuilder::button(const char* id, const QRect& place, const char* textKey)
{
    auto* b = new QPushButton(m_texts(QString::fromLatin1(textKey ? textKey : id)), m_parent);
    b->setObjectName(QString::fromLatin1(id).trimmed());
    b->setAccessibleName(b->text());
    b->setGeometry(place);
    return b;
}

QCheckBox* PageBuilder::check(const char* id, const char* textKey, const QRect& place)
{
    auto* c = new QCheckBox(m_texts(QString::fromLatin1(textKey)), m_parent);
    c->setObjectName(QString::fromLatin1(id));
    c->setAccessibleName(c->text());
    c->setGeometry(place);
    return c;
}

QLineEdit* PageBuilder::edit(const char* id, const QRect& place, QLabel* caption, int maxLength)
{
    auto* e = new QLineEdit(m_parent);
    e->setObjectName(QString::fromLatin1(id));
    e->setGeometry(place.x(), place.y(), place.width(), place.height() > 0 ? place.height() : kRowHeight);
    if (maxLength > 0)
        e->setMaxLength(maxLength);
    nameAfter(e, caption);
    return e;
}

QComboBox* PageBuilder::combo(const char* id, const QRect& place, QLabel* caption, const QStringList& items)
{
    auto* c = new QComboBox(m_parent);
    c->setObjectName(QString::fromLatin1(id));
    c->setGeometry(place.x(), place.y(), place.width(), place.height() > 0 ? place.height() : kRowHeight);
    c->addItems(items);
    nameAfter(c, caption);
    return c;
}

QGroupBox* PageBuilder::group(QWidget* parent, const QString& title, const char* name, const QRect& place)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

void PageBuilder::nameAfter(QWidget* control, QLabel* caption)
{
    if (!caption)
        return;
    caption->setBuddy(control);
    QString name = caption->text();
    control->setAccessibleName(name.remove(u'&').trimmed());
}

void PageBuilder::keepFiltered(QLineEdit* edit, QString (*filter)(const QString&))
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, filter](const QString& text) {
        const QString filtered = filter(text);
        if (filtered == text)
            return;
        const int cursor = edit->cursorPosition() - int(text.size() - filtered.size());
        edit->setText(filtered);
        edit->setCursorPosition(qMax(0, cursor));
    });
}
