#pragma once
// A page's texts, read once when it is built, and its messages: every
// message box of a page carries the page's caption (the text of `captionKey`).

#include "core/LanguageTable.h"

class PageTexts : public Texts
{
public:
    PageTexts(const QString& section, const QString& captionKey);

    QString caption() const { return m_caption; }
    // The text of `key`, with `detail` on a line of its own when there is one.
    void message(const QString& key, const QString& detail = QString()) const;
    bool question(const QString& key, const QString& detail = QString()) const;
    // A text made up by the page.
    void inform(const QString& text) const;
    bool ask(const QString& text) const;

private:
    QString withDetail(const QString& key, const QString& detail) const;

    QString m_caption;
};
