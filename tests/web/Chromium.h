#pragma once
// Headless Chromium driven through its DevTools protocol, for tests that look
// at the web view in a real browser. A fresh profile in a temporary folder,
// no network of its own besides the page it is given.

#include <QImage>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QWebSocket>

class Chromium
{
public:
    ~Chromium();

    // Starts the browser on the page; false with the reason when it cannot.
    bool start(const QUrl& page, QString* error);
    // One DevTools command; the result object, or an empty one after 10 s.
    QJsonObject call(const QString& method, const QJsonObject& params = {});
    // The value of a JavaScript expression in the page, as text.
    QString evaluate(const QString& expression);
    void setViewport(int width, int height, bool mobile);
    QImage screenshot();

private:
    QTemporaryDir m_profile;
    QProcess m_process;
    QWebSocket m_devTools;
    QList<QJsonObject> m_answers;
    int m_nextId = 1;
};
