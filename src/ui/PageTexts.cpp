#include "ui/PageTexts.h"

#include "core/Prompt.h"

PageTexts::PageTexts(const QString& section, const QString& captionKey)
    : Texts(section), m_caption((*this)(captionKey))
{
}

QString PageTexts::withDetail(const QString& key, const QString& detail) const
{
    const QString text = (*this)(key);
    return detail.isEmpty() ? text : text + u'\n' + detail;
}

void PageTexts::message(const QString& key, const QString& detail) const
{
    Prompt::information(m_caption, withDetail(key, detail));
}

bool PageTexts::question(const QString& key, const QString& detail) const
{
    return Prompt::question(m_caption, withDetail(key, detail));
}

void PageTexts::inform(const QString& text) const
{
    Prompt::information(m_caption, text);
}

bool PageTexts::ask(const QString& text) const
{
    return Prompt::question(m_caption, text);
}
